#pragma once

#include "foundation/Color.hpp"
#include "posture/RgbaImage.hpp"

namespace spinewise {

/// A new image of the same size in which every pixel is the source pixel
/// multiplied component by component (red, green, blue and alpha) by `color`.
/// Components of `color` outside 0..1 are clamped; results are rounded to the
/// nearest 8-bit value.
RgbaImage tinted(const RgbaImage& image, const Color& color);

}  // namespace spinewise
