#include "ui/skin/UiKeyIndex.h"

#include <QMouseEvent>

#include "ui/skin/HoverNotice.h"

namespace vorlix {

CUiKeyIndex::CUiKeyIndex(QWidget* parent) : CxSkinButton(parent) {
    setMouseTracking(true);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kDefaultHoverTimeMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CUiKeyIndex::OnHover);
}

void CUiKeyIndex::SetPartners(QWidget* first, QWidget* second) {
    m_partner1 = first;
    m_partner2 = second;
}

void CUiKeyIndex::SetHoverTime(int ms) {
    m_hoverTimer.setInterval(ms < 0 ? 0 : ms);
}

void CUiKeyIndex::mouseMoveEvent(QMouseEvent* event) {
    // While the button is held after a press, the base class lets the pushed look follow the pointer.
    if (!(event->buttons() & Qt::LeftButton)) {
        if (!m_tracking) {
            m_tracking = true;
            update();
            if (m_hoverTimer.interval() > 0) {
                m_hoverTimer.start();
            }
        }
        if (!m_hoverEntered) {
            CHoverNotice::Post(m_partner1, CHoverNotice::Hover, CHoverNotice::kButtonBase + m_index, this);
            CHoverNotice::Post(m_partner2, CHoverNotice::Hover, 0, this);
        }
        if (m_hoverTimer.interval() == 0 && !m_hoverEntered) {
            OnHover();
        }
    }
    CxSkinButton::mouseMoveEvent(event);
}

void CUiKeyIndex::OnHover() {
    if (QWidget* top = window(); top != nullptr && top != this) {
        top->activateWindow();
    }
    update();
    m_hoverEntered = true;
}

void CUiKeyIndex::leaveEvent(QEvent* event) {
    m_tracking = false;
    m_hoverTimer.stop();
    update();
    if (m_hoverEntered) {
        CHoverNotice::Post(m_partner1, CHoverNotice::Leave, 0, this);
        CHoverNotice::Post(m_partner2, CHoverNotice::Leave, 0, this);
    }
    m_hoverEntered = false;
    CxSkinButton::leaveEvent(event);
}

}  // namespace vorlix
