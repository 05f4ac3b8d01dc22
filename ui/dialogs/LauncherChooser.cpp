#include "ui/dialogs/LauncherChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

namespace {

const QString kPrograms = QStringLiteral("Programs (*)");
const QString kAllFiles = QStringLiteral("All files (*)");

// Shows folders and, under "Programs", only the files this user may execute. (The file model's own
// executable filter also judges the folders on the way to the start folder and can leave the list
// empty.)
class CProgramFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetProgramsOnly(bool only) {
        m_programsOnly = only;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!m_programsOnly || files == nullptr) {
            return true;
        }
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool m_programsOnly = true;
};

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
    auto* programs = new CProgramFilter(&dialog);
    dialog.setProxyModel(programs);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [programs](const QString& filter) { programs->SetProgramsOnly(filter == kPrograms); });
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
