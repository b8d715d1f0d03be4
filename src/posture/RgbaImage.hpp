#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace spinewise {

/// One 8-bit RGBA pixel with straight alpha.
struct Rgba8 {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
    friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

/// An 8-bit RGBA image, rows from the top, pixels packed without padding.
class RgbaImage {
public:
    /// A fully transparent image of the given size.
    RgbaImage(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    Rgba8 pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, Rgba8 value) { pixels_[index(x, y)] = value; }

    std::span<const Rgba8> pixels() const { return pixels_; }
    std::span<Rgba8> pixels() { return pixels_; }

    friend bool operator==(const RgbaImage&, const RgbaImage&) = default;

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgba8> pixels_;
};

}  // namespace spinewise
