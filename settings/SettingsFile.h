#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SettingsMap.h"

namespace vorlix {

// What an export carries: the profile byte, the used bytes of the five profile blocks, the
// per-button values of the shared store and, for each macro button, the macro bound to it (the
// mouse cannot give its scripts back). Written as versioned, line-oriented text meant to be read,
// diffed and kept under version control.
struct SSettingsSnapshot {
    // The macro a "MACRO KEY" button runs: its script header's first two bytes and its byte code.
    struct SMacro {
        uint8_t runMode = 5;
        uint8_t repeatCount = 0;
        std::vector<uint8_t> code;
        int line = 0;  // where it stood in the file read
    };
    struct SButtonValues {
        std::optional<std::u16string> program;      // "PFpTk AP"
        std::optional<std::u16string> programName;  // "PFpTk AP Name"
        std::optional<std::u16string> macroName;    // "PFpTk Macro Name"
        std::optional<SMacro> macro;                // with macroName; the button's slot is a macro key
    };
    int version = 0;  // of the file read
    unsigned family = 0;
    int familyLine = 0;  // where the family stood in the file read
    uint8_t profileByte = 0;
    std::array<int, map::kProfiles> profileLines{};  // where each "profile N" stood in the file read
    std::array<std::array<uint8_t, map::kBlockUsed>, map::kProfiles> blocks{};
    std::array<std::array<SButtonValues, map::kButtons>, map::kProfiles> buttons{};
};

class CSettingsFile {
public:
    // Version 2 added the bound macros; version 1 files still import.
    static constexpr int kVersion = 2;
    static constexpr int kOldestVersion = 1;
    static constexpr int kMaxMacroCode = 2000;
    static constexpr const char* kMagic = "vorlix-settings";

    // comments: one readable summary line per profile (ignored on reading), may be empty.
    static std::string Format(const SSettingsSnapshot& snapshot,
                              const std::array<std::string, map::kProfiles>& comments = {});
    // Reads a whole file; on any fault gives 0 and an error that names the line.
    static int Parse(std::string_view text, SSettingsSnapshot& snapshot, std::string& error);
};

}  // namespace vorlix
