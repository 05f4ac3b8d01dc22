#include "tools/shots-support/ShotPicture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdio>

namespace vorlix {

bool SaveShot(QWidget& window, const QString& file, bool showAndHide) {
    if (showAndHide) {
        window.show();
        QApplication::processEvents();
    }
    const QPixmap shot = window.grab();
    QImage picture(shot.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (!window.mask().isEmpty()) {
        painter.setClipRegion(window.mask());
    }
    painter.drawPixmap(0, 0, shot);
    painter.end();
    if (showAndHide) {
        window.hide();
    }
    const bool saved = picture.save(file);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
    return saved;
}

}  // namespace vorlix
