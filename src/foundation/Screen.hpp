#pragma once

#include "foundation/Geometry.hpp"

#include <optional>

namespace spinewise {

/// The desktop's main screen, as the core needs it.
class MainScreen {
public:
    virtual ~MainScreen() = default;
    /// The main screen's frame (origin bottom left), or nothing when there is no screen.
    virtual std::optional<Rect> frame() const = 0;
};

}  // namespace spinewise
