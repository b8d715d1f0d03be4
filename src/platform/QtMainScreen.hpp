#pragma once

#include "foundation/Screen.hpp"

#include <functional>

class QScreen;

namespace spinewise {

/// The desktop's primary screen as the core sees it: its size in
/// device-independent pixels, with the origin at (0, 0).
class QtMainScreen final : public MainScreen {
public:
    using ScreenSource = std::function<QScreen*()>;

    /// `primaryScreen` gives the screen to report, or null when there is none.
    explicit QtMainScreen(ScreenSource primaryScreen = defaultScreenSource());

    std::optional<Rect> frame() const override;

private:
    static ScreenSource defaultScreenSource();

    ScreenSource primaryScreen_;
};

}  // namespace spinewise
