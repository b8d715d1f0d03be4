#include "posture/RgbaImage.hpp"

#include "foundation/Fatal.hpp"

#include <string>

namespace spinewise {

RgbaImage::RgbaImage(int width, int height) : width_(width), height_(height) {
    if (width < 0 || height < 0)
        fatalError("RgbaImage: negative size " + std::to_string(width) + "x" + std::to_string(height));
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

std::size_t RgbaImage::index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        fatalError("RgbaImage: pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside the image");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

}  // namespace spinewise
