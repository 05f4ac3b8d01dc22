#include "macro/MacroTableTexts.h"

#include "lang/TextTables.h"
#include "macro/MacroEncoding.h"

namespace vorlix {

CMacroTableTexts::CMacroTableTexts(const CTextTables& tables, ShowFunction show)
    : m_tables(tables), m_show(std::move(show)) {}

std::u16string_view CMacroTableTexts::CommandName(int index) const {
    // The command table's last entry is the chooser's title, no command.
    return index >= 0 && index < encoding::kCommandCount ? m_tables.Text(ETextTable::Command, index)
                                                         : std::u16string_view();
}

std::u16string_view CMacroTableTexts::DelayUnitName(int index) const {
    return m_tables.Text(ETextTable::DelayUnit, index);
}

std::u16string_view CMacroTableTexts::MessageText(int index) const {
    return m_tables.Text(ETextTable::Message, index);
}

void CMacroTableTexts::ShowMessage(int index, std::u16string_view appended) {
    if (m_show) {
        m_show(std::u16string(MessageText(index)) + std::u16string(appended));
    }
}

}  // namespace vorlix
