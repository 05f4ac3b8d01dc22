#include "QtDocumentOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace vorlix {

int CQtDocumentOpener::Open(const std::string& path) {
    const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)) ? 1 : 0;
}

}  // namespace vorlix
