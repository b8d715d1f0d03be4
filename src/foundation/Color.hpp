#pragma once

namespace spinewise {

/// An RGBA colour with straight (not premultiplied) alpha, each component 0..1.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    /// A grey: every colour component at `level`.
    static constexpr Color white(double level, double alpha) { return {level, level, level, alpha}; }

    friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace spinewise
