#pragma once

#include <string>

#include "LangFileSystem.h"
#include "TextTables.h"

namespace vorlix {

// Fills the text tables from one language file. A file is taken as a whole or not at all: on any failure
// the tables the program reads are back at their defaults, so a window never mixes two languages.
class CLangFileLoader {
public:
    // Lines the configuration program reads before its name line, and the lines of the whole file.
    static constexpr int kConfigLines = 147;
    static constexpr int kConfigNameLine = 148;
    static constexpr int kTrayFirstLine = 149;
    static constexpr int kMonitorNameLine = 154;

    // The configuration program's tables (lines 1..147, name line 148). fileName is the name the file
    // was looked for under ("German.txt"); the name line must equal it exactly.
    static int LoadConfigTables(ILangFile& file, const std::string& fileName, CTextTables& tables);
    // The monitor's tray texts (lines 149..153, name line 154).
    static int LoadTrayTexts(ILangFile& file, const std::string& fileName, CTextTables& tables);

    // A decimal integer as the C library's string-to-integer conversion reads it: leading white space,
    // an optional sign, digits; anything else gives 0. Values beyond int are held at its limits.
    static int ParseInteger(std::u16string_view text);
};

}  // namespace vorlix
