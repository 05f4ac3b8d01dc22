#pragma once

#include <QPointer>
#include <array>

#include "ui/skin/HoverButtonEx2.h"

namespace vorlix {

// A labelled hover button that tells up to five other windows when the pointer enters and leaves it
// (CHoverNotice), and takes the keyboard focus on hover. The first listener hears 288 + the group
// value, the others 0.
class CHoverButtonEx4 : public CHoverButtonEx2 {
    Q_OBJECT
public:
    static constexpr int kMaxListeners = 5;

    explicit CHoverButtonEx4(QWidget* parent = nullptr);
    // Slot 0..4; returns 0 for another slot.
    int SetListener(int slot, QWidget* listener);
    void SetGroup(int group) { m_group = group; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Tell(int kind);
    std::array<QPointer<QWidget>, kMaxListeners> m_listeners;
    int m_group = 0;
    bool m_told = false;
};

}  // namespace vorlix
