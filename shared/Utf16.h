#pragma once

#include <string>
#include <string_view>

namespace vorlix {

// Conversions between the UTF-16 texts the system keeps and the UTF-8 of the Linux world.
// Invalid sequences become U+FFFD rather than being dropped, so a text never silently shrinks.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// True when text is well-formed UTF-8, so converting it loses nothing. Texts from outside (arguments,
// files) are checked with it and refused rather than silently given U+FFFD.
bool IsUtf8(std::string_view text);

}  // namespace vorlix
