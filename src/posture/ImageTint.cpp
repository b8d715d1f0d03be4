#include "posture/ImageTint.hpp"

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

std::uint8_t scaled(std::uint8_t component, double factor) {
    return static_cast<std::uint8_t>(std::lround(component * std::clamp(factor, 0.0, 1.0)));
}

}  // namespace

RgbaImage tinted(const RgbaImage& image, const Color& color) {
    RgbaImage result(image.width(), image.height());
    std::ranges::transform(image.pixels(), result.pixels().begin(), [&color](Rgba8 pixel) {
        return Rgba8{scaled(pixel.red, color.red), scaled(pixel.green, color.green),
                     scaled(pixel.blue, color.blue), scaled(pixel.alpha, color.alpha)};
    });
    return result;
}

}  // namespace spinewise
