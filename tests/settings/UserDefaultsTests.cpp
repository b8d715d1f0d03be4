#include "SettingsTestSupport.hpp"

#include "settings/Base64.hpp"
#include "settings/UserDefaults.hpp"

namespace spinewise::testing {
namespace {

using namespace std::string_view_literals;

std::vector<std::byte> bytesOf(std::string_view text) {
    std::vector<std::byte> bytes;
    for (const char c : text) bytes.push_back(static_cast<std::byte>(c));
    return bytes;
}

TEST(Base64, EncodesAndDecodesTheStandardTestVectors) {
    const std::vector<std::pair<std::string_view, std::string_view>> vectors{
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xff\xfe\x00"sv, "//4A"},
    };
    for (const auto& [plain, encoded] : vectors) {
        SCOPED_TRACE(encoded);
        EXPECT_EQ(encodeBase64(bytesOf(plain)), encoded);
        EXPECT_EQ(decodeBase64(encoded), bytesOf(plain));
    }
}

TEST(Base64, RejectsWhatIsNotPaddedStandardBase64) {
    for (const auto* text : {"Zg", "Zg=", "Z===", "====", "Zm9v!A==", "Zm-_", "Z=g=", "Zg==Zg==", "Zm9 v"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(decodeBase64(text));
    }
}

class UserDefaultsTest : public ::testing::Test {
protected:
    TemporaryDirectory home;
    std::filesystem::path file = home.path() / "config" / "com.brightfold.spinewise" / "user-defaults.json";
    UserDefaults defaults{file};
};

TEST_F(UserDefaultsTest, LivesInTheProgramsConfigFolder) {
    EXPECT_EQ(UserDefaults::inConfigHome("/home/u/.config").file(),
              "/home/u/.config/com.brightfold.spinewise/user-defaults.json");
}

TEST_F(UserDefaultsTest, StoredBytesReadBackExactlyAndOtherEntriesStay) {
    EXPECT_FALSE(defaults.data("bookmark")) << "no file yet";

    std::vector<std::byte> every;
    for (int value = 0; value < 256; ++value) every.push_back(static_cast<std::byte>(value));
    defaults.setData("other", bytesOf("kept"));
    for (const auto& bytes : {every, std::vector<std::byte>{}, bytesOf("a"), bytesOf("ab")}) {
        defaults.setData("bookmark", bytes);
        EXPECT_EQ(defaults.data("bookmark"), bytes);
    }
    EXPECT_EQ(defaults.data("other"), bytesOf("kept"));
    EXPECT_FALSE(defaults.data("missing"));
    EXPECT_EQ(entriesOf(file.parent_path()), std::set<std::string>{"user-defaults.json"});
    EXPECT_EQ(nlohmann::json::parse(readFile(file))["other"], (nlohmann::json{{"base64", "a2VwdA=="}}));
}

TEST_F(UserDefaultsTest, RemovingAnEntryKeepsTheOthersAndCreatesNoFile) {
    defaults.removeValue("gone");
    EXPECT_FALSE(std::filesystem::exists(file));

    defaults.setData("gone", bytesOf("a"));
    defaults.setData("kept", bytesOf("b"));
    defaults.removeValue("gone");
    defaults.removeValue("never there");

    EXPECT_FALSE(defaults.data("gone"));
    EXPECT_EQ(defaults.data("kept"), bytesOf("b"));
}

TEST_F(UserDefaultsTest, ValuesThatAreNotRawBytesReadAsAbsent) {
    for (const auto* text : {
             R"({"k": "AAE="})",
             R"({"k": 5})",
             R"({"k": null})",
             R"({"k": [0, 1]})",
             R"({"k": {"base64": 5}})",
             R"({"k": {"base64": "AAE"}})",
             R"({"k": {"base64": "AAE=", "more": 1}})",
             R"({"k": {"bytes": "AAE="}})",
             R"([{"k": {"base64": "AAE="}}])",
             R"({"k": {"base64": "AAE=")",
         }) {
        SCOPED_TRACE(text);
        writeFile(file, text);
        EXPECT_FALSE(defaults.data("k"));
    }
}

TEST_F(UserDefaultsTest, WritingOverADamagedFileStartsAfresh) {
    writeFile(file, "not json");
    defaults.setData("k", bytesOf("x"));
    EXPECT_EQ(defaults.data("k"), bytesOf("x"));
}

TEST_F(UserDefaultsTest, UnwritableFolderThrowsWithTheReason) {
    writeFile(home.path() / "config", "a file where a folder should be");
    EXPECT_THROW(defaults.setData("k", bytesOf("x")), std::system_error);
}

class BookmarkTest : public PreferencesTest {};

TEST_F(BookmarkTest, PreferencesReadTheSoundBookmarkFromTheUserDefaults) {
    const auto preferences = makePreferences();
    const UserDefaults defaults(userDefaultsFile());
    EXPECT_FALSE(preferences->notificationSoundBookmark());

    defaults.setData("notificationSoundSecurityBookmarkKey", bytesOf("/home/u/Music/ding.ogg"));
    EXPECT_EQ(preferences->notificationSoundBookmark(), bytesOf("/home/u/Music/ding.ogg"));

    writeFile(userDefaultsFile(), R"({"notificationSoundSecurityBookmarkKey": "/home/u/Music/ding.ogg"})");
    EXPECT_FALSE(preferences->notificationSoundBookmark()) << "a string is not raw bytes";
}

}  // namespace
}  // namespace spinewise::testing
