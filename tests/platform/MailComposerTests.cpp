#include "platform/MailComposer.hpp"

#include <QUrlQuery>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spinewise {
namespace {

TEST(MailComposer, OpensAMailtoUrlWithThePercentEncodedSubject) {
    std::vector<QUrl> opened;
    const MailComposer composer([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });

    EXPECT_TRUE(composer.composeEmail("support@brightfold.com", "Feedback for Spinewise 0.1.0 (1014b05)"));
    ASSERT_EQ(opened.size(), 1U);
    EXPECT_EQ(opened.front().toEncoded(),
              "mailto:support@brightfold.com?subject=Feedback%20for%20Spinewise%200.1.0%20%281014b05%29");
}

TEST(MailComposer, FailsWhenTheDesktopHasNoMailHandler) {
    const MailComposer composer([](const QUrl&) { return false; });
    EXPECT_FALSE(composer.composeEmail("support@brightfold.com", "Feedback"));
}

TEST(MailComposer, KeepsSubjectsWithUrlDelimitersAndNonAsciiTextWhole) {
    for (const std::string subject : {"a&cc=someone@else", "why? #1 + 2 = 3", "50% off", "Grüße, 姿勢", ""}) {
        const QUrl url = MailComposer::mailtoUrl("support@brightfold.com", subject);
        const QUrlQuery query(url);
        EXPECT_EQ(query.queryItems().size(), 1) << subject;
        EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded).toStdString(), subject);
        EXPECT_EQ(url.path().toStdString(), "support@brightfold.com");
    }
}

}  // namespace
}  // namespace spinewise
