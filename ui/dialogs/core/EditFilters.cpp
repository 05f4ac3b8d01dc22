#include "ui/dialogs/core/EditFilters.h"

#include <algorithm>

namespace vorlix::editfilter {

namespace {

constexpr std::size_t kLookedAt = 8;
constexpr long kSaturate = 1'000'000'000L;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsPlain(std::u16string_view text) {
    if (text.empty()) {
        return true;
    }
    if (!std::all_of(text.begin(), text.end(), IsDigit)) {
        return false;
    }
    return text.size() == 1 || text.front() != u'0';
}

int HexDigit(char16_t c) {
    if (IsDigit(c)) {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

std::u16string Decimal(long value) {
    std::u16string text;
    const std::string digits = std::to_string(value);
    text.assign(digits.begin(), digits.end());
    return text;
}

}  // namespace

long LeadingValue(std::u16string_view text, long max) {
    long value = 0;
    for (std::size_t i = 0; i < text.size() && i < kLookedAt && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - u'0'), max + 1);
    }
    return value;
}

std::u16string Number(std::u16string_view text, long max) {
    std::u16string kept(text);
    for (;;) {
        if (LeadingValue(kept, max) > max) {
            return Decimal(max);
        }
        if (IsPlain(kept)) {
            return kept;
        }
        kept.pop_back();
    }
}

std::u16string CountText(int storedValue) {
    return Decimal(std::clamp(storedValue, 0, static_cast<int>(kCountMax) - 1) + 1L);
}

std::u16string Count(std::u16string_view text) {
    return Number(text.substr(0, std::min<std::size_t>(text.size(), kLookedAt)), kCountMax);
}

int CountValue(std::u16string_view text) {
    const long count = LeadingValue(Count(text), kCountMax);
    return static_cast<int>(std::clamp(count - 1, 0L, kCountMax - 1));
}

std::u16string Name(std::u16string_view text, std::size_t maxLength) {
    std::u16string kept;
    for (const char16_t c : text) {
        if (kept.size() >= maxLength) {
            break;
        }
        if (c == u'/' || c < 0x20 || c == 0x7F) {
            continue;
        }
        kept.push_back(c);
    }
    return kept;
}

std::optional<long> ParseNumber(std::u16string_view text) {
    long value = 0;
    long sign = 1;
    bool hex = false;
    std::size_t digits = 0;  // digits of the current number
    bool leadingZero = false;
    char16_t previous = 0;
    auto restart = [&](long newSign) {
        value = 0;
        sign = newSign;
        hex = false;
        digits = 0;
        leadingZero = false;
    };
    for (const char16_t c : text) {
        if (c == u'+' || c == u'-') {
            restart(c == u'-' ? -1 : 1);
        } else if (c == u' ') {
            if (previous != u' ' && previous != u',') {
                restart(1);
            }
        } else if (c == u',') {
            if (previous != u' ') {
                restart(1);
            }
        } else if ((c == u'x' || c == u'X') && digits == 1 && leadingZero && !hex) {
            hex = true;
        } else if (IsDigit(c) || (hex && HexDigit(c) >= 0)) {
            leadingZero = digits == 0 && c == u'0';
            ++digits;
            value = std::min(value * (hex ? 16 : 10) + HexDigit(c), kSaturate);
        } else {
            return std::nullopt;
        }
        previous = c;
    }
    return sign * value;
}

}  // namespace vorlix::editfilter
