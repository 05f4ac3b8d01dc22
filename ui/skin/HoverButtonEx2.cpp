#include "ui/skin/HoverButtonEx2.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorlix {

CHoverButtonEx2::CHoverButtonEx2(QWidget* parent) : CHoverButtonEx(parent), m_font(font()) {}

void CHoverButtonEx2::SetText(const QString& text, const QColor& colour, const QFont& font,
                              const QRect& area) {
    m_label = text;
    m_colour = colour;
    m_font = font;
    m_area = area;
    update();
}

void CHoverButtonEx2::SetLabel(const QString& text) {
    m_label = text;
    update();
}

void CHoverButtonEx2::SetRelay(int message, int value) {
    m_relayMessage = message;
    m_relayValue = value;
}

void CHoverButtonEx2::PaintOverlay(QPainter& painter) {
    if (m_label.isEmpty()) {
        return;
    }
    painter.setFont(m_font);
    painter.setPen(LabelColour());
    const QString shown = QFontMetrics(m_font).elidedText(m_label, Qt::ElideRight, m_area.width());
    painter.drawText(m_area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void CHoverButtonEx2::mousePressEvent(QMouseEvent* event) {
    if (m_relayMessage != 0 && event->button() == Qt::LeftButton) {
        emit Relay(m_relayMessage, kRelayDown, m_relayValue);
    }
    CHoverButtonEx::mousePressEvent(event);
}

void CHoverButtonEx2::mouseReleaseEvent(QMouseEvent* event) {
    if (m_relayMessage != 0 && event->button() == Qt::LeftButton) {
        emit Relay(m_relayMessage, kRelayUp, m_relayValue);
    }
    CHoverButtonEx::mouseReleaseEvent(event);
}

}  // namespace vorlix
