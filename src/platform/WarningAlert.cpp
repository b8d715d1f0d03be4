#include "platform/WarningAlert.hpp"

#include "foundation/Fatal.hpp"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QThread>

namespace spinewise {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void runWarningAlert(std::string_view message, std::string_view informativeText) {
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        fatalError("An alert is shown on the main thread of a running application");
    }
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Spinewise"));
    box.setText(toQString(message));
    box.setInformativeText(toQString(informativeText));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace spinewise
