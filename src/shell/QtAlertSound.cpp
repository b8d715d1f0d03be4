#include "shell/QtAlertSound.hpp"

#include <QAudioDevice>
#include <QMediaDevices>

namespace spinewise {

QtAlertSound::QtAlertSound(WaveAudio audio) : audio_(std::move(audio)) { samples_.setBuffer(&audio_.samples); }

QtAlertSound::~QtAlertSound() { stop(); }

void QtAlertSound::play() {
    stop();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || !output.isFormatSupported(audio_.format)) return;
    if (!samples_.open(QIODevice::ReadOnly)) return;
    sink_ = std::make_unique<QAudioSink>(output, audio_.format);
    sink_->start(&samples_);
}

void QtAlertSound::stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    samples_.close();
}

bool QtAlertSound::isPlaying() const { return sink_ && sink_->state() == QAudio::ActiveState; }

}  // namespace spinewise
