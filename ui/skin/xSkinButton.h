#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QRegion>

namespace vorlix {

// A push button drawn from separate normal, pressed, hover and disabled pictures, cut to the shape of
// a mask picture (exactly white is outside) and sized to it.
class CxSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CxSkinButton(QWidget* parent = nullptr);

    // Picture ids, 0 for none. A missing disabled picture uses the normal one. Returns 1 when every
    // named picture was found.
    int SetSkin(int normal, int pressed, int hover, int disabled, int focus, int mask);
    bool IsHovering() const { return m_hovering; }
    const QRegion& Shape() const { return m_shape; }
    // Which picture is on show: 0 normal, 1 pressed, 2 hover, 3 disabled.
    int CurrentLook() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void SetHoverLook(bool hovering);

private:
    QPixmap m_normal;
    QPixmap m_pressed;
    QPixmap m_hover;
    QPixmap m_disabled;
    QPixmap m_focus;
    QRegion m_shape;
    bool m_hovering = false;
};

}  // namespace vorlix
