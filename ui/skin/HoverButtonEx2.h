#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include "ui/skin/HoverButtonEx.h"

namespace vorlix {

// A hover button with a text label drawn over its frame. In passive mode it shows its picture and
// label only; with a relay set it tells its parent of every button down (513) and up (514).
class CHoverButtonEx2 : public CHoverButtonEx {
    Q_OBJECT
public:
    static constexpr int kRelayDown = 513;
    static constexpr int kRelayUp = 514;

    explicit CHoverButtonEx2(QWidget* parent = nullptr);

    void SetText(const QString& text, const QColor& colour, const QFont& font, const QRect& area);
    void SetLabel(const QString& text);
    void SetDisabledTextColor(const QColor& colour) { m_disabledColour = colour; }
    QString Label() const { return m_label; }
    QColor LabelColour() const { return isEnabled() ? m_colour : m_disabledColour; }
    QRect LabelArea() const { return m_area; }

    void SetPassive(bool passive) { m_passive = passive; }
    // message 0 switches the relay off.
    void SetRelay(int message, int value);

signals:
    // action is kRelayDown or kRelayUp.
    void Relay(int message, int action, int value);

protected:
    void PaintOverlay(QPainter& painter) override;
    bool IsPassive() const override { return m_passive; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_label;
    QColor m_colour{255, 255, 255};
    QColor m_disabledColour{124, 143, 151};
    QFont m_font;
    QRect m_area{QPoint(55, 27), QPoint(195, 52)};
    bool m_passive = false;
    int m_relayMessage = 0;
    int m_relayValue = 0;
};

}  // namespace vorlix
