#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorlix::editfilter {

// The filters run on every change of a skinned edit's text and return the text the edit keeps.

// A number box (the repeat count, the DPI box, the editor's delay boxes): a value above max becomes
// max; otherwise a text that is not a plain decimal number (digits without a leading zero; an empty
// text and a single "0" count as plain) loses its last character until it is one. Only the first
// 8 characters are looked at for the value.
std::u16string Number(std::u16string_view text, long max);

// The leading decimal digits of a text as a number (0 when there are none), saturating at max + 1 so a
// long text cannot overflow.
long LeadingValue(std::u16string_view text, long max);

// The repeat count. The mouse stores the count - 1 in one byte and the box shows the count itself,
// 1..255, so that every stored value 0..254 survives an OK unchanged.
inline constexpr long kCountMax = 255;
inline constexpr int kCountCharacters = 3;
std::u16string CountText(int storedValue);
std::u16string Count(std::u16string_view text);
// The stored value for the box's text: count - 1, 0 for an empty text, "0" or "1".
int CountValue(std::u16string_view text);

// A macro name box: at most maxLength characters; characters a file name cannot carry ("/", NUL and
// other control characters) are dropped as they are typed or pasted.
std::u16string Name(std::u16string_view text, std::size_t maxLength);

// The number parser of the editor's delay boxes: empty is 0; decimal digits accumulate; "x" or "X"
// right after a leading 0 switches to hexadecimal; "+" or "-" starts a number afresh with that sign;
// a space starts afresh unless it follows a space or a comma, a comma unless it follows a space. Any
// other character, or a hexadecimal digit outside hexadecimal mode, gives nothing. The last number
// counts; magnitudes saturate far above any box's range.
std::optional<long> ParseNumber(std::u16string_view text);

}  // namespace vorlix::editfilter
