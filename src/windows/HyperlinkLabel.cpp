#include "windows/HyperlinkLabel.hpp"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace spinewise {

HyperlinkLabel::HyperlinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignCenter);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
    setCursor(Qt::PointingHandCursor);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const QUrl address(href_, QUrl::StrictMode);
    if (!address.isValid() || address.isRelative()) return;
    QDesktopServices::openUrl(address);
}

}  // namespace spinewise
