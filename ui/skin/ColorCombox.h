#pragma once

#include <QColor>
#include <QComboBox>
#include <QPixmap>
#include <QStringList>

namespace vorlix {

// A drop-down list whose items are painted in chosen colours, holding at most 50 strings.
class CColorCombox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kMaxItems = 50;

    explicit CColorCombox(QWidget* parent = nullptr);

    // The new item's index, or -1 when 50 items are already held.
    int AddString(const QString& text);
    void ResetContent();
    void SetColors(const QColor& text, const QColor& background, const QColor& selectedText,
                   const QColor& selectedBackground);
    void SetTextFormat(Qt::Alignment alignment);
    int SetDropButtonBitmap(int id);

    QColor TextColour() const { return m_text; }
    QColor BackgroundColour() const { return m_background; }
    QColor SelectedTextColour() const { return m_selectedText; }
    QColor SelectedBackgroundColour() const { return m_selectedBackground; }
    Qt::Alignment TextFormat() const { return m_alignment; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_text;
    QColor m_background;
    QColor m_selectedText;
    QColor m_selectedBackground;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPixmap m_dropButton;
};

}  // namespace vorlix
