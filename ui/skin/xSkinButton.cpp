#include "ui/skin/xSkinButton.h"

#include <QPainter>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"

namespace vorlix {

CxSkinButton::CxSkinButton(QWidget* parent) : QAbstractButton(parent) {}

int CxSkinButton::SetSkin(int normal, int pressed, int hover, int disabled, int focus, int mask) {
    int found = 1;
    const auto load = [&found](int id) {
        if (id == 0) {
            return QPixmap();
        }
        QPixmap picture = CSkinImages::Pixmap(id);
        if (picture.isNull()) {
            found = 0;
        }
        return picture;
    };
    m_normal = load(normal);
    m_pressed = load(pressed);
    m_hover = load(hover);
    m_disabled = disabled != 0 ? load(disabled) : m_normal;
    m_focus = load(focus);
    if (mask != 0) {
        const QImage maskImage = CSkinImages::Image(mask);
        if (maskImage.isNull()) {
            found = 0;
        } else {
            m_shape = RegionFromMask(maskImage);
            resize(maskImage.size());
            setMask(m_shape.isEmpty() ? QRegion(-1, -1, 1, 1) : m_shape);
        }
    }
    update();
    return found;
}

int CxSkinButton::CurrentLook() const {
    if (!isEnabled()) {
        return 3;
    }
    if (isDown()) {
        return 1;
    }
    return m_hovering ? 2 : 0;
}

QSize CxSkinButton::sizeHint() const {
    return m_normal.isNull() ? QSize(16, 16) : m_normal.size();
}

void CxSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap* looks[] = {&m_normal, &m_pressed, &m_hover, &m_disabled};
    const QPixmap* picture = looks[CurrentLook()];
    if (picture->isNull()) {
        picture = &m_normal;
    }
    if (!picture->isNull()) {
        painter.drawPixmap(0, 0, *picture);
    }
    if (hasFocus() && !m_focus.isNull()) {
        painter.drawPixmap(0, 0, m_focus);
    }
}

void CxSkinButton::SetHoverLook(bool hovering) {
    if (m_hovering != hovering) {
        m_hovering = hovering;
        update();
    }
}

void CxSkinButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    SetHoverLook(true);
}

void CxSkinButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    SetHoverLook(false);
}

}  // namespace vorlix
