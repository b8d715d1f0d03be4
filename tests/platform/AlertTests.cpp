#include "platform/QtAlertPresenter.hpp"
#include "platform/WarningAlert.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;

/// What a test saw of a message box while it was open.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString informativeText;
    std::vector<QString> buttons;
    bool applicationModal = false;
};

/// Waits, inside the alert's own event loop, for the modal message box, notes
/// what it shows and clicks its first button.
class MessageBoxClicker {
public:
    MessageBoxClicker() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { clickIfOpen(); });
        timer_.start();
    }

    std::optional<SeenBox> seen;

private:
    void clickIfOpen() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer_.stop();
        SeenBox noted{box->icon(), box->text(), box->informativeText(), {},
                      box->windowModality() == Qt::ApplicationModal};
        for (const QAbstractButton* button : box->buttons()) noted.buttons.push_back(button->text());
        seen = noted;
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    }

    QTimer timer_;
};

TEST(WarningAlert, IsAModalWarningWithBothTextsAndOneOkButtonUntilDismissed) {
    MessageBoxClicker clicker;
    runWarningAlert("Email cannot be sent directly from Spinewise app",
                    "Please send feedback to support@brightfold.com");

    ASSERT_TRUE(clicker.seen);
    EXPECT_EQ(clicker.seen->icon, QMessageBox::Warning);
    EXPECT_EQ(clicker.seen->text, "Email cannot be sent directly from Spinewise app");
    EXPECT_EQ(clicker.seen->informativeText, "Please send feedback to support@brightfold.com");
    EXPECT_THAT(clicker.seen->buttons, ElementsAre("OK"));
    EXPECT_TRUE(clicker.seen->applicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtAlertPresenter, ShowsTheErrorTextAloneInAWarningBox) {
    MessageBoxClicker clicker;
    QtAlertPresenter().presentAlert("No video devices available — ünïcödé");

    ASSERT_TRUE(clicker.seen);
    EXPECT_EQ(clicker.seen->text, QString::fromUtf8("No video devices available — ünïcödé"));
    EXPECT_TRUE(clicker.seen->informativeText.isEmpty());
    EXPECT_THAT(clicker.seen->buttons, ElementsAre("OK"));
}

TEST(WarningAlertDeathTest, OffTheMainThreadStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([] { runWarningAlert("From a worker"); }).join(), "Fatal error: .*main thread");
}

}  // namespace
}  // namespace spinewise
