#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "macro/MacroProgram.h"
#include "shared/Utf16.h"

namespace vorlix::testing {

// "04 01 64 00 84" -> bytes.
inline std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return bytes;
}

inline std::string ToHex(const uint8_t* bytes, int length) {
    std::string out;
    char digits[4];
    for (int i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        out += (i == 0 ? "" : " ") + std::string(digits);
    }
    return out;
}

inline std::string SerializedHex(const CMacroProgram& program) {
    uint8_t code[kMaxCodeBytes];
    return ToHex(code, program.Serialize(code, kMaxCodeBytes));
}

inline int Parse(CMacroProgram& program, const std::string& hex) {
    const std::vector<uint8_t> bytes = Hex(hex);
    return program.Parse(bytes.data(), static_cast<int>(bytes.size()));
}

// One "TEXT<TAB>DELAY" entry per line.
inline std::vector<std::string> Rows(const CMacroProgram& program) {
    std::vector<std::string> rows;
    for (int i = 0; i < program.Count(); ++i) {
        rows.push_back(Utf16ToUtf8(program.Line(i).text) + "\t" + Utf16ToUtf8(program.DelayTextOf(i)));
    }
    return rows;
}

}  // namespace vorlix::testing
