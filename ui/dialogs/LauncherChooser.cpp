#include "ui/dialogs/LauncherChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

namespace {
const QString kPrograms = QStringLiteral("Programs (*)");
const QString kAllFiles = QStringLiteral("All files (*)");
}  // namespace

bool ChooseProgram(const std::string& storedPath, std::string& path, std::string& name, QWidget* parent) {
    const SLauncherStart start = LauncherStart(storedPath);
    QFileDialog dialog(parent, QStringLiteral("Choose a program"));
    dialog.setObjectName("LauncherChooser");
    // Qt's own dialog: the portal and desktop dialogs cannot filter by the executable bit.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(QString::fromStdString(start.folder));
    if (!start.file.empty()) {
        dialog.selectFile(QString::fromStdString(start.file));
    }
    dialog.setNameFilters({kPrograms, kAllFiles});
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setFilter(filter == kPrograms
                             ? QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot
                             : QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    });
    SModalRequest request;
    request.kind = ModalKind::FileChooser;
    request.what = "program chooser in " + start.folder;
    const int result = ModalRunner().Run(
        request, [&dialog] { return dialog.exec() == QDialog::Accepted ? kModalOk : kModalCancel; });
    const QStringList chosen = dialog.selectedFiles();
    if (result != kModalOk || chosen.isEmpty() || !QFileInfo(chosen.front()).isFile()) {
        return false;
    }
    path = chosen.front().toStdString();
    name = QFileInfo(chosen.front()).fileName().toStdString();
    return true;
}

}  // namespace vorlix
