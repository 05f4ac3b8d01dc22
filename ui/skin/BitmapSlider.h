#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/skin/core/SliderGeometry.h"

namespace vorlix {

// A slider drawn from a channel picture and a thumb picture (each with an optional active look while
// dragged), horizontal or vertical. It tells its parent of a drag with Notify: kDown when the button
// goes down on it, kMoving while the position changes, kReleased with the final position.
class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDown = 0x28D3;
    static constexpr int kMoving = 0x28D1;
    static constexpr int kReleased = 0x28D2;

    explicit CBitmapSlider(QWidget* parent = nullptr, int controlId = 0);

    // transparent: draw the picture with keyRgb (white by default) as its transparent colour.
    int SetBitmapChannel(int id, int activeId = 0, bool transparent = true, unsigned keyRgb = 0xFFFFFF);
    int SetBitmapThumb(int id, int activeId = 0, bool transparent = true, unsigned keyRgb = 0xFFFFFF);
    void SetRange(int min, int max);
    void SetPos(int pos);
    int Pos() const { return m_pos; }
    void SetMargin(int start, int end);
    void SetVertical(bool vertical);
    void SetFocusOnClick(bool focus) { m_focusOnClick = focus; }
    int ControlId() const { return m_controlId; }
    bool IsDragging() const { return m_dragging; }
    // The geometry of the current size, pictures, margins and range.
    SSliderGeometry Geometry() const;
    // Where the thumb's centre is drawn along the slider.
    int ThumbCentre() const;

signals:
    void Notify(int message, int controlId, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Draws the channel; the two-part slider splits it at the thumb.
    virtual void PaintChannel(QPainter& painter);
    virtual bool MeasuresFromLeadingEdge() const { return false; }
    int Along(const QPoint& point) const { return m_vertical ? point.y() : point.x(); }
    bool IsVertical() const { return m_vertical; }
    const QPixmap& Channel() const { return m_channel; }
    const QPixmap& ActiveChannel() const { return m_channelActive; }
    int ThumbLength() const;

private:
    int m_controlId;
    QPixmap m_channel;
    QPixmap m_channelActive;
    QPixmap m_thumb;
    QPixmap m_thumbActive;
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    int m_marginStart = 0;
    int m_marginEnd = 0;
    bool m_vertical = false;
    bool m_focusOnClick = false;
    bool m_dragging = false;
    int m_dragOffset = 0;
};

}  // namespace vorlix
