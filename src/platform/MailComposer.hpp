#pragma once

#include <QUrl>

#include <functional>
#include <string>

namespace spinewise {

/// Opens a new message in the user's mail program through a mailto: URL.
class MailComposer {
public:
    /// Hands a URL to the desktop; false when nothing handles it.
    using UrlOpener = std::function<bool(const QUrl&)>;

    /// The desktop's own opener (QDesktopServices::openUrl) unless told otherwise.
    explicit MailComposer(UrlOpener openUrl = defaultOpener());

    /// A new message to `recipient` with `subject`; false when the desktop has
    /// no mail handler.
    bool composeEmail(const std::string& recipient, const std::string& subject) const;

    /// "mailto:<recipient>?subject=<subject>", both percent-encoded as UTF-8.
    static QUrl mailtoUrl(const std::string& recipient, const std::string& subject);

private:
    static UrlOpener defaultOpener();

    UrlOpener openUrl_;
};

}  // namespace spinewise
