#pragma once

#include <map>
#include <optional>

struct _XDisplay;

namespace spinewise {

/// Follows which modifier keys are held, from the key presses and releases of
/// the whole keyboard, as KeyShortcut modifier bits: Control is command, Super
/// is control, Alt (or Meta) is option and Shift is shift. Left and right
/// keys count as one modifier.
class X11ModifierKeys {
public:
    explicit X11ModifierKeys(_XDisplay* display);

    /// The modifier bits held after `keyCode` went down or up; none when it is no modifier key.
    std::optional<int> keyChanged(unsigned int keyCode, bool pressed);
    /// Forgets every held key (after a time of not following the keyboard).
    void reset();

private:
    _XDisplay* display_;
    std::map<unsigned int, int> heldKeys_;  // key code -> modifier bit
};

}  // namespace spinewise
