#include "shell/QtAlertSoundFactory.hpp"

#include "shell/QtAlertSound.hpp"
#include "shell/WaveAudio.hpp"

namespace spinewise {

std::unique_ptr<AlertSound> QtAlertSoundFactory::soundFromContents(const QByteArray& contents) {
    auto audio = decodeWave(contents);
    if (!audio) return nullptr;
    return std::make_unique<QtAlertSound>(std::move(*audio));
}

}  // namespace spinewise
