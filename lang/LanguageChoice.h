#pragma once

#include <cstdint>
#include <string>

namespace vorlix {

// Which program asks: the configuration program uses a file for Thai and "English.txt" for every
// language without one; the monitor has no Thai file and keeps its built-in texts for those languages.
enum class ELangProgram { Config, Monitor };

// The language file and help document chosen for a language identifier (primary language in the low
// 10 bits, sub-language in bits 10-15).
struct SLanguageChoice {
    std::string fileName;    // empty when the program keeps its built-in texts
    std::string helpSuffix;  // "de", "sc", ... and "en" for any other language
    std::string HelpDocument() const { return "Information_" + helpSuffix + ".html"; }
};

class CLanguageChoice {
public:
    static constexpr uint16_t kEnglishUs = 0x0409;
    static constexpr const char* kFallbackHelpDocument = "Information_en.html";

    static SLanguageChoice Choose(uint16_t languageId, ELangProgram program);
    // The monitor's language: the low 16 bits of the store value "Language", unless they are 0 or 0xFFFF
    // (which a missing value gives), then the system's language.
    static uint16_t MonitorLanguage(int32_t storeValue, uint16_t systemLanguage);
    // True when name is the language file of some language in the table.
    static bool IsKnownFileName(const std::string& name);
};

}  // namespace vorlix
