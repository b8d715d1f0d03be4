// The alert sound: which file plays (the user's pick or "Basso"), what is
// logged when the pick cannot be used, WAVE decoding and quiet playback.
#include "ShellTestSupport.hpp"

#include "settings/DefaultSound.hpp"
#include "settings/Preferences.hpp"
#include "shell/AlertSoundSource.hpp"
#include "shell/QtAlertSound.hpp"
#include "shell/QtAlertSoundFactory.hpp"
#include "support/CommonTestSupport.hpp"
#include "support/TestPreferences.hpp"

#include <QFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <span>
#include <string>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

QByteArray bassoContents() {
    QFile file(QString::fromStdString((std::filesystem::path(SPINEWISE_RESOURCE_DIR) / kDefaultSoundResource).string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

class AlertSoundSourceTest : public ::testing::Test {
protected:
    void pick(const std::string& path) {
        UserDefaults(home.path() / "config" / "user-defaults.json")
            .setData(kNotificationSoundBookmarkKey, std::as_bytes(std::span(path.data(), path.size())));
    }
    std::filesystem::path userFile(const char* name) const { return home.path() / name; }

    /// "load <size of Basso> bytes".
    const std::string loadBasso = "load " + std::to_string(bassoContents().size()) + " bytes";

    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen;
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    SystemClock clock;
    LogRecorder log;
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, clock)};
    RecordingSoundFactory factory;
    AlertSoundSource source{preferences, resources, factory};
};

TEST_F(AlertSoundSourceTest, WithoutAPickItIsBasso) {
    log.clear();
    EXPECT_NE(source.alertSound(), nullptr);
    EXPECT_THAT(*factory.events, ElementsAre(loadBasso));
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(AlertSoundSourceTest, APickedWaveFileIsLoadedFromACopyOfItsContents) {
    writeBytes(userFile("Ping.wav"), waveFile(100));
    pick(userFile("Ping.wav").string());
    log.clear();

    const auto sound = source.alertSound();
    std::filesystem::remove(userFile("Ping.wav"));
    sound->play();

    EXPECT_THAT(*factory.events, ElementsAre("load 244 bytes", "play 244 bytes"));
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(AlertSoundSourceTest, APickThatCannotBeUsedIsLoggedAndBassoPlays) {
    const auto missing = userFile("Gone.wav");
    const auto folder = userFile("Folder.wav");
    std::filesystem::create_directory(folder);
    const auto notSound = userFile("Notes.wav");
    writeBytes(notSound, "RIFF but not a wave file at all, nothing to decode here");
    const auto truncated = userFile("Short.wav");
    writeBytes(truncated, waveFile(100).left(20));

    const struct {
        std::string bookmark;
        std::string line;
    } cases[] = {
        {missing.string(), "Error resolving URL from bookmark: The file \"" + missing.string() + "\" does not exist"},
        {"", "Error resolving URL from bookmark: The bookmark holds no file path"},
        {folder.string(), "Could not create sound from: " + folder.string()},
        {notSound.string(), "Could not create sound from: " + notSound.string()},
        {truncated.string(), "Could not create sound from: " + truncated.string()},
    };
    for (const auto& [bookmark, line] : cases) {
        SCOPED_TRACE(bookmark);
        pick(bookmark);
        log.clear();
        factory.events->clear();

        EXPECT_NE(source.alertSound(), nullptr);
        EXPECT_THAT(log.lines(), ElementsAre(line));
        EXPECT_THAT(*factory.events, ElementsAre(loadBasso));
    }
}

TEST(AlertSoundSourceDeathTest, AMissingBassoStopsTheProgram) {
    TemporaryDirectory home;
    const ResourceBundle real(SPINEWISE_RESOURCE_DIR);
    FakeMainScreen screen;
    SystemClock clock;
    Preferences preferences(preferencesEnvironmentIn(home.path(), std::make_shared<RecordingAlerts>(), screen, real, clock));
    const ResourceBundle empty(home.path());
    RecordingSoundFactory factory;
    AlertSoundSource source(preferences, empty, factory);
    EXPECT_DEATH(source.alertSound(), "Fatal error: Missing resource: .*sounds/Basso.wav");
}

TEST(WaveAudioTest, DecodesTheSamplesOfAWaveFile) {
    const auto basso = decodeWave(bassoContents());
    ASSERT_TRUE(basso);
    EXPECT_EQ(basso->format.sampleRate(), 22050);
    EXPECT_EQ(basso->format.channelCount(), 1);
    EXPECT_EQ(basso->format.sampleFormat(), QAudioFormat::Int16);
    EXPECT_EQ(basso->samples.size(), 8820 * 2);

    const auto made = decodeWave(waveFile(3));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->samples, QByteArray(6, '\0'));
}

TEST(WaveAudioTest, GivesNothingForOtherContents) {
    for (const QByteArray& contents : {QByteArray(), QByteArray("ID3\x03 an mp3 file"), waveFile(100).left(30),
                                       QByteArray(200, 'x')}) {
        EXPECT_FALSE(decodeWave(contents)) << contents.left(16).toStdString();
    }
}

TEST(QtAlertSoundTest, PlaysQuietlyWhereThereIsNoAudioDevice) {
    QtAlertSoundFactory factory;
    auto sound = factory.soundFromContents(bassoContents());
    ASSERT_NE(sound, nullptr);
    sound->play();
    sound->play();
    sound->stop();
    EXPECT_FALSE(dynamic_cast<QtAlertSound&>(*sound).isPlaying());
    EXPECT_EQ(factory.soundFromContents("not a sound"), nullptr);
}

}  // namespace
}  // namespace spinewise::testing
