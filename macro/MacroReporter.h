#pragma once

#include <string_view>

namespace vorlix {

// Indices of the message table entries the macro engine reports.
namespace macromsg {
inline constexpr int kNoPath = 2;        // "FAILURE: Can't find the file path: "
inline constexpr int kBadFormat = 3;     // "FAILURE: 101, Bad File format!?"
inline constexpr int kShortBody = 4;     // "Error: Failed to LOAD the Whole EEPROM!"
inline constexpr int kSaveFailed = 8;    // "Error: Failed to SAVE ONE SCRIPT!"
inline constexpr int kWriteFailed = 9;   // "FAILURE: 201, failed to write!?"
inline constexpr int kBufferFull = 12;   // "Buffer Full!"; also a library already holding 50 macros
inline constexpr int kNoSelection = 14;  // "No Selected item!"
inline constexpr int kClearAll = 17;     // "Clear macro definitions?"
inline constexpr int kMacroExists = 19;  // "Macro exist!"
}  // namespace macromsg

// Shows message n of the message table with a text appended directly after it.
class IMacroReporter {
public:
    virtual ~IMacroReporter() = default;
    virtual void ShowMessage(int index, std::u16string_view appended) = 0;
};

}  // namespace vorlix
