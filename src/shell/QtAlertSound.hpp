#pragma once

#include "shell/AlertSound.hpp"
#include "shell/WaveAudio.hpp"

#include <QAudioSink>
#include <QBuffer>

#include <memory>

namespace spinewise {

/// Decoded samples played on the default audio output. Without an output
/// device, or with one that cannot take the samples' format, play() does nothing.
class QtAlertSound final : public AlertSound {
public:
    explicit QtAlertSound(WaveAudio audio);
    ~QtAlertSound() override;
    QtAlertSound(const QtAlertSound&) = delete;
    QtAlertSound& operator=(const QtAlertSound&) = delete;

    void play() override;
    void stop() override;

    /// Whether samples are being played (for tests).
    bool isPlaying() const;

private:
    WaveAudio audio_;
    QBuffer samples_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace spinewise
