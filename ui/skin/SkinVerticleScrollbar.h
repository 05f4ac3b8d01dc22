#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QAbstractScrollArea;
class QScrollBar;

namespace vorlix {

// A bitmap scroll bar placed beside a list whose own scroll bars are hidden: the arrows scroll one
// line (repeated every 250 ms while held), a click above or below the thumb one page, and dragging
// the thumb one line per 17 pixels.
class CSkinVerticleScrollbar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRepeatMs = 250;
    static constexpr int kPixelsPerLine = 17;

    explicit CSkinVerticleScrollbar(QWidget* parent = nullptr);
    // Follows the list's (hidden) vertical scroll bar.
    void SetList(QAbstractScrollArea* list);
    // Up and down arrow strips, channel and thumb.
    int SetBitmaps(int up, int down, int channel, int thumb);
    QRect ThumbRect() const;
    const QTimer& RepeatTimer() const { return m_repeat; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QScrollBar* Bar() const;
    int ArrowHeight() const;
    void Step(int lines);

    QPointer<QAbstractScrollArea> m_list;
    QPixmap m_up;
    QPixmap m_down;
    QPixmap m_channel;
    QPixmap m_thumb;
    QTimer m_repeat;
    int m_repeatLines = 0;
    int m_pressedArrow = 0;  // -1 up, 1 down
    bool m_draggingThumb = false;
    int m_dragStartY = 0;
    int m_dragStartValue = 0;
};

}  // namespace vorlix
