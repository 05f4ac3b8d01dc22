#include "LanguageChoice.h"

namespace vorlix {

namespace {

struct SLanguageRow {
    unsigned primary;
    const char* file;
    const char* suffix;
};

// Chinese is decided by its sub-language before this table is consulted.
constexpr SLanguageRow kLanguages[] = {
    {5, "Czech.txt", "cz"},    {7, "German.txt", "de"},   {10, "Spanish.txt", "sp"},
    {12, "French.txt", "fr"},  {16, "Italian.txt", "it"}, {17, "Japanese.txt", "jp"},
    {18, "Korean.txt", "ko"},  {21, "Polish.txt", "po"},  {22, "Brasil.txt", "br"},
    {25, "Russian.txt", "ru"}, {30, "Thai.txt", "th"},    {31, "Turkish.txt", "tk"},
};

constexpr unsigned kChinese = 4;
constexpr unsigned kThai = 30;

}  // namespace

SLanguageChoice CLanguageChoice::Choose(uint16_t languageId, ELangProgram program) {
    const unsigned primary = languageId & 0x3FF;
    const unsigned sub = languageId >> 10;
    if (primary == kChinese) {
        return sub == 2 ? SLanguageChoice{"SimpleChinese.txt", "sc"}
                        : SLanguageChoice{"TraditionalChinese.txt", "tc"};
    }
    for (const SLanguageRow& row : kLanguages) {
        if (row.primary == primary) {
            if (primary == kThai && program == ELangProgram::Monitor) {
                return {"", row.suffix};
            }
            return {row.file, row.suffix};
        }
    }
    return {program == ELangProgram::Config ? "English.txt" : "", "en"};
}

uint16_t CLanguageChoice::MonitorLanguage(int32_t storeValue, uint16_t systemLanguage) {
    const auto low = static_cast<uint16_t>(static_cast<uint32_t>(storeValue) & 0xFFFF);
    return low == 0 || low == 0xFFFF ? systemLanguage : low;
}

bool CLanguageChoice::IsKnownFileName(const std::string& name) {
    if (name == "English.txt" || name == "SimpleChinese.txt" || name == "TraditionalChinese.txt") {
        return true;
    }
    for (const SLanguageRow& row : kLanguages) {
        if (name == row.file) {
            return true;
        }
    }
    return false;
}

}  // namespace vorlix
