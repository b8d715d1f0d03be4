#include "SettingsTestSupport.hpp"

#include "settings/DefaultSound.hpp"

#include <cstdint>
#include <cstring>

namespace spinewise::testing {
namespace {

const ResourceBundle& buildResources() {
    static const ResourceBundle resources(SPINEWISE_RESOURCE_DIR);
    return resources;
}

TEST(StateDefaults, AreTheDocumentedValues) {
    const auto state = State::defaults(FakeMainScreen(Rect{0, 0, 1920, 1080}), buildResources());
    EXPECT_EQ(toJson(state), nlohmann::json::parse(R"({
        "scheduleInterval": 1.0, "correctPostureTime": 5.0, "poorPostureTime": 2.0, "unknownPostureTime": 10.0,
        "eyeLevelInPercent": 0.5,
        "notificationColor": {"red": 1.0, "green": 0.0, "blue": 0.0, "alpha": 1.0},
        "notificationTransparency": 0.5, "playNotificationSound": true,
        "notificationSoundFilename": "Basso.wav",
        "showStatusBarItem": true, "showPreferencesWindowOnStartUp": false, "launchAtLogin": false,
        "history": []})"));
}

TEST(StateDefaults, EyeLevelIsTheMiddleOfTheMainScreenFrameOverItsHeight) {
    const std::vector<std::pair<Rect, double>> cases{
        {Rect{0, 0, 1920, 1080}, 0.5},
        {Rect{-1280, 0, 1280, 1024}, 0.5},
        {Rect{0, 200, 1000, 800}, 0.75},
    };
    for (const auto& [frame, eyeLevel] : cases)
        EXPECT_EQ(State::defaults(FakeMainScreen(frame), buildResources()).eyeLevelInPercent, eyeLevel);
}

TEST(StateDefaults, NoMainScreenStopsTheProgram) {
    EXPECT_DEATH(State::defaults(FakeMainScreen(std::nullopt), buildResources()), "Fatal error: No main screen");
    EXPECT_DEATH(State::defaults(FakeMainScreen(Rect{0, 0, 1920, 0}), buildResources()), "Fatal error: No main screen");
}

TEST(StateDefaults, MissingSoundResourceStopsTheProgramNamingTheFile) {
    const TemporaryDirectory empty;
    EXPECT_DEATH(State::defaults(FakeMainScreen(Rect{0, 0, 1920, 1080}), ResourceBundle(empty.path())),
                 "Fatal error: .*sounds/Basso.wav");
}

std::uint32_t littleEndian(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    return value;
}

TEST(DefaultSound, IsAShortSmall16BitMonoWave) {
    const auto bytes = readFile(buildResources().requiredResource(kDefaultSoundResource));
    ASSERT_GE(bytes.size(), 44U);
    EXPECT_LT(bytes.size(), 50'000U);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(littleEndian(bytes, 20, 2), 1U) << "PCM";
    EXPECT_EQ(littleEndian(bytes, 22, 2), 1U) << "mono";
    EXPECT_EQ(littleEndian(bytes, 34, 2), 16U) << "bits per sample";
    EXPECT_EQ(bytes.substr(36, 4), "data");
    const double seconds = littleEndian(bytes, 40, 4) / 2.0 / littleEndian(bytes, 24, 4);
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 0.5);
}

}  // namespace
}  // namespace spinewise::testing
