#include "foundation/InfoDictionary.hpp"
#include "windows/AboutWindowController.hpp"
#include "windows/HyperlinkLabel.hpp"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace spinewise {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

/// Takes the links the desktop would open.
class OpenedLinks final : public QObject {
    Q_OBJECT
public:
    OpenedLinks() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~OpenedLinks() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    std::vector<QUrl> links;

public slots:
    void open(const QUrl& link) { links.push_back(link); }
};

std::vector<QString> labelTexts(QWidget& window) {
    std::vector<QString> texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) texts.push_back(label->text());
    return texts;
}

TEST(AboutWindowControllerTest, ShowsTheVersionAndRevisionAndTheCopyrightFromTheDictionary) {
    const InfoDictionary info({{"CFBundleShortVersionString", "2.3"},
                               {"com.brightfold.spinewise.GitRevChecksum", "a1b2c3"},
                               {"NSHumanReadableCopyright", "Copyright 2026 Brightfold"}});
    AboutWindowController controller(info);
    EXPECT_EQ(controller.version(), "1.0.x") << "texts are read when the window is built";

    controller.showWindow();

    EXPECT_EQ(controller.appName(), "Spinewise");
    EXPECT_EQ(controller.version(), "Version 2.3 (a1b2c3)");
    EXPECT_EQ(controller.copyright(), "Copyright 2026 Brightfold");
    const auto texts = labelTexts(controller.window());
    EXPECT_THAT(texts, Contains(QString("Spinewise")));
    EXPECT_THAT(texts, Contains(QString("Version 2.3 (a1b2c3)")));
    EXPECT_THAT(texts, Contains(QString("Copyright 2026 Brightfold")));
}

TEST(AboutWindowControllerTest, ADictionaryLackingAnyOfTheThreeValuesKeepsTheDefaults) {
    const InfoDictionary::Values complete{{"CFBundleShortVersionString", "2.3"},
                                          {"com.brightfold.spinewise.GitRevChecksum", "a1b2c3"},
                                          {"NSHumanReadableCopyright", "Copyright 2026 Brightfold"}};
    for (const auto& [missing, value] : complete) {
        InfoDictionary::Values values = complete;
        values.erase(missing);
        const InfoDictionary info(values);
        AboutWindowController controller(info);
        const QString defaultCopyright = controller.copyright();

        controller.window();

        EXPECT_EQ(controller.version(), "1.0.x") << missing;
        EXPECT_EQ(controller.copyright(), defaultCopyright) << missing;
    }
}

TEST(AboutWindowControllerTest, TheFeedbackButtonAppearsWithItsActionAndRunsIt) {
    const InfoDictionary info({});
    AboutWindowController withoutAction(info);
    EXPECT_TRUE(withoutAction.window().findChildren<QPushButton*>().isEmpty());

    int requests = 0;
    AboutWindowController controller(info);
    controller.setFeedbackAction([&requests] { ++requests; });
    const auto buttons = controller.window().findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), "Send Feedback...");

    QTest::mouseClick(buttons.front(), Qt::LeftButton);
    EXPECT_EQ(requests, 1);
}

TEST(HyperlinkLabelTest, AClickOpensAWellFormedAddressOnly) {
    OpenedLinks opened;
    HyperlinkLabel link("brightfold.com");
    for (const char* address : {"", "not a link", "https://brightfold.com/spinewise"}) {
        link.setHref(address);
        QTest::mouseClick(&link, Qt::LeftButton);
    }

    EXPECT_THAT(opened.links, ElementsAre(QUrl("https://brightfold.com/spinewise")));
}

TEST(HyperlinkLabelTest, TheAboutWindowsLinkLeadsToTheProgramsPage) {
    const InfoDictionary info({});
    AboutWindowController controller(info);

    EXPECT_EQ(QUrl(controller.link().href()).scheme(), "https");
    EXPECT_EQ(controller.link().alignment(), Qt::AlignCenter);
}

}  // namespace
}  // namespace spinewise

#include "AboutWindowControllerTests.moc"
