#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "macro/MacroReporter.h"
#include "macro/MacroTextSource.h"

namespace vorlix {

class CTextTables;

// The macro engine's texts and reports taken from the language tables: command names, delay unit names
// and the message table. A report is message n's text followed directly by the appended text, handed
// to show, which puts it in front of the user (a message dialog, or stderr for the command line).
class CMacroTableTexts final : public IMacroTextSource, public IMacroReporter {
public:
    using ShowFunction = std::function<void(std::u16string_view text)>;

    // tables must outlive this object.
    CMacroTableTexts(const CTextTables& tables, ShowFunction show);

    std::u16string_view CommandName(int index) const override;
    std::u16string_view DelayUnitName(int index) const override;
    void ShowMessage(int index, std::u16string_view appended) override;

    // Message n of the message table; empty outside the table.
    std::u16string_view MessageText(int index) const;

private:
    const CTextTables& m_tables;
    ShowFunction m_show;
};

}  // namespace vorlix
