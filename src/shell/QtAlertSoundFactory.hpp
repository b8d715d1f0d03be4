#pragma once

#include "shell/AlertSoundFactory.hpp"

namespace spinewise {

/// Sounds from WAVE files, played with Qt Multimedia.
class QtAlertSoundFactory final : public AlertSoundFactory {
public:
    std::unique_ptr<AlertSound> soundFromContents(const QByteArray& contents) override;
};

}  // namespace spinewise
