#pragma once

namespace spinewise {

/// A sound loaded into memory, played once per play(). Main thread only.
class AlertSound {
public:
    virtual ~AlertSound() = default;
    /// Plays the sound once from its start; quietly nothing without an audio device.
    virtual void play() = 0;
    virtual void stop() = 0;

protected:
    AlertSound() = default;
    AlertSound(const AlertSound&) = default;
    AlertSound& operator=(const AlertSound&) = default;
};

}  // namespace spinewise
