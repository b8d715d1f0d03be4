#include "windows/MonitoringViewController.hpp"
#include "WindowsTestSupport.hpp"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSlider>

#include <gtest/gtest.h>

#include <string>

namespace spinewise {
namespace {

class MonitoringViewControllerTest : public ::testing::Test {
protected:
    template <class Control>
    Control& control(const char* name) {
        return testing::findControl<Control>(tab, name);
    }

    testing::SettingsHome settings;
    Preferences& preferences = settings.preferences;
    MonitoringViewController tab{preferences};
};

TEST_F(MonitoringViewControllerTest, TheIntervalSliderRunsFromLiveThroughTheMinutesToManual) {
    QSlider& slider = control<QSlider>("intervalSlider");
    EXPECT_EQ(slider.minimum(), 0);
    EXPECT_EQ(slider.maximum(), 6);
    EXPECT_EQ(slider.value(), 1) << "the default: scheduled every minute";

    for (const double interval : {0.0, 3.0, 6.0}) {
        preferences.setScheduleInterval(interval);
        EXPECT_EQ(slider.value(), int(interval));
    }
    for (const int position : {0, 5, 6}) {
        slider.setValue(position);
        EXPECT_EQ(preferences.scheduleInterval(), double(position));
    }
}

TEST_F(MonitoringViewControllerTest, MovingTheSliderSetsTheIntervalOnce) {
    testing::ObserverCount intervalSets(preferences, PreferenceKey::scheduleInterval);

    control<QSlider>("intervalSlider").setValue(4);

    EXPECT_EQ(intervalSets.count(), 1) << "following the setting must not write it back";
}

TEST_F(MonitoringViewControllerTest, ThePostureTimesFollowAndWriteTheirSettings) {
    struct Case {
        const char* control;
        double (Preferences::*read)() const;
        void (Preferences::*write)(double);
    };
    const Case cases[] = {
        {"correctPostureTime", &Preferences::correctPostureTime, &Preferences::setCorrectPostureTime},
        {"poorPostureTime", &Preferences::poorPostureTime, &Preferences::setPoorPostureTime},
        {"unknownPostureTime", &Preferences::unknownPostureTime, &Preferences::setUnknownPostureTime},
    };
    for (const Case& c : cases) {
        auto& seconds = control<QDoubleSpinBox>(c.control);
        EXPECT_EQ(seconds.value(), (preferences.*c.read)()) << c.control;

        (preferences.*c.write)(7.5);
        EXPECT_EQ(seconds.value(), 7.5) << c.control;

        seconds.setValue(12.5);
        EXPECT_EQ((preferences.*c.read)(), 12.5) << c.control;
    }
}

TEST_F(MonitoringViewControllerTest, TheTrayIconBoxFollowsAndWritesItsSetting) {
    auto& box = control<QCheckBox>("showStatusItemCheckBox");
    EXPECT_EQ(box.text(), "Show icon in the system tray");
    EXPECT_TRUE(box.isChecked());

    preferences.setShowStatusBarItem(false);
    EXPECT_FALSE(box.isChecked());

    box.setChecked(true);
    EXPECT_TRUE(preferences.showStatusBarItem());
}

}  // namespace
}  // namespace spinewise
