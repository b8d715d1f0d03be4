#pragma once

#include <QLabel>
#include <QString>

namespace spinewise {

/// A centred label in the link colour that opens its address when clicked.
/// An empty or malformed address makes the click do nothing.
class HyperlinkLabel final : public QLabel {
public:
    explicit HyperlinkLabel(const QString& text, QWidget* parent = nullptr);

    const QString& href() const { return href_; }
    void setHref(QString href) { href_ = std::move(href); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString href_;
};

}  // namespace spinewise
