#include "ui/skin/HoverButtonEx.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolTip>

#include "ui/skin/SkinImages.h"

namespace vorlix {

CHoverButtonEx::CHoverButtonEx(QWidget* parent) : QAbstractButton(parent) {
    m_tooltipTimer.setSingleShot(true);
    m_tooltipTimer.setInterval(kTooltipDelayMs);
    connect(&m_tooltipTimer, &QTimer::timeout, this, &CHoverButtonEx::ShowTooltip);
}

int CHoverButtonEx::SetBitmap(int id) {
    return SetStrip(CSkinImages::Pixmap(id));
}

int CHoverButtonEx::SetStrip(const QPixmap& strip) {
    if (strip.isNull()) {
        return 0;
    }
    m_strip = strip;
    const SFrameSize frame = FrameSizeOf(strip.width(), strip.height(), m_horizontal);
    m_frameWidth = frame.width;
    m_frameHeight = frame.height;
    resize(m_frameWidth, m_frameHeight);
    update();
    return 1;
}

void CHoverButtonEx::SetTooltipText(const QString& text, bool activate) {
    m_tooltip = text;
    m_tooltipActive = activate;
}

void CHoverButtonEx::SetHovering(bool hovering) {
    if (m_hovering != hovering) {
        m_hovering = hovering;
        update();
    }
    if (!hovering) {
        m_tooltipTimer.stop();
    }
}

EFrame CHoverButtonEx::CurrentFrame() const {
    return FrameFor(isEnabled(), isEnabled() && isDown(), isEnabled() && m_hovering);
}

QSize CHoverButtonEx::sizeHint() const {
    return m_strip.isNull() ? QSize(75, 23) : QSize(m_frameWidth, m_frameHeight);
}

void CHoverButtonEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_strip.isNull()) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = text();
        if (isDown()) {
            option.state |= QStyle::State_Sunken;
        }
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    } else {
        const int frame = static_cast<int>(CurrentFrame());
        const QRect source = m_horizontal ? QRect(frame * m_frameWidth, 0, m_frameWidth, m_frameHeight)
                                          : QRect(0, frame * m_frameHeight, m_frameWidth, m_frameHeight);
        painter.drawPixmap(rect(), m_strip, source);
    }
    PaintOverlay(painter);
}

void CHoverButtonEx::PaintOverlay(QPainter&) {}

void CHoverButtonEx::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    if (IsPassive()) {
        return;
    }
    m_hovering = true;
    if (QWidget* top = window(); top != nullptr && top != this) {
        top->activateWindow();
    }
    update();
    if (m_tooltipActive && !m_tooltip.isEmpty()) {
        m_tooltipTimer.start();
    }
    emit HoverEntered();
}

void CHoverButtonEx::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    m_tooltipTimer.stop();
    if (IsPassive()) {
        return;
    }
    m_hovering = false;
    setDown(false);
    update();
    emit HoverLeft();
}

void CHoverButtonEx::mousePressEvent(QMouseEvent* event) {
    if (IsPassive()) {
        event->ignore();
        return;
    }
    m_tooltipTimer.stop();
    QAbstractButton::mousePressEvent(event);
}

void CHoverButtonEx::mouseReleaseEvent(QMouseEvent* event) {
    if (IsPassive()) {
        event->ignore();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CHoverButtonEx::ShowTooltip() {
    if (m_hovering && !m_tooltip.isEmpty()) {
        // Shown for ten times the initial delay, as an automatic tool tip does.
        QToolTip::showText(mapToGlobal(QPoint(0, height())), m_tooltip, this, QRect(), 10 * kTooltipDelayMs);
    }
}

}  // namespace vorlix
