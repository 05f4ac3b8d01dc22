#include "macro/MacroName.h"

namespace vorlix::macroname {

namespace {

// Upper case of the letters of the Latin, Greek and Cyrillic alphabets, enough to treat names as a
// case-insensitive file system does.
char16_t Fold(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<char16_t>(c - 0x50);
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x178) {
        // Latin Extended-A pairs capital and small letters; the parity of the pairs flips twice.
        const bool smallOdd = c < 0x138 || (c > 0x149 && c < 0x178);
        if (smallOdd ? (c & 1) != 0 : (c & 1) == 0) {
            return static_cast<char16_t>(c - 1);
        }
    }
    return c;
}

bool EndsWithMac(std::u16string_view name) {
    return name.size() >= 4 && name[name.size() - 4] == u'.' && Same(name.substr(name.size() - 3), u"MAC");
}

}  // namespace

bool IsSafe(std::u16string_view name) {
    // "." would make the hidden file ".Mac", whose name no listing gives back.
    if (name.empty() || name == u"." || name.find(u"..") != std::u16string_view::npos) {
        return false;
    }
    for (char16_t c : name) {
        if (c < 0x20 || c == 0x7F || c == u'/' || c == u'\\') {
            return false;
        }
    }
    return true;
}

bool IsValidNew(std::u16string_view name) {
    return IsSafe(name) && name.size() <= kMaxNewNameLength;
}

std::u16string_view Refusal(std::u16string_view name) {
    if (name.empty()) {
        return u"(a macro needs a name)";
    }
    if (!IsSafe(name)) {
        return u" (a macro name may not hold '/', '\\', '..' or control characters)";
    }
    return u" (a macro name has at most 20 characters)";
}

bool Same(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

std::u16string_view MacroOfFile(std::u16string_view fileName) {
    if (fileName.size() <= 4 || !EndsWithMac(fileName)) {
        return {};
    }
    return fileName.substr(0, fileName.size() - 4);
}

std::u16string StripExtension(std::u16string_view name) {
    return std::u16string(EndsWithMac(name) ? name.substr(0, name.size() - 4) : name);
}

}  // namespace vorlix::macroname
