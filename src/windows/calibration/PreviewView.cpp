#include "windows/calibration/PreviewView.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace spinewise {
namespace {

/// The rectangle (top-left origin) in which a picture of `picture` size shows
/// aspect-fit and centred in `area`.
QRectF aspectFit(QSizeF picture, QSizeF area) {
    const QSizeF fitted = picture.scaled(area, Qt::KeepAspectRatio);
    return {(area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2, fitted.width(),
            fitted.height()};
}

}  // namespace

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 180);
    setCursor(Qt::CrossCursor);
}

void PreviewView::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PreviewView::setFilter(std::optional<MonochromeFilter> filter) {
    filter_ = filter;
    update();
}

void PreviewView::setEyeLevel(double eyeLevelInPercent) {
    eyeLevel_ = eyeLevelInPercent;
    update();
}

void PreviewView::setDetectedFace(std::optional<DetectedFace> face) {
    hud_.setDetectedFace(std::move(face));
    update();
}

void PreviewView::setNoFaceTextVisible(bool visible) {
    if (visible == hud_.isNoFaceTextVisible()) return;
    hud_.setNoFaceTextVisible(visible);
    update();
}

Size PreviewView::targetSize() const { return {static_cast<double>(width()), static_cast<double>(height())}; }

QSize PreviewView::sizeHint() const { return {640, 360}; }

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) {
        const QRectF target = aspectFit(picture_.size(), size());
        // Filter the picture at the size it is shown: no more pixels than the screen needs.
        QImage shown = picture_.scaled(target.size().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (filter_) shown = applyMonochrome(shown, *filter_);
        painter.drawImage(target, shown);
    }
    hud_.paint(painter, size(), eyeLevel_);
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) reportPointer(*event);
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) reportPointer(*event);
}

void PreviewView::reportPointer(const QMouseEvent& event) {
    if (height() <= 0) return;
    emit pointerLevelChanged((height() - event.position().y()) / height());
}

}  // namespace spinewise
