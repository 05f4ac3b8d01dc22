#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include "ui/skin/core/FrameStrip.h"

namespace vorlix {

// A push button drawn from a four-frame strip (normal, pressed, hover, disabled) that lights up while
// the pointer is over it and shows its tool tip after the pointer has rested on it for 2000 ms.
// Without a picture it is drawn as an ordinary push button.
class CHoverButtonEx : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kTooltipDelayMs = 2000;

    explicit CHoverButtonEx(QWidget* parent = nullptr);

    // Set by the owner before SetBitmap: frames side by side (true) or one above the other.
    void SetHorizontal(bool horizontal) { m_horizontal = horizontal; }
    bool IsHorizontal() const { return m_horizontal; }
    // Loads the strip and resizes the button to one frame without moving it. 1, or 0 when the
    // picture is missing (the button keeps its previous look).
    int SetBitmap(int id);
    int SetStrip(const QPixmap& strip);
    void SetTooltipText(const QString& text, bool activate = true);

    bool IsHovering() const { return m_hovering; }
    // The owner clears the hover look before closing a dialog, so a reused button does not come back lit.
    void SetHovering(bool hovering);
    EFrame CurrentFrame() const;
    QSize FrameSize() const { return {m_frameWidth, m_frameHeight}; }
    const QTimer& TooltipTimer() const { return m_tooltipTimer; }
    QSize sizeHint() const override;

signals:
    void HoverEntered();
    void HoverLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Drawn over the frame by the labelled variants.
    virtual void PaintOverlay(QPainter& painter);
    // Passive buttons neither light up nor react to clicks.
    virtual bool IsPassive() const { return false; }
    void ShowTooltip();

private:
    QPixmap m_strip;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    bool m_horizontal = true;
    bool m_hovering = false;
    QString m_tooltip;
    bool m_tooltipActive = false;
    QTimer m_tooltipTimer;
};

}  // namespace vorlix
