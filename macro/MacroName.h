#pragma once

#include <string>
#include <string_view>

namespace vorlix::macroname {

inline constexpr size_t kMaxNewNameLength = 20;

// A name that can become a file name inside the library: not empty, no path separator, no "..", no
// control character.
bool IsSafe(std::u16string_view name);
// A safe name of at most 20 characters, as a new macro may take.
bool IsValidNew(std::u16string_view name);
// Why a name is refused, to follow the name in a report.
std::u16string_view Refusal(std::u16string_view name);

// Names that differ only in letter case are the same macro.
bool Same(std::u16string_view a, std::u16string_view b);
// "x.mac" in any letter case: the name without the extension; otherwise empty.
std::u16string_view MacroOfFile(std::u16string_view fileName);
// The name without a final ".mac" in any letter case.
std::u16string StripExtension(std::u16string_view name);

}  // namespace vorlix::macroname
