#include "ui/dialogs/SkinEdit.h"

#include <QPalette>

#include "ui/dialogs/core/EditFilters.h"

namespace vorlix {

CSkinEdit::CSkinEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, &CSkinEdit::ApplyFilter);
    ApplyLook();
}

void CSkinEdit::MakeCountBox() {
    setMaxLength(editfilter::kCountCharacters);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetFilter([](std::u16string_view text) { return editfilter::Count(text); });
}

void CSkinEdit::MakeNameBox(int maxLength) {
    setMaxLength(maxLength);
    SetFilter([maxLength](std::u16string_view text) {
        return editfilter::Name(text, static_cast<std::size_t>(maxLength));
    });
}

void CSkinEdit::MakeNumberBox(int maxCharacters, long max) {
    setMaxLength(maxCharacters);
    SetFilter([max](std::u16string_view text) { return editfilter::Number(text, max); });
}

void CSkinEdit::SetEditable(bool editable) {
    setReadOnly(!editable);
    ApplyLook();
}

std::u16string CSkinEdit::Text16() const {
    const QString value = text();
    return {reinterpret_cast<const char16_t*>(value.utf16()), static_cast<std::size_t>(value.size())};
}

void CSkinEdit::SetText16(std::u16string_view value) {
    setText(QString::fromUtf16(value.data(), static_cast<qsizetype>(value.size())));
}

void CSkinEdit::ApplyFilter() {
    // Setting the filtered text changes the text again; that second change is already clean.
    if (!m_filter || m_filtering) {
        return;
    }
    const std::u16string current = Text16();
    const std::u16string kept = m_filter(current);
    if (kept != current) {
        m_filtering = true;
        SetText16(kept);
        m_filtering = false;
    }
}

void CSkinEdit::ApplyLook() {
    QPalette colours = palette();
    const bool editable = !isReadOnly();
    colours.setColor(QPalette::Text, editable ? kText : kReadOnlyText);
    colours.setColor(QPalette::Base, editable ? kBackground : QColor(Qt::transparent));
    setPalette(colours);
    setAutoFillBackground(editable);
}

}  // namespace vorlix
