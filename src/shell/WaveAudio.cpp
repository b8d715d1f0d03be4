#include "shell/WaveAudio.hpp"

#include <QBuffer>
#include <QWaveDecoder>

namespace spinewise {

std::optional<WaveAudio> decodeWave(const QByteArray& contents) {
    QByteArray data = contents;
    QBuffer source(&data);
    if (!source.open(QIODevice::ReadOnly)) return std::nullopt;
    // With the whole file at hand the decoder reads the header while opening.
    QWaveDecoder decoder(&source);
    if (!decoder.open(QIODevice::ReadOnly) || !decoder.audioFormat().isValid()) return std::nullopt;
    return WaveAudio{decoder.audioFormat(), decoder.readAll()};
}

}  // namespace spinewise
