#include "shell/StatusImages.hpp"

#include "foundation/Fatal.hpp"
#include "posture/ImageTint.hpp"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstring>

namespace spinewise {

QImage StatusImages::image(const StatusImage& choice) {
    return qImageFromRgbaImage(tinted(drawing(choice.resourceName), choice.tint));
}

const RgbaImage& StatusImages::drawing(std::string_view name) {
    if (const auto found = drawings_.find(name); found != drawings_.end()) return found->second;

    const auto path = resources_.requiredResource("icons/" + std::string(name) + ".svg");
    QSvgRenderer renderer(QString::fromStdString(path.string()));
    if (!renderer.isValid()) fatalError("The image resource " + path.string() + " is not a valid SVG drawing");
    QImage canvas(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    renderer.render(&painter);
    painter.end();
    return drawings_.emplace(std::string(name), rgbaImageFromQImage(canvas)).first->second;
}

RgbaImage rgbaImageFromQImage(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage result(rgba.width(), rgba.height());
    const auto rowBytes = static_cast<std::size_t>(rgba.width()) * sizeof(Rgba8);
    for (int y = 0; y < rgba.height(); ++y) {
        std::memcpy(result.pixels().data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rgba.width()),
                    rgba.constScanLine(y), rowBytes);
    }
    return result;
}

QImage qImageFromRgbaImage(const RgbaImage& image) {
    QImage result(image.width(), image.height(), QImage::Format_RGBA8888);
    const auto rowBytes = static_cast<std::size_t>(image.width()) * sizeof(Rgba8);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(result.scanLine(y),
                    image.pixels().data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width()),
                    rowBytes);
    }
    return result;
}

}  // namespace spinewise
