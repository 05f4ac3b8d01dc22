#pragma once

#include <string_view>

namespace vorlix {

// The language texts the macro engine shows: the names of the 20 commands and the two delay unit
// names. The language tables supply them; tests use a small fake.
class IMacroTextSource {
public:
    virtual ~IMacroTextSource() = default;
    // Command index 0..19 (sub-opcode 0x80 + index).
    virtual std::u16string_view CommandName(int index) const = 0;
    // 0 = seconds ("sec"), 1 = milliseconds ("ms").
    virtual std::u16string_view DelayUnitName(int index) const = 0;
};

}  // namespace vorlix
