#pragma once

#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

namespace vorlix {

// Moves a frameless window with the mouse, as a title bar would: a left press on the window's grip
// begins, moves with the left button held follow, the release ends it. Which part is the grip is the
// window's decision.
class CWindowDrag {
public:
    void Begin(const QWidget& window, const QMouseEvent& event);
    // True when the window was moved (a drag is on and the left button held).
    bool Follow(QWidget& window, const QMouseEvent& event) const;
    void End() { m_offset.reset(); }

private:
    std::optional<QPoint> m_offset;
};

// Puts a top-level window in the middle of the primary screen (where it stays when there is none).
void CentreOnScreen(QWidget& window);

}  // namespace vorlix
