#include "windows/AboutWindowController.hpp"

#include "foundation/InfoDictionary.hpp"
#include "windows/HyperlinkLabel.hpp"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace spinewise {
namespace {

QLabel* centredLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace

AboutWindowController::AboutWindowController(const InfoDictionary& info)
    : info_(info),
      appName_(QStringLiteral("Spinewise")),
      version_(QStringLiteral("1.0.x")),
      copyright_(QStringLiteral("Copyright \u00A9 Brightfold")) {}

AboutWindowController::~AboutWindowController() = default;

void AboutWindowController::showWindow() {
    QWidget& shown = window();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

QWidget& AboutWindowController::window() {
    if (!window_) windowDidLoad();
    return *window_;
}

HyperlinkLabel& AboutWindowController::link() {
    window();
    return *link_;
}

void AboutWindowController::windowDidLoad() {
    const auto shortVersion = info_.string(kShortVersionKey);
    const auto revision = info_.string(kRevisionKey);
    const auto copyright = info_.string(kCopyrightKey);
    if (shortVersion && revision && copyright) {
        version_ = QStringLiteral("Version %1 (%2)")
                       .arg(QString::fromStdString(*shortVersion), QString::fromStdString(*revision));
        copyright_ = QString::fromStdString(*copyright);
    }

    window_ = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    window_->setWindowTitle(QStringLiteral("About ") + appName_);
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(32, 24, 32, 24);
    QLabel* name = centredLabel(appName_, window_.get());
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    layout->addWidget(name);
    layout->addWidget(centredLabel(version_, window_.get()));
    layout->addWidget(centredLabel(copyright_, window_.get()));
    link_ = new HyperlinkLabel(QStringLiteral("brightfold.com/spinewise"), window_.get());
    link_->setHref(QStringLiteral("https://brightfold.com/spinewise"));
    layout->addWidget(link_);
    if (feedbackAction_) {
        auto* feedback = new QPushButton(QStringLiteral("Send Feedback..."), window_.get());
        QObject::connect(feedback, &QPushButton::clicked, window_.get(), [action = feedbackAction_] { action(); });
        layout->addWidget(feedback, 0, Qt::AlignCenter);
    }
    window_->adjustSize();
    centreOnScreen(*window_);
}

}  // namespace spinewise
