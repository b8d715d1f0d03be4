#pragma once

#include <QAudioFormat>
#include <QByteArray>

#include <optional>

namespace spinewise {

/// PCM samples and their format.
struct WaveAudio {
    QAudioFormat format;
    QByteArray samples;
};

/// The samples of a WAVE file's contents (RIFF, PCM or float); nothing when
/// the contents are not such a file.
std::optional<WaveAudio> decodeWave(const QByteArray& contents);

}  // namespace spinewise
