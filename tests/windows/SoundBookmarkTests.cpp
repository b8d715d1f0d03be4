#include "windows/SoundBookmark.hpp"
#include "support/CommonTestSupport.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace spinewise {
namespace {

std::vector<std::byte> bytesOf(const std::string& text) {
    const auto* begin = reinterpret_cast<const std::byte*>(text.data());
    return {begin, begin + text.size()};
}

TEST(SoundBookmarkTest, IsTheLocalFilesPathAndNothingForAnythingElse) {
    testing::TemporaryDirectory folder;
    const auto sound = folder.path() / "Chime é.wav";
    std::ofstream(sound) << "RIFF";
    const auto url = [](const std::filesystem::path& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path.string()));
    };

    EXPECT_EQ(makeSoundBookmark(url(sound)), bytesOf(sound.string()));
    EXPECT_FALSE(makeSoundBookmark(url(folder.path() / "Missing.wav")));
    EXPECT_FALSE(makeSoundBookmark(url(folder.path())));
    EXPECT_FALSE(makeSoundBookmark(QUrl("sftp://host/sounds/Remote.wav")));
}

}  // namespace
}  // namespace spinewise
