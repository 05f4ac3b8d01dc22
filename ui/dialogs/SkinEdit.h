#pragma once

#include <QColor>
#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

namespace vorlix {

// One skinned edit for every small box of the windows: the count and name boxes of the skinned
// dialog, the DPI box and the macro editor's delay boxes. Its filter runs after every change the user
// makes and decides the text the box keeps (ui/dialogs/core/EditFilters.h).
class CSkinEdit : public QLineEdit {
    Q_OBJECT
public:
    using Filter = std::function<std::u16string(std::u16string_view)>;

    static constexpr QColor kText{250, 250, 250};
    static constexpr QColor kBackground{43, 43, 43};
    static constexpr QColor kReadOnlyText{125, 125, 125};

    explicit CSkinEdit(QWidget* parent = nullptr);

    void SetFilter(Filter filter) { m_filter = std::move(filter); }
    // The repeat count: 1..255, three characters.
    void MakeCountBox();
    // A name: at most maxLength characters a file name can carry.
    void MakeNameBox(int maxLength);
    // A number 0..max of at most maxCharacters characters.
    void MakeNumberBox(int maxCharacters, long max);

    // Editable: light text on the dark box; read-only: grey text on no box at all.
    void SetEditable(bool editable);
    std::u16string Text16() const;
    void SetText16(std::u16string_view text);

private:
    void ApplyFilter();
    void ApplyLook();

    Filter m_filter;
    bool m_filtering = false;
};

}  // namespace vorlix
