#pragma once

#include "foundation/ResourceBundle.hpp"
#include "posture/RgbaImage.hpp"
#include "posture/StatusImage.hpp"

#include <QImage>

#include <map>
#include <string>

namespace spinewise {

/// The status item's images: the drawings icons/<name>.svg of the resources,
/// rendered at 22x22 and tinted. A missing or broken drawing is an
/// installation fault that stops the program.
class StatusImages {
public:
    static constexpr int kSize = 22;

    explicit StatusImages(const ResourceBundle& resources) : resources_(resources) {}

    /// The named drawing multiplied by the chosen grey.
    QImage image(const StatusImage& choice);

private:
    const RgbaImage& drawing(std::string_view name);

    const ResourceBundle& resources_;
    std::map<std::string, RgbaImage, std::less<>> drawings_;
};

/// Between QImage and the core's image type (8-bit RGBA, straight alpha).
RgbaImage rgbaImageFromQImage(const QImage& image);
QImage qImageFromRgbaImage(const RgbaImage& image);

}  // namespace spinewise
