#include "windows/calibration/HudOverlay.hpp"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace spinewise {
namespace {

constexpr double kTextSize = 30;
// The outline is 4 % of the font size, drawn around black glyphs.
constexpr double kTextOutlineWidth = kTextSize * 0.04;

QRectF toQt(const Rect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

}  // namespace

void HudOverlay::paint(QPainter& painter, QSizeF size, double eyeLevelInPercent) const {
    if (detectedFace_) paintFace(painter, size, *detectedFace_, eyeLevelInPercent);
    if (noFaceTextVisible_) paintNoFaceText(painter, size);
}

void HudOverlay::paintFace(QPainter& painter, QSizeF size, const DetectedFace& face, double eyeLevelInPercent) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Bottom-left origin, y up, like the face's coordinates.
    painter.translate(0, size.height());
    painter.scale(1, -1);
    painter.setBrush(Qt::NoBrush);

    // Dashes of 2 with gaps of 2, starting 2 in; Qt counts dashes in pen widths.
    // Flat caps: square ones would close the gaps.
    QPen dashed(QColor(Qt::yellow), kLineWidth, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({2 / kLineWidth, 2 / kLineWidth});
    dashed.setDashOffset(2 / kLineWidth);
    painter.setPen(dashed);
    painter.drawRect(toQt(face.faceRect));
    for (const auto& eye : {face.leftEyePosition, face.rightEyePosition})
        painter.drawEllipse(QPointF(eye.x, eye.y), kEyeRadius, kEyeRadius);

    painter.setPen(QPen(QColor(Qt::yellow), kLineWidth, Qt::SolidLine, Qt::FlatCap));
    const double y = eyeLevelInPercent * size.height();
    painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
    painter.restore();
}

void HudOverlay::paintNoFaceText(QPainter& painter, QSizeF size) {
    QFont font;
    font.setBold(true);
    font.setPixelSize(static_cast<int>(kTextSize));
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, QString::fromUtf8(kNoFaceText));
    const QRectF bounds = glyphs.boundingRect();
    glyphs.translate(size.width() / 2 - bounds.center().x(), size.height() / 2 - bounds.center().y());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(glyphs, QColor(Qt::black));
    painter.strokePath(glyphs, QPen(QColor(Qt::white), kTextOutlineWidth));
    painter.restore();
}

}  // namespace spinewise
