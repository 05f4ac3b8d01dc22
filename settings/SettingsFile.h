#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "SettingsMap.h"

namespace vorlix {

// What an export carries: the profile byte, the used bytes of the five profile blocks and the
// per-button values of the shared store. Written as versioned, line-oriented text meant to be read,
// diffed and kept under version control.
struct SSettingsSnapshot {
    struct SButtonValues {
        std::optional<std::u16string> program;      // "PFpTk AP"
        std::optional<std::u16string> programName;  // "PFpTk AP Name"
        std::optional<std::u16string> macroName;    // "PFpTk Macro Name"
    };
    unsigned family = 0;
    int familyLine = 0;  // where the family stood in the file read
    uint8_t profileByte = 0;
    std::array<std::array<uint8_t, map::kBlockUsed>, map::kProfiles> blocks{};
    std::array<std::array<SButtonValues, map::kButtons>, map::kProfiles> buttons{};
};

class CSettingsFile {
public:
    static constexpr int kVersion = 1;
    static constexpr const char* kMagic = "vorlix-settings";

    // comments: one readable summary line per profile (ignored on reading), may be empty.
    static std::string Format(const SSettingsSnapshot& snapshot,
                              const std::array<std::string, map::kProfiles>& comments = {});
    // Reads a whole file; on any fault gives 0 and an error that names the line.
    static int Parse(std::string_view text, SSettingsSnapshot& snapshot, std::string& error);
};

}  // namespace vorlix
