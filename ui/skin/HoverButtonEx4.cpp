#include "ui/skin/HoverButtonEx4.h"

#include "ui/skin/HoverNotice.h"

namespace vorlix {

CHoverButtonEx4::CHoverButtonEx4(QWidget* parent) : CHoverButtonEx2(parent) {}

int CHoverButtonEx4::SetListener(int slot, QWidget* listener) {
    if (slot < 0 || slot >= kMaxListeners) {
        return 0;
    }
    m_listeners[static_cast<std::size_t>(slot)] = listener;
    return 1;
}

void CHoverButtonEx4::Tell(int kind) {
    for (std::size_t i = 0; i < m_listeners.size(); ++i) {
        const int code = i == 0 ? CHoverNotice::kButtonBase + m_group : 0;
        CHoverNotice::Post(m_listeners[i], static_cast<CHoverNotice::EKind>(kind), code, this);
    }
}

void CHoverButtonEx4::enterEvent(QEnterEvent* event) {
    CHoverButtonEx2::enterEvent(event);
    if (IsPassive() || m_told) {
        return;
    }
    m_told = true;
    setFocus(Qt::MouseFocusReason);
    Tell(CHoverNotice::Hover);
}

void CHoverButtonEx4::leaveEvent(QEvent* event) {
    CHoverButtonEx2::leaveEvent(event);
    if (m_told) {
        m_told = false;
        Tell(CHoverNotice::Leave);
    }
}

}  // namespace vorlix
