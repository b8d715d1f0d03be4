#include "platform/MailComposer.hpp"

#include <QByteArray>
#include <QDesktopServices>

#include <utility>

namespace spinewise {
namespace {

QByteArray percentEncoded(const std::string& text, const QByteArray& keep = {}) {
    return QUrl::toPercentEncoding(QString::fromStdString(text), keep);
}

}  // namespace

MailComposer::MailComposer(UrlOpener openUrl) : openUrl_(std::move(openUrl)) {}

MailComposer::UrlOpener MailComposer::defaultOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool MailComposer::composeEmail(const std::string& recipient, const std::string& subject) const {
    return openUrl_(mailtoUrl(recipient, subject));
}

QUrl MailComposer::mailtoUrl(const std::string& recipient, const std::string& subject) {
    return QUrl::fromEncoded("mailto:" + percentEncoded(recipient, "@") + "?subject=" + percentEncoded(subject),
                             QUrl::StrictMode);
}

}  // namespace spinewise
