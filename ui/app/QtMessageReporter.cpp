#include "QtMessageReporter.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace vorlix {

bool CQtMessageReporter::IsUnattended() {
    if (std::getenv("VORLIX_UNATTENDED") != nullptr) {
        return true;
    }
    const QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal" || platform.isEmpty();
}

void CQtMessageReporter::ShowMessage(const std::string& caption, const std::string& text, Icon icon) {
    if (IsUnattended()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
        return;
    }
    QMessageBox box(icon == Icon::Stop      ? QMessageBox::Critical
                    : icon == Icon::Warning ? QMessageBox::Warning
                                            : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

}  // namespace vorlix
