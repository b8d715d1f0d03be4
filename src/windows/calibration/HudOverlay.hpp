#pragma once

#include "posture/Posture.hpp"

#include <QSizeF>

#include <optional>

class QPainter;

namespace spinewise {

/// What the preview draws over the picture: while a face is seen, the face
/// rectangle and eye circles (dashed) and the eye-level line (solid), all
/// yellow and 2 wide; and the "Cannot detect face" text while it is shown.
class HudOverlay {
public:
    static constexpr const char* kNoFaceText = "Cannot detect face";
    static constexpr double kLineWidth = 2;
    static constexpr double kEyeRadius = 10;

    /// The face in the overlay's coordinates (origin bottom left, y up); none draws no face and no line.
    void setDetectedFace(std::optional<DetectedFace> face) { detectedFace_ = std::move(face); }
    const std::optional<DetectedFace>& detectedFace() const { return detectedFace_; }

    void setNoFaceTextVisible(bool visible) { noFaceTextVisible_ = visible; }
    bool isNoFaceTextVisible() const { return noFaceTextVisible_; }

    /// Paints over an area of `size` whose top left is the painter's origin;
    /// the line lies at `eyeLevelInPercent` of the height from the bottom.
    void paint(QPainter& painter, QSizeF size, double eyeLevelInPercent) const;

private:
    static void paintFace(QPainter& painter, QSizeF size, const DetectedFace& face, double eyeLevelInPercent);
    static void paintNoFaceText(QPainter& painter, QSizeF size);

    std::optional<DetectedFace> detectedFace_;
    bool noFaceTextVisible_ = false;
};

}  // namespace spinewise
