#pragma once

#include <QPointer>
#include <QTimer>

#include "ui/skin/xSkinButton.h"

namespace vorlix {

// The shaped hot-spot over one button of the mouse picture. While the pointer moves over it before
// resting, it tells partner 1 which button it stands for (288 + index) and partner 2 a plain hover;
// when the pointer has rested (the hover time) and then leaves, both partners hear the leave.
class CUiKeyIndex : public CxSkinButton {
    Q_OBJECT
public:
    static constexpr int kDefaultHoverTimeMs = 400;

    explicit CUiKeyIndex(QWidget* parent = nullptr);

    void SetIndex(int index) { m_index = index; }
    int Index() const { return m_index; }
    void SetPartners(QWidget* first, QWidget* second);
    bool HoverEntered() const { return m_hoverEntered; }
    // How long the pointer must rest before the hover counts; 0 counts it at the first move.
    void SetHoverTime(int ms);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void OnHover();

    int m_index = -1;
    bool m_hoverEntered = false;
    bool m_tracking = false;
    QPointer<QWidget> m_partner1;
    QPointer<QWidget> m_partner2;
    QTimer m_hoverTimer;
};

}  // namespace vorlix
