#pragma once

#include "foundation/Color.hpp"

#include <QImage>

namespace spinewise {

/// Recolours a picture into shades of one colour. Each pixel's luminance
/// (Rec. 709 weights) scales the colour, so black stays black and white
/// becomes the colour itself; `intensity` (0..1) blends from the original
/// picture (0) to that pure monochrome (1). The colour's alpha plays no part.
struct MonochromeFilter {
    Color color;
    double intensity = 0;

    /// The preview's filter before the alert colour is known: red at half strength.
    static constexpr MonochromeFilter initial() { return {Color{1, 0, 0, 1}, 0.5}; }
    /// The preview's filter for an alert colour: its red, green and blue at 0.8.
    static constexpr MonochromeFilter forAlertColor(const Color& color) {
        return {Color{color.red, color.green, color.blue, 1}, 0.8};
    }

    friend bool operator==(const MonochromeFilter&, const MonochromeFilter&) = default;
};

/// The picture with `filter` applied, as ARGB32 of the same size; alpha is
/// kept. Colour and intensity components outside 0..1 are clamped.
QImage applyMonochrome(const QImage& picture, const MonochromeFilter& filter);

}  // namespace spinewise
