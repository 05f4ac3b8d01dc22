#pragma once

#include <string>
#include <vector>

#include "lang/LangFileWriter.h"
#include "lang/TextTables.h"

namespace vorlix::testing {

// Tables with a recognisable text in every table, as a translated language file would carry them.
inline CTextTables TranslatedTables(const std::u16string& mark) {
    CTextTables tables;
    for (ETextTable table : CTextTables::kFileOrder) {
        for (int i = 0; i < CTextTables::Count(table); ++i) {
            tables.SetText(table, i, mark + u" " + std::u16string(CTextTables::DefaultText(table, i)));
        }
    }
    for (int i = 0; i < CTextTables::Count(ETextTable::Tray); ++i) {
        tables.SetText(ETextTable::Tray, i, mark + u" tray " + static_cast<char16_t>(u'0' + i));
    }
    tables.SetFont(1, {u"Liberation Sans", -18, 0, 600});
    tables.SetLanguageNumber(7);
    return tables;
}

// The lines of a translated file named name; tests change single lines before encoding them.
inline std::vector<std::u16string> TranslatedLines(const std::string& name,
                                                   const std::u16string& mark = u"DE") {
    return CLangFileWriter::Lines(TranslatedTables(mark), name);
}

inline std::vector<uint8_t> TranslatedFile(const std::string& name, const std::u16string& mark = u"DE") {
    return CLangFileWriter::Encode(TranslatedLines(name, mark));
}

}  // namespace vorlix::testing
