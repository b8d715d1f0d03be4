#include "windows/calibration/PresetsPopover.hpp"

#include "foundation/ResourceBundle.hpp"
#include "foundation/VirtualClock.hpp"
#include "settings/Presets.hpp"
#include "support/CommonTestSupport.hpp"
#include "support/TestPreferences.hpp"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakeMainScreen;
using testing::LogRecorder;
using testing::RecordingAlerts;
using testing::TemporaryDirectory;

TEST(PresetTitleTest, RoundsTheLevelInPercentToAWholeNumberHalvesToEven) {
    const struct {
        double level;
        const char* title;
    } cases[] = {
        {0.5, "50% baseline"},   {0.505, "50% baseline"}, {0.515, "52% baseline"}, {0.125, "12% baseline"},
        {0.375, "38% baseline"}, {0.004, "0% baseline"},  {0.995, "100% baseline"}, {0.4567, "46% baseline"},
    };
    for (const auto& [level, title] : cases) EXPECT_EQ(PresetsEditor::titleFor(level), title) << level;
}

/// The popover over settings and presets kept under a test home; the store
/// holds Desk (0.45), Sofa (0.3) and Standing (0.62) when the popover opens.
class PresetsPopoverTest : public ::testing::Test {
protected:
    PresetsPopoverTest() {
        store.setPresets({std::make_shared<Preset>("Desk", 0.45), std::make_shared<Preset>("Sofa", 0.3),
                          std::make_shared<Preset>("Standing", 0.62)});
        popover.show();
    }

    /// What a fresh start would read from the presets file.
    std::vector<std::string> storedPresets() const {
        const Presets restarted(directory(), clock);
        std::vector<std::string> descriptions;
        for (const auto& preset : restarted.presets()) descriptions.push_back(preset->description());
        return descriptions;
    }
    std::vector<std::string> shownTitles() const {
        std::vector<std::string> titles;
        for (int row = 0; row < popover.list().count(); ++row)
            titles.push_back(popover.list().item(row)->text().toStdString());
        return titles;
    }
    void select(std::initializer_list<int> rows) {
        popover.list().clearSelection();
        for (const int row : rows) popover.list().item(row)->setSelected(true);
    }
    void click(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    ApplicationDirectory directory() const { return ApplicationDirectory(home.path() / "data", alerts); }

    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen;
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    VirtualClock clock{800'000'000};
    Preferences preferences{testing::preferencesEnvironmentIn(home.path(), alerts, screen, resources, clock)};
    Presets store{directory(), clock};
    LogRecorder log;
    PresetsPopover popover{store, preferences, nullptr};
};

TEST_F(PresetsPopoverTest, ShowsTheStoresListAfreshEachTimeItOpens) {
    EXPECT_THAT(shownTitles(), ElementsAre("Desk", "Sofa", "Standing"));

    popover.hide();
    store.setPresets({std::make_shared<Preset>("Elsewhere", 0.5)});
    popover.show();

    EXPECT_THAT(shownTitles(), ElementsAre("Elsewhere"));
}

TEST_F(PresetsPopoverTest, SavingAddsThePreciseCurrentLevelUnderItsRoundedTitleAndStoresTheList) {
    preferences.setEyeLevelInPercent(0.004);
    click(popover.saveButton());
    preferences.setEyeLevelInPercent(0.5);
    click(popover.saveButton());
    click(popover.saveButton());

    EXPECT_THAT(shownTitles(), ElementsAre("Desk", "Sofa", "Standing", "0% baseline", "50% baseline", "50% baseline"));
    EXPECT_THAT(storedPresets(),
                ElementsAre("Preset(title: Desk, eyeLevelInPercent: 0.45)", "Preset(title: Sofa, eyeLevelInPercent: 0.3)",
                            "Preset(title: Standing, eyeLevelInPercent: 0.62)",
                            "Preset(title: 0% baseline, eyeLevelInPercent: 0.004)",
                            "Preset(title: 50% baseline, eyeLevelInPercent: 0.5)",
                            "Preset(title: 50% baseline, eyeLevelInPercent: 0.5)"));
}

TEST_F(PresetsPopoverTest, ApplyingSetsTheLowestSelectedRowsLevelAndSaysSo) {
    select({0, 2});
    click(popover.applyButton());

    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.62);
    EXPECT_THAT(log.lines(), ElementsAre("Set eye level to: 62.0%"));
    EXPECT_TRUE(popover.isVisible());

    select({1});
    click(popover.applyButton());
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.3);
    EXPECT_EQ(log.lines().back(), "Set eye level to: 30.0%");
}

TEST_F(PresetsPopoverTest, ApplyingWithoutASelectionDoesNothing) {
    const double before = preferences.eyeLevelInPercent();

    click(popover.applyButton());

    EXPECT_EQ(preferences.eyeLevelInPercent(), before);
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(PresetsPopoverTest, DeletingRemovesTheSelectedRowsAndStoresWhatIsLeft) {
    select({0, 2});
    click(popover.deleteButton());

    EXPECT_THAT(shownTitles(), ElementsAre("Sofa"));
    EXPECT_THAT(storedPresets(), ElementsAre("Preset(title: Sofa, eyeLevelInPercent: 0.3)"));

    click(popover.deleteButton());  // nothing selected: nothing removed
    EXPECT_THAT(storedPresets(), ElementsAre("Preset(title: Sofa, eyeLevelInPercent: 0.3)"));

    select({0});
    click(popover.deleteButton());
    EXPECT_THAT(shownTitles(), IsEmpty());
    EXPECT_THAT(storedPresets(), IsEmpty()) << "an empty list is stored as such, not replaced by the first-run presets";
}

}  // namespace
}  // namespace spinewise
