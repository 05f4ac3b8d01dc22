// The settings-file parser on arbitrary text: it must never crash, and whatever it accepts must be
// written back and read again to the same snapshot, and pass through the import rules without harm.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/SettingsFile.h"
#include "settings/SettingsTransfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vorlix::SSettingsSnapshot snapshot;
    std::string error;
    if (!vorlix::CSettingsFile::Parse(text, snapshot, error)) {
        // A refusal always names its line.
        if (error.rfind("line ", 0) != 0) {
            std::abort();
        }
        return 0;
    }
    std::string why;
    vorlix::CSettingsTransfer::CheckRules(snapshot, why);
    vorlix::SSettingsSnapshot again;
    if (!vorlix::CSettingsFile::Parse(vorlix::CSettingsFile::Format(snapshot), again, error) ||
        again.blocks != snapshot.blocks || again.profileByte != snapshot.profileByte ||
        again.family != snapshot.family) {
        std::abort();
    }
    for (size_t p = 0; p < snapshot.buttons.size(); ++p) {
        for (size_t b = 0; b < snapshot.buttons[p].size(); ++b) {
            const auto& one = snapshot.buttons[p][b];
            const auto& two = again.buttons[p][b];
            if (one.program != two.program || one.programName != two.programName ||
                one.macroName != two.macroName || one.macro.has_value() != two.macro.has_value() ||
                (one.macro && (one.macro->code != two.macro->code || one.macro->runMode != two.macro->runMode ||
                               one.macro->repeatCount != two.macro->repeatCount))) {
                std::abort();
            }
        }
    }
    return 0;
}
