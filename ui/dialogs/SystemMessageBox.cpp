#include "ui/dialogs/SystemMessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "ui/dialogs/core/ModalRun.h"

namespace vorlix {

bool IsQtUnattended() {
    const bool unattended = UnattendedByEnvironment();
    if (unattended || QGuiApplication::instance() == nullptr) {
        return unattended;
    }
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal") ||
           platform.isEmpty();
}

void UseQtUnattendedProbe() {
    SetUnattendedProbe(&IsQtUnattended);
}

int RunSystemMessageBox(const std::string& caption, const std::string& text, IMessageReporter::Icon icon,
                        QWidget* parent) {
    SModalRequest request;
    request.kind = ModalKind::Information;
    request.what = caption + ": " + text;
    return ModalRunner().Run(request, [&] {
        QMessageBox box(icon == IMessageReporter::Icon::Stop      ? QMessageBox::Critical
                        : icon == IMessageReporter::Icon::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information,
                        QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                        parent);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.exec();
        return kModalOk;
    });
}

}  // namespace vorlix
