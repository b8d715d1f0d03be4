#pragma once

#include "foundation/Geometry.hpp"
#include "windows/calibration/HudOverlay.hpp"
#include "windows/calibration/MonochromeFilter.hpp"

#include <QImage>
#include <QWidget>

#include <optional>

namespace spinewise {

/// The calibration preview: the camera picture fitted into the view with its
/// aspect kept (black bars where aspects differ), recoloured while a filter is
/// set, with the HUD over it. A press or drag with the left button reports
/// where the pointer is as a fraction of the view's height from the bottom.
class PreviewView final : public QWidget {
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent = nullptr);

    void setPicture(QImage picture);
    void setFilter(std::optional<MonochromeFilter> filter);
    const std::optional<MonochromeFilter>& filter() const { return filter_; }
    void setEyeLevel(double eyeLevelInPercent);

    /// The face in the view's coordinates (origin bottom left, y up).
    void setDetectedFace(std::optional<DetectedFace> face);
    void setNoFaceTextVisible(bool visible);
    const HudOverlay& hud() const { return hud_; }

    /// The view's size: the target on which the picture is fitted.
    Size targetSize() const;

    QSize sizeHint() const override;

signals:
    /// 0 at the bottom edge, 1 at the top edge; outside 0..1 beyond them.
    void pointerLevelChanged(double fractionOfHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void reportPointer(const QMouseEvent& event);

    QImage picture_;
    std::optional<MonochromeFilter> filter_;
    double eyeLevel_ = 0.5;
    HudOverlay hud_;
};

}  // namespace spinewise
