#pragma once

#include <cstdint>
#include <string_view>

namespace vorlix {

// The user's language as the language identifier the language table is written for (primary language in
// the low 10 bits, sub-language above), taken from the POSIX locale.
class CLocaleLanguage {
public:
    static constexpr uint16_t kEnglishUs = 0x0409;

    // A locale name such as "de_DE.UTF-8", "zh_TW", "pt_BR@euro" or "C". Unknown languages, "C" and
    // "POSIX" give English.
    static uint16_t FromLocaleName(std::string_view locale);
    // The locale that governs messages: LC_ALL, else LC_MESSAGES, else LANG; the first one set and
    // not empty.
    static uint16_t FromEnvironment();
};

}  // namespace vorlix
