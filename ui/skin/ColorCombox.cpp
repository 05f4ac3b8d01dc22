#include "ui/skin/ColorCombox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/skin/SkinImages.h"
#include "ui/skin/core/FrameStrip.h"

namespace vorlix {
namespace {

// Paints each item over its whole rectangle in the list's colours, text 3 pixels from the left.
class CColorItemDelegate : public QStyledItemDelegate {
public:
    explicit CColorItemDelegate(CColorCombox* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        painter->fillRect(option.rect,
                          selected ? m_combo->SelectedBackgroundColour() : m_combo->BackgroundColour());
        painter->setPen(selected ? m_combo->SelectedTextColour() : m_combo->TextColour());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(3, 0, 0, 0), static_cast<int>(m_combo->TextFormat()),
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(m_combo->TextColour(), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    }

private:
    CColorCombox* m_combo;
};

}  // namespace

CColorCombox::CColorCombox(QWidget* parent) : QComboBox(parent) {
    const QPalette system = palette();
    m_text = system.color(QPalette::WindowText);
    m_background = system.color(QPalette::Base);
    m_selectedText = system.color(QPalette::HighlightedText);
    m_selectedBackground = system.color(QPalette::Highlight);
    setItemDelegate(new CColorItemDelegate(this));
}

int CColorCombox::AddString(const QString& text) {
    if (count() >= kMaxItems) {
        return -1;
    }
    addItem(text);
    return count() - 1;
}

void CColorCombox::ResetContent() {
    clear();
}

void CColorCombox::SetColors(const QColor& text, const QColor& background, const QColor& selectedText,
                             const QColor& selectedBackground) {
    m_text = text;
    m_background = background;
    m_selectedText = selectedText;
    m_selectedBackground = selectedBackground;
    QPalette colours = view()->palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Window, background);
    view()->setPalette(colours);
    update();
}

void CColorCombox::SetTextFormat(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

int CColorCombox::SetDropButtonBitmap(int id) {
    m_dropButton = CSkinImages::Pixmap(id);
    update();
    return m_dropButton.isNull() ? 0 : 1;
}

void CColorCombox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    int textRight = width();
    if (!m_dropButton.isNull()) {
        const SFrameSize frame = FrameSizeOf(m_dropButton.width(), m_dropButton.height(), true);
        const int look = static_cast<int>(FrameFor(isEnabled(), false, underMouse()));
        textRight -= frame.width;
        painter.drawPixmap(QRect(textRight, 0, frame.width, height()), m_dropButton,
                           QRect(look * frame.width, 0, frame.width, frame.height));
    }
    painter.setPen(isEnabled() ? m_text : QColor(125, 125, 125));
    painter.drawText(QRect(3, 0, textRight - 3, height()), static_cast<int>(m_alignment), currentText());
}

}  // namespace vorlix
