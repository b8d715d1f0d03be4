#include "windows/calibration/MonochromeFilter.hpp"

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;

int toByte(double value) { return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0))); }

}  // namespace

QImage applyMonochrome(const QImage& picture, const MonochromeFilter& filter) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const double intensity = std::clamp(filter.intensity, 0.0, 1.0);
    const double tint[3] = {std::clamp(filter.color.red, 0.0, 1.0), std::clamp(filter.color.green, 0.0, 1.0),
                            std::clamp(filter.color.blue, 0.0, 1.0)};
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            const double source[3] = {static_cast<double>(qRed(pixel)), static_cast<double>(qGreen(pixel)),
                                      static_cast<double>(qBlue(pixel))};
            const double luminance = kRedWeight * source[0] + kGreenWeight * source[1] + kBlueWeight * source[2];
            int out[3];
            for (int c = 0; c < 3; ++c) out[c] = toByte(source[c] + intensity * (luminance * tint[c] - source[c]));
            line[x] = qRgba(out[0], out[1], out[2], qAlpha(pixel));
        }
    }
    return result;
}

}  // namespace spinewise
