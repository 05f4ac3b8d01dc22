#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TextTables.h"

namespace vorlix {

// Writes language files: the lines of a set of tables in file order, and their UTF-16LE encoding with
// byte-order mark and CR LF after every line. The shipped English file is made with it.
class CLangFileWriter {
public:
    // The 154 lines of a language file named fileName holding tables.
    static std::vector<std::u16string> Lines(const CTextTables& tables, const std::string& fileName);
    static std::vector<uint8_t> Encode(const std::vector<std::u16string>& lines);
    static std::vector<uint8_t> Write(const CTextTables& tables, const std::string& fileName) {
        return Encode(Lines(tables, fileName));
    }
};

}  // namespace vorlix
