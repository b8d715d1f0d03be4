#include "SettingsTestSupport.hpp"

#include "foundation/KeyedArchive.hpp"
#include "settings/Presets.hpp"
#include "settings/PresetsArchive.hpp"
#include "settings/ProgramEnvironment.hpp"

#include <cstdio>
#include <cstdlib>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::string> descriptionsOf(const std::vector<std::shared_ptr<Preset>>& presets) {
    std::vector<std::string> descriptions;
    for (const auto& preset : presets) descriptions.push_back(preset->description());
    return descriptions;
}

const std::vector<std::string> kFirstRunDescriptions = {
    "Preset(title: 40% baseline, eyeLevelInPercent: 0.4)",
    "Preset(title: 50% baseline, eyeLevelInPercent: 0.5)",
    "Preset(title: 60% baseline, eyeLevelInPercent: 0.6)",
};

/// A presets file written by tests/settings/fixtures/make-presets-fixture.py.
std::string fixture(std::string_view name) {
    return readFile(std::filesystem::path(SETTINGS_FIXTURES_DIR) / "presets" / name);
}

class PresetsTest : public ::testing::Test {
protected:
    std::filesystem::path dataHome() const { return home.path() / "data"; }
    std::filesystem::path applicationDirectory() const { return dataHome() / "com.brightfold.spinewise"; }
    std::filesystem::path presetsFile() const { return applicationDirectory() / "presets.data"; }
    std::filesystem::path marker() const { return applicationDirectory() / ".firstPresetsRun"; }
    /// A later start whose stored file holds the fixture.
    void installFixture(std::string_view name) const {
        writeFile(presetsFile(), fixture(name));
        writeFile(marker(), "");
    }

    std::unique_ptr<Presets> start() {
        return std::make_unique<Presets>(ApplicationDirectory(dataHome(), alerts), clock);
    }

    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FixedClock clock{kTestNow};
    LogRecorder log;
};

TEST_F(PresetsTest, FirstStartCreatesTheThreePresetsTheFileAndTheMarker) {
    const auto presets = start();

    EXPECT_EQ(descriptionsOf(presets->presets()), kFirstRunDescriptions);
    EXPECT_EQ(entriesOf(applicationDirectory()), (std::set<std::string>{".firstPresetsRun", "presets.data"}));
    EXPECT_EQ(readFile(marker()), "");
    EXPECT_EQ(descriptionsOf(unarchivePresets(readFile(presetsFile()))), kFirstRunDescriptions);
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(PresetsTest, LaterStartsReadWhatTheLastAssignmentStored) {
    start()->setPresets({std::make_shared<Preset>("Desk", 0.45), std::make_shared<Preset>("Sofa", 0.1 + 0.2)});
    EXPECT_THAT(descriptionsOf(start()->presets()),
                ElementsAre("Preset(title: Desk, eyeLevelInPercent: 0.45)",
                            "Preset(title: Sofa, eyeLevelInPercent: 0.30000000000000004)"));

    start()->setPresets({});
    EXPECT_THAT(start()->presets(), IsEmpty()) << "the first-run presets never come back while the marker exists";
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(PresetsTest, RestartAfterTheFirstKeepsTheThree) {
    start();
    EXPECT_EQ(descriptionsOf(start()->presets()), kFirstRunDescriptions);
}

TEST_F(PresetsTest, RemovingTheMarkerRecreatesTheThreeOverTheStoredList) {
    start()->setPresets({std::make_shared<Preset>("Desk", 0.45)});
    std::filesystem::remove(marker());

    EXPECT_EQ(descriptionsOf(start()->presets()), kFirstRunDescriptions);
    EXPECT_EQ(descriptionsOf(start()->presets()), kFirstRunDescriptions);
    EXPECT_TRUE(std::filesystem::exists(marker()));
}

TEST_F(PresetsTest, MissingFileWithTheMarkerGivesAnEmptyListQuietly) {
    writeFile(marker(), "");

    EXPECT_THAT(start()->presets(), IsEmpty());
    EXPECT_THAT(log.lines(), IsEmpty());
    EXPECT_EQ(entriesOf(applicationDirectory()), std::set<std::string>{".firstPresetsRun"});
}

TEST_F(PresetsTest, EveryAssignmentSavesEvenAnUnchangedList) {
    const auto presets = start();
    std::filesystem::remove(presetsFile());

    presets->setPresets(presets->presets());

    EXPECT_EQ(descriptionsOf(unarchivePresets(readFile(presetsFile()))), kFirstRunDescriptions);
}

TEST_F(PresetsTest, FailedSaveIsLoggedAndKeepsTheListInMemory) {
    const auto presets = start();
    std::filesystem::remove(presetsFile());
    std::filesystem::create_directories(presetsFile() / "in-the-way");

    presets->setPresets({std::make_shared<Preset>("Desk", 0.45)});

    EXPECT_THAT(log.lines(), ElementsAre(HasSubstr("Cannot write " + presetsFile().string())));
    EXPECT_THAT(descriptionsOf(presets->presets()), ElementsAre("Preset(title: Desk, eyeLevelInPercent: 0.45)"));
}

TEST_F(PresetsTest, ReadsAFileWrittenByAnotherWriter) {
    installFixture("presets.data");

    EXPECT_THAT(descriptionsOf(start()->presets()),
                ElementsAre("Preset(title: Desk, eyeLevelInPercent: 0.45)",
                            "Preset(title: Café table ☕, eyeLevelInPercent: 0.6180339887498949)",
                            "Preset(title: Sofa, eyeLevelInPercent: 1.0)"));
    EXPECT_THAT(log.lines(), IsEmpty());
}

struct UnreadablePresets {
    const char* name;
    std::string bytes;
    const char* cause;
};

class UnreadablePresetsTest : public PresetsTest, public ::testing::WithParamInterface<UnreadablePresets> {};

TEST_P(UnreadablePresetsTest, FileIsKeptAsideAndTheListStartsEmpty) {
    writeFile(presetsFile(), GetParam().bytes);
    writeFile(marker(), "");
    const auto kept = applicationDirectory() / "presets.data.unreadable-20261211T081500Z";

    const auto presets = start();

    EXPECT_THAT(presets->presets(), IsEmpty());
    EXPECT_THAT(log.lines(), ElementsAre("Cannot decode " + presetsFile().string() + ": " + GetParam().cause,
                                       "Kept the unreadable presets file as " + kept.string()));
    EXPECT_EQ(readFile(kept), GetParam().bytes);

    presets->setPresets({std::make_shared<Preset>("Desk", 0.45)});
    EXPECT_EQ(readFile(kept), GetParam().bytes) << "saving leaves the kept file alone";
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadablePresetsTest,
    ::testing::Values(
        UnreadablePresets{"NotAnArchive", "title=Desk", "not a binary property list"},
        UnreadablePresets{"Truncated", fixture("presets.data").substr(0, 200),
                          "damaged binary property list"},
        UnreadablePresets{"WrongRoot", fixture("wrong-root.data"),
                          "the root object is a NSDictionary, not an array"},
        UnreadablePresets{"MissingTitle", fixture("missing-title.data"),
                          "preset 1: \"title\" is missing"},
        UnreadablePresets{"TitleNumber", fixture("title-number.data"),
                          "preset 0: \"title\" is not a string"},
        UnreadablePresets{"EyeLevelString", fixture("eye-level-string.data"),
                          "preset 0: \"eyeLevelInPercent\" is not a number"},
        UnreadablePresets{"ForeignClass", fixture("foreign-class.data"),
                          "element 0 is a Other.Thing, not a Spinewise.Preset"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(PresetsTest, FileThatCannotBeReadIsKeptAsideToo) {
    std::filesystem::create_directories(presetsFile() / "not-a-file");
    writeFile(marker(), "");

    EXPECT_THAT(start()->presets(), IsEmpty());

    EXPECT_THAT(log.lines(), ElementsAre("Cannot read " + presetsFile().string() + ": Is a directory",
                                       HasSubstr("Kept the unreadable presets file as ")));
    EXPECT_TRUE(std::filesystem::is_directory(applicationDirectory() /
                                              "presets.data.unreadable-20261211T081500Z" / "not-a-file"));
}

TEST_F(PresetsTest, WithoutAnApplicationDirectoryTheProgramStops) {
    EXPECT_DEATH(Presets(ApplicationDirectory(std::nullopt, alerts), clock), "Fatal error: applicationDirectory == nil");
}

/// Runs python3 on `script` with `argument`; nothing when python3 cannot run.
std::optional<std::string> runPython(const std::string& script, const std::filesystem::path& argument) {
    if (std::system("python3 -c '' >/dev/null 2>&1") != 0) return std::nullopt;
    const auto command = "python3 -c '" + script + "' '" + argument.string() + "'";
    std::unique_ptr<FILE, decltype(&::pclose)> pipe(::popen(command.c_str(), "r"), &::pclose);
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    while (const auto count = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, count);
    return output;
}

TEST_F(PresetsTest, PythonPlistlibReadsTheWrittenArchive) {
    start()->setPresets({std::make_shared<Preset>("Café", 0.45), std::make_shared<Preset>("Sofa", 1.0)});
    // Resolves every UID as an independent reader and prints what it found as JSON.
    const std::string script = R"(
import json, plistlib, sys
archive = plistlib.load(open(sys.argv[1], "rb"))
objects = archive["$objects"]
at = lambda uid: objects[uid.data]
root = at(archive["$top"]["root"])
def described(uid):
    element = at(uid)
    fields = {key: at(value) for key, value in element.items() if key != "$class"}
    return {"class": at(element["$class"]), "fields": fields}
print(json.dumps({"archiver": archive["$archiver"], "version": archive["$version"], "null": objects[0],
                  "rootClass": at(root["$class"]), "elements": [described(uid) for uid in root["NS.objects"]]}))
)";
    const auto output = runPython(script, presetsFile());
    if (!output) GTEST_SKIP() << "python3 is not available";

    const auto presetClass = nlohmann::json{{"$classname", "Spinewise.Preset"},
                                            {"$classes", {"Spinewise.Preset", "NSObject"}}};
    EXPECT_EQ(nlohmann::json::parse(*output),
              (nlohmann::json{
                  {"archiver", "NSKeyedArchiver"},
                  {"version", 100000},
                  {"null", "$null"},
                  {"rootClass", {{"$classname", "NSArray"}, {"$classes", {"NSArray", "NSObject"}}}},
                  {"elements",
                   {{{"class", presetClass}, {"fields", {{"title", "Café"}, {"eyeLevelInPercent", 0.45}}}},
                    {{"class", presetClass}, {"fields", {{"title", "Sofa"}, {"eyeLevelInPercent", 1.0}}}}}},
              }));
}

TEST(Preset, DescriptionUsesTheShortestDecimalThatReadsBack) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.5, "0.5"}, {0.1 + 0.2, "0.30000000000000004"}, {1.0, "1.0"}, {0.0, "0.0"}, {1e-7, "1e-07"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Preset("50% baseline", value).description(),
                  "Preset(title: 50% baseline, eyeLevelInPercent: " + text + ")");
}

TEST(Preset, FieldChangesAreObservable) {
    Preset preset("Desk", 0.45);
    std::vector<std::string> changed;
    const auto titleToken = preset.observe(std::string(PresetKey::title), [&] { changed.push_back(preset.title()); });
    const auto levelToken = preset.observe(std::string(PresetKey::eyeLevelInPercent),
                                           [&] { changed.push_back(std::to_string(preset.eyeLevelInPercent())); });

    preset.setTitle("Standing desk");
    preset.setEyeLevelInPercent(0.7);

    EXPECT_THAT(changed, ElementsAre("Standing desk", "0.700000"));
}

TEST(SharedPresets, ComeFromTheXdgDataFolder) {
    const TemporaryDirectory home;
    const auto applicationDirectory = home.path() / "com.brightfold.spinewise";
    const auto run = [&] {
        ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        auto& presets = Presets::shared();
        std::_Exit(&presets == &Presets::shared() && presets.presets().size() == 3 ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(std::filesystem::is_regular_file(applicationDirectory / "presets.data"));
    EXPECT_TRUE(std::filesystem::is_regular_file(applicationDirectory / ".firstPresetsRun"));
}

}  // namespace
}  // namespace spinewise::testing
