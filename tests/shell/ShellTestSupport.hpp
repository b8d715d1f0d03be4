#pragma once

#include "shell/AlertSound.hpp"
#include "shell/AlertSoundFactory.hpp"
#include "shell/ApplicationActions.hpp"
#include "shell/WaveAudio.hpp"
#include "windows/PreferencesWindowControl.hpp"

#include <QByteArray>
#include <QRect>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace spinewise::testing {

/// What happened to the sounds a RecordingSoundFactory made, in order:
/// "load <n> bytes", "play <n> bytes", "stop <n> bytes" (n tells the files apart).
using SoundEvents = std::vector<std::string>;

class RecordingSound final : public AlertSound {
public:
    RecordingSound(qsizetype size, std::shared_ptr<SoundEvents> events) : size_(size), events_(std::move(events)) {}
    void play() override { events_->push_back("play " + std::to_string(size_) + " bytes"); }
    void stop() override { events_->push_back("stop " + std::to_string(size_) + " bytes"); }

private:
    qsizetype size_;
    std::shared_ptr<SoundEvents> events_;
};

/// Decodes as the program does (WAVE files) and records what the sounds do.
class RecordingSoundFactory final : public AlertSoundFactory {
public:
    std::unique_ptr<AlertSound> soundFromContents(const QByteArray& contents) override {
        if (!decodeWave(contents)) return nullptr;
        events->push_back("load " + std::to_string(contents.size()) + " bytes");
        return std::make_unique<RecordingSound>(contents.size(), events);
    }

    std::shared_ptr<SoundEvents> events = std::make_shared<SoundEvents>();
};

/// A mono 16-bit WAVE file at 8000 Hz holding `sampleCount` samples of silence.
inline QByteArray waveFile(std::uint32_t sampleCount) {
    QByteArray bytes;
    const auto put32 = [&bytes](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes.append(static_cast<char>((value >> shift) & 0xFF));
    };
    const auto put16 = [&bytes](std::uint16_t value) {
        bytes.append(static_cast<char>(value & 0xFF));
        bytes.append(static_cast<char>(value >> 8));
    };
    const std::uint32_t dataSize = sampleCount * 2;
    bytes.append("RIFF");
    put32(36 + dataSize);
    bytes.append("WAVEfmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    bytes.append("data");
    put32(dataSize);
    bytes.append(QByteArray(static_cast<qsizetype>(dataSize), '\0'));
    return bytes;
}

inline void writeBytes(const std::filesystem::path& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
}

/// Records the application-wide actions asked for.
class RecordingActions final : public ApplicationActions {
public:
    void checkPosture() override { calls.emplace_back("checkPosture"); }
    void showHistoryWindow() override { calls.emplace_back("showHistoryWindow"); }
    void showAbout() override { calls.emplace_back("showAbout"); }
    void terminate() override { calls.emplace_back("terminate"); }

    std::vector<std::string> calls;
};

/// A preferences window that is only a frame and a visibility, and tells its
/// delegate as the real one does.
class FakePreferencesWindow final : public PreferencesWindowControl {
public:
    void setDelegate(std::weak_ptr<PreferencesWindowControllerDelegate> delegate) override {
        delegate_ = std::move(delegate);
    }
    bool isWindowVisible() const override { return visible; }
    QRect windowFrame() const override { return frame; }
    void setWindowFrame(const QRect& newFrame) override { frame = newFrame; }
    void showWindow() override {
        ++showCount;
        if (const auto delegate = delegate_.lock()) delegate->preferencesWindowControllerWillShowWindow(*this);
        visible = true;
    }
    /// The user closes the window.
    void close() {
        visible = false;
        if (const auto delegate = delegate_.lock()) delegate->preferencesWindowControllerDidCloseWindow(*this);
    }

    bool visible = false;
    QRect frame{10, 20, 700, 480};
    int showCount = 0;

private:
    std::weak_ptr<PreferencesWindowControllerDelegate> delegate_;
};

}  // namespace spinewise::testing
