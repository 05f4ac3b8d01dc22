#include "LocaleLanguage.h"

#include <cstdlib>
#include <string>

namespace vorlix {

namespace {

// Makes an identifier from its primary language and sub-language.
constexpr uint16_t Id(unsigned primary, unsigned sub) {
    return static_cast<uint16_t>(sub << 10 | primary);
}

struct SCountry {
    const char* country;
    uint16_t id;
};

struct SLanguage {
    const char* language;
    uint16_t neutral;  // for the language without a country, or a country not listed
    SCountry countries[6];
};

// The languages the language table has files for, with the countries whose identifiers differ.
const SLanguage kLanguages[] = {
    {"zh",
     Id(4, 2),
     {{"CN", Id(4, 2)}, {"SG", Id(4, 2)}, {"TW", Id(4, 1)}, {"HK", Id(4, 3)}, {"MO", Id(4, 5)}}},
    {"cs", Id(5, 1), {}},
    {"de", Id(7, 1), {{"CH", Id(7, 2)}, {"AT", Id(7, 3)}, {"LU", Id(7, 4)}, {"LI", Id(7, 5)}}},
    {"en",
     Id(9, 1),
     {{"GB", Id(9, 2)}, {"AU", Id(9, 3)}, {"CA", Id(9, 4)}, {"NZ", Id(9, 5)}, {"IE", Id(9, 6)}}},
    {"es",
     Id(10, 3),
     {{"MX", Id(10, 2)}, {"AR", Id(10, 11)}, {"CO", Id(10, 9)}, {"CL", Id(10, 13)}, {"US", Id(10, 21)}}},
    {"fr", Id(12, 1), {{"BE", Id(12, 2)}, {"CA", Id(12, 3)}, {"CH", Id(12, 4)}, {"LU", Id(12, 5)}}},
    {"it", Id(16, 1), {{"CH", Id(16, 2)}}},
    {"ja", Id(17, 1), {}},
    {"ko", Id(18, 1), {}},
    {"pl", Id(21, 1), {}},
    {"pt", Id(22, 1), {{"BR", Id(22, 1)}, {"PT", Id(22, 2)}}},
    {"ru", Id(25, 1), {}},
    {"th", Id(30, 1), {}},
    {"tr", Id(31, 1), {}},
};

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

}  // namespace

uint16_t CLocaleLanguage::FromLocaleName(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    const size_t end = locale.find_first_of(".@");
    const std::string_view name = locale.substr(0, end);
    const size_t underscore = name.find_first_of("_-");
    const std::string language = Lower(name.substr(0, underscore));
    const std::string country =
        underscore == std::string_view::npos ? std::string() : Upper(name.substr(underscore + 1));
    for (const SLanguage& entry : kLanguages) {
        if (language != entry.language) {
            continue;
        }
        for (const SCountry& known : entry.countries) {
            if (known.country != nullptr && country == known.country) {
                return known.id;
            }
        }
        // Script subtags name the Chinese writing directly.
        if (language == "zh" && (country == "HANT" || locale.find("@hant") != std::string_view::npos)) {
            return Id(4, 1);
        }
        return entry.neutral;
    }
    return kEnglishUs;
}

uint16_t CLocaleLanguage::FromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return FromLocaleName(value);
        }
    }
    return kEnglishUs;
}

}  // namespace vorlix
