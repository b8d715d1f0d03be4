#include "foundation/InfoDictionary.hpp"

#include "support/CommonTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace spinewise {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Optional;

TEST(InfoDictionary, AnswersItsKeysAndNothingForOthers) {
    const InfoDictionary dictionary({{"CFBundleShortVersionString", "2.0"}, {"empty", ""}});
    EXPECT_THAT(dictionary.string("CFBundleShortVersionString"), Optional(std::string("2.0")));
    EXPECT_THAT(dictionary.string("empty"), Optional(std::string()));
    EXPECT_EQ(dictionary.string("com.brightfold.spinewise.GitRevChecksum"), std::nullopt);
    EXPECT_EQ(dictionary.string("cfbundleshortversionstring"), std::nullopt);
}

TEST(InfoDictionary, TheProgramsOwnCarriesItsBuildsValues) {
    const InfoDictionary& main = InfoDictionary::main();
    EXPECT_THAT(main.string("CFBundleName"), Optional(std::string("Spinewise")));
    EXPECT_THAT(main.string("CFBundleIdentifier"), Optional(std::string("com.brightfold.spinewise")));
    EXPECT_THAT(main.string("CFBundleShortVersionString"), Optional(std::string(SPINEWISE_PROJECT_VERSION)));
    EXPECT_THAT(main.string("NSHumanReadableCopyright"),
                Optional(std::string("Copyright © 2026 Brightfold. All rights reserved.")));
    EXPECT_THAT(main.string("com.brightfold.spinewise.GitRevChecksum"),
                Optional(MatchesRegex("[0-9a-f][0-9a-f][0-9a-f][0-9a-f]+|unknown")));
}

/// Runs a shell command; its standard output, or a failure.
std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("popen failed: " + command);
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
    if (::pclose(pipe) != 0) throw std::runtime_error("command failed: " + command);
    return output;
}

/// The build-time script that writes the dictionary's source, run on a
/// source folder of the test's own.
class InfoDictionaryScript : public ::testing::Test {
protected:
    std::string generate(const std::string& git = GIT_COMMAND_PATH) const {
        run(std::string(CMAKE_COMMAND_PATH) + " -DTEMPLATE=" INFO_TEMPLATE " -DOUTPUT=" + output().string() +
            " -DVERSION=3.4.5 -DSOURCE_DIR=" + sources.path().string() + " -DGIT=" + git + " -P " INFO_SCRIPT);
        std::ifstream file(output());
        std::stringstream content;
        content << file.rdbuf();
        return content.str();
    }
    std::string commit() const {
        const std::string git = std::string(GIT_COMMAND_PATH) + " -C " + sources.path().string();
        run(git + " -c user.name=Test -c user.email=test@example.com commit -q --allow-empty -m change");
        std::string revision = run(git + " rev-parse --short HEAD");
        revision.pop_back();
        return revision;
    }
    std::filesystem::path output() const { return generated.path() / "InfoDictionaryMain.cpp"; }

    testing::TemporaryDirectory sources;
    testing::TemporaryDirectory generated;
};

TEST_F(InfoDictionaryScript, TakesTheVersionAndTheRevisionOfHeadAtEachRun) {
    run(std::string(GIT_COMMAND_PATH) + " init -q " + sources.path().string());
    const std::string first = commit();
    EXPECT_THAT(generate(), HasSubstr("{\"com.brightfold.spinewise.GitRevChecksum\", \"" + first + "\"}"));
    const std::string second = commit();
    const std::string source = generate();
    EXPECT_THAT(source, HasSubstr("{\"com.brightfold.spinewise.GitRevChecksum\", \"" + second + "\"}"));
    EXPECT_THAT(source, HasSubstr("{\"CFBundleShortVersionString\", \"3.4.5\"}"));
}

TEST_F(InfoDictionaryScript, LeavesTheSourceUntouchedWhileHeadStays) {
    run(std::string(GIT_COMMAND_PATH) + " init -q " + sources.path().string());
    commit();
    generate();
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(output(), past);
    generate();
    EXPECT_EQ(std::filesystem::last_write_time(output()), past);
}

TEST_F(InfoDictionaryScript, SaysUnknownOutsideAGitCheckoutOrWithoutGit) {
    const std::string unknown = "{\"com.brightfold.spinewise.GitRevChecksum\", \"unknown\"}";
    EXPECT_THAT(generate(), HasSubstr(unknown));
    run(std::string(GIT_COMMAND_PATH) + " init -q " + sources.path().string());
    commit();
    EXPECT_THAT(generate("GIT-NOTFOUND"), HasSubstr(unknown));
}

}  // namespace
}  // namespace spinewise
