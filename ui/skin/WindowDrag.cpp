#include "ui/skin/WindowDrag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

namespace vorlix {

void CWindowDrag::Begin(const QWidget& window, const QMouseEvent& event) {
    m_offset = event.globalPosition().toPoint() - window.frameGeometry().topLeft();
}

bool CWindowDrag::Follow(QWidget& window, const QMouseEvent& event) const {
    if (!m_offset || !(event.buttons() & Qt::LeftButton)) {
        return false;
    }
    window.move(event.globalPosition().toPoint() - *m_offset);
    return true;
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        const QRect area = screen->geometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
}

}  // namespace vorlix
