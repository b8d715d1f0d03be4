#pragma once

namespace spinewise {

/// An RGBA colour, each component from 0 to 1.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace spinewise
