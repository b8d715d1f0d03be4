#include "windows/calibration/MonochromeFilter.hpp"

#include <algorithm>

namespace spinewise {
namespace {

constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;

/// A blend result (never negative) as the nearest byte.
int toByte(double value) { return std::min(static_cast<int>(value + 0.5), 255); }

}  // namespace

QImage applyMonochrome(const QImage& picture, const MonochromeFilter& filter) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    // out = source + intensity * (luminance * colour - source)
    //     = keep * source + luminance * (intensity * colour)
    const double intensity = std::clamp(filter.intensity, 0.0, 1.0);
    const double keep = 1 - intensity;
    const double red = intensity * std::clamp(filter.color.red, 0.0, 1.0);
    const double green = intensity * std::clamp(filter.color.green, 0.0, 1.0);
    const double blue = intensity * std::clamp(filter.color.blue, 0.0, 1.0);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            const int r = qRed(pixel);
            const int g = qGreen(pixel);
            const int b = qBlue(pixel);
            const double luminance = kRedWeight * r + kGreenWeight * g + kBlueWeight * b;
            line[x] = qRgba(toByte(keep * r + luminance * red), toByte(keep * g + luminance * green),
                            toByte(keep * b + luminance * blue), qAlpha(pixel));
        }
    }
    return result;
}

}  // namespace spinewise
