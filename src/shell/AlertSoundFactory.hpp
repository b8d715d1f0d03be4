#pragma once

#include "shell/AlertSound.hpp"

#include <QByteArray>

#include <memory>

namespace spinewise {

/// Makes sounds from a file's contents.
class AlertSoundFactory {
public:
    virtual ~AlertSoundFactory() = default;
    /// The sound held in `contents`, or null when they are no sound it can decode.
    virtual std::unique_ptr<AlertSound> soundFromContents(const QByteArray& contents) = 0;

protected:
    AlertSoundFactory() = default;
    AlertSoundFactory(const AlertSoundFactory&) = default;
    AlertSoundFactory& operator=(const AlertSoundFactory&) = default;
};

}  // namespace spinewise
