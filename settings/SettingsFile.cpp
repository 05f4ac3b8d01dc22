#include "SettingsFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

#include "ButtonCatalogue.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

constexpr int kBytesPerRow = 16;

std::string Quote(const std::u16string& text) {
    std::string out = "\"";
    for (const char c : Utf16ToUtf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

// Splits a line into words; a word in double quotes may hold blanks and the escapes Quote writes.
bool SplitWords(std::string_view line, std::vector<std::string>& words, bool& quotedLast,
                std::string& error) {
    words.clear();
    quotedLast = false;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (i >= line.size()) {
                    break;
                }
                const char e = line[i++];
                const char* kEscapes = "\"\\nrt";
                const char kMeaning[] = {'"', '\\', '\n', '\r', '\t'};
                const char* found = std::char_traits<char>::find(kEscapes, 5, e);
                if (found == nullptr) {
                    error = std::string("unknown escape \\") + e;
                    return false;
                }
                word += kMeaning[found - kEscapes];
            }
            if (!closed) {
                error = "text without its closing quote";
                return false;
            }
            if (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                error = "text runs on after its closing quote";
                return false;
            }
            quotedLast = true;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                word += line[i++];
            }
            quotedLast = false;
        }
        words.push_back(std::move(word));
    }
    return true;
}

bool ParseUnsigned(const std::string& text, int base, unsigned& value) {
    std::string_view digits = text;
    if (base == 16 && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
    }
    if (digits.empty()) {
        return false;
    }
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    return ec == std::errc() && end == digits.data() + digits.size();
}

// "button B macro-run MODE REPEAT" or "button B macro-code OFFSET BYTES...": the run line first, then
// the code in rows of 16 bytes from offset 000.
bool ParseMacroLine(const std::vector<std::string>& words, bool quoted, int lineNumber,
                    SSettingsSnapshot::SButtonValues& values, std::string& why) {
    const std::string& what = words[2];
    if (what == "macro-run") {
        unsigned mode = 0;
        unsigned repeat = 0;
        if (words.size() != 5 || quoted || !ParseUnsigned(words[3], 10, mode) || mode > 0xFF ||
            !ParseUnsigned(words[4], 10, repeat) || repeat > 0xFF) {
            why = "expected \"button " + words[1] + " macro-run MODE REPEAT\" (two bytes, decimal)";
            return false;
        }
        // The run modes a script header may hold: 1 none, 4 loops or until the next key, 5 once, 7 while
        // held. The mouse's reaction to any other byte is unknown.
        if (mode != 1 && mode != 4 && mode != 5 && mode != 7) {
            why = "button " + words[1] + " macro-run mode " + words[3] + " is not one of 1, 4, 5 and 7";
            return false;
        }
        if (values.macro) {
            why = "button " + words[1] + " macro-run is given twice";
            return false;
        }
        values.macro = SSettingsSnapshot::SMacro{
            static_cast<uint8_t>(mode), static_cast<uint8_t>(repeat), {}, lineNumber};
        return true;
    }
    if (!values.macro) {
        why = "button " + words[1] + " macro-code comes before its macro-run line";
        return false;
    }
    std::vector<uint8_t>& code = values.macro->code;
    unsigned offset = 0;
    if (quoted || !ParseUnsigned(words[3], 16, offset) || offset != code.size() ||
        code.size() % kBytesPerRow != 0) {
        why = "expected \"button " + words[1] + " macro-code " + Hex(static_cast<unsigned>(code.size()), 3) +
              "\" after full rows of " + std::to_string(kBytesPerRow) + " bytes";
        return false;
    }
    const size_t count = words.size() - 4;
    if (count < 1 || count > static_cast<size_t>(kBytesPerRow)) {
        why = "a macro-code row holds 1 to " + std::to_string(kBytesPerRow) + " bytes";
        return false;
    }
    if (code.size() + count > static_cast<size_t>(CSettingsFile::kMaxMacroCode)) {
        why = "button " + words[1] + ": a macro holds at most " +
              std::to_string(CSettingsFile::kMaxMacroCode) + " bytes of code";
        return false;
    }
    for (size_t i = 4; i < words.size(); ++i) {
        unsigned byte = 0;
        if (words[i].size() != 2 || !ParseUnsigned(words[i], 16, byte)) {
            why = "\"" + words[i] + "\" is not a byte in two hexadecimal digits";
            return false;
        }
        code.push_back(static_cast<uint8_t>(byte));
    }
    return true;
}

// A macro belongs to a "MACRO KEY" button and needs its name to land in the library.
bool MacrosFit(const SSettingsSnapshot& snapshot, int profile, std::string& why) {
    for (int b = 0; b < map::kButtons; ++b) {
        const auto& values = snapshot.buttons[static_cast<size_t>(profile)][static_cast<size_t>(b)];
        if (!values.macro) {
            continue;
        }
        const std::string where =
            "profile " + std::to_string(profile + 1) + " button " + std::to_string(b + 1);
        if (!values.macroName) {
            why = where + " has a macro without its macro-name";
            return false;
        }
        const int kindOffset = map::SlotAddress(profile, b) - map::BlockBase(profile);
        if (snapshot.blocks[static_cast<size_t>(profile)][static_cast<size_t>(kindOffset)] !=
            CButtonCatalogue::kKindMacro) {
            why = where + " has a macro, but its block does not make it a MACRO KEY";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string CSettingsFile::Format(const SSettingsSnapshot& snapshot,
                                  const std::array<std::string, map::kProfiles>& comments) {
    std::string out;
    out +=
        "# Vorlix Daze mouse settings. Lines starting with # are notes for the reader; import ignores "
        "them.\n";
    out += std::string(kMagic) + " " + std::to_string(kVersion) + "\n";
    out += "family 0x" + Hex(snapshot.family, 4) + "\n";
    out += "profile-byte 0x" + Hex(snapshot.profileByte, 2) + "\n";
    for (int p = 0; p < map::kProfiles; ++p) {
        out += "\nprofile " + std::to_string(p + 1) + "\n";
        if (!comments[static_cast<size_t>(p)].empty()) {
            out += "# " + comments[static_cast<size_t>(p)] + "\n";
        }
        const auto& block = snapshot.blocks[static_cast<size_t>(p)];
        for (int row = 0; row < map::kBlockUsed; row += kBytesPerRow) {
            out += "block " + Hex(static_cast<unsigned>(row), 3);
            for (int i = row; i < row + kBytesPerRow && i < map::kBlockUsed; ++i) {
                out += " " + Hex(block[static_cast<size_t>(i)], 2);
            }
            out += "\n";
        }
        for (int b = 0; b < map::kButtons; ++b) {
            const auto& values = snapshot.buttons[static_cast<size_t>(p)][static_cast<size_t>(b)];
            const std::string prefix = "button " + std::to_string(b + 1) + " ";
            if (values.program) {
                out += prefix + "program " + Quote(*values.program) + "\n";
            }
            if (values.programName) {
                out += prefix + "program-name " + Quote(*values.programName) + "\n";
            }
            if (values.macroName) {
                out += prefix + "macro-name " + Quote(*values.macroName) + "\n";
            }
            if (values.macro) {
                const SSettingsSnapshot::SMacro& macro = *values.macro;
                out += prefix + "macro-run " + std::to_string(macro.runMode) + " " +
                       std::to_string(macro.repeatCount) + "\n";
                for (size_t row = 0; row < macro.code.size(); row += kBytesPerRow) {
                    out += prefix + "macro-code " + Hex(static_cast<unsigned>(row), 3);
                    for (size_t i = row; i < row + kBytesPerRow && i < macro.code.size(); ++i) {
                        out += " " + Hex(macro.code[i], 2);
                    }
                    out += "\n";
                }
            }
        }
    }
    out += "\nend\n";
    return out;
}

int CSettingsFile::Parse(std::string_view text, SSettingsSnapshot& result, std::string& error) {
    SSettingsSnapshot snapshot;
    enum class Expect { Magic, Family, ProfileByte, Profile, Body, Done };
    Expect expect = Expect::Magic;
    int profile = -1;
    int nextOffset = 0;
    int lineNumber = 0;
    unsigned version = 0;
    std::vector<std::string> words;
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return 0;
    };
    const auto blockComplete = [&] { return nextOffset == map::kBlockUsed; };
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find('\r') != std::string_view::npos) {
            return fail("a line ends in a bare carriage return; save the file with LF or CR LF line ends");
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        bool quoted = false;
        std::string why;
        if (!SplitWords(line, words, quoted, why)) {
            return fail(why);
        }
        const std::string& key = words[0];
        if (expect == Expect::Done) {
            return fail("nothing may follow \"end\"");
        }
        if (expect == Expect::Magic) {
            if (key != kMagic || words.size() != 2) {
                return fail("not a Vorlix Daze settings file (it must start with \"" + std::string(kMagic) +
                            " " + std::to_string(kVersion) + "\")");
            }
            if (!ParseUnsigned(words[1], 10, version) || version < static_cast<unsigned>(kOldestVersion) ||
                version > static_cast<unsigned>(kVersion)) {
                return fail("settings file version " + words[1] + " is not supported (this program reads " +
                            "versions " + std::to_string(kOldestVersion) + " to " + std::to_string(kVersion) +
                            ")");
            }
            snapshot.version = static_cast<int>(version);
            expect = Expect::Family;
            continue;
        }
        if (expect == Expect::Family) {
            unsigned family = 0;
            if (key != "family" || words.size() != 2 || !ParseUnsigned(words[1], 16, family) ||
                family > 0xFFFF) {
                return fail("expected \"family 0xNNNN\"");
            }
            snapshot.family = family;
            snapshot.familyLine = lineNumber;
            expect = Expect::ProfileByte;
            continue;
        }
        if (expect == Expect::ProfileByte) {
            unsigned byte = 0;
            if (key != "profile-byte" || words.size() != 2 || !ParseUnsigned(words[1], 16, byte) ||
                byte > 0xFF) {
                return fail("expected \"profile-byte 0xNN\"");
            }
            const unsigned count = byte >> 4;
            if (count < 1 || count > static_cast<unsigned>(map::kProfiles) || (byte & 0x0F) >= count) {
                return fail("profile byte 0x" + Hex(byte, 2) +
                            " is not usable: it must allow 1 to 5 profiles and name one of them as active");
            }
            snapshot.profileByte = static_cast<uint8_t>(byte);
            expect = Expect::Profile;
            continue;
        }
        if (key == "profile" || key == "end") {
            if (profile >= 0 && !blockComplete()) {
                return fail("profile " + std::to_string(profile + 1) + " has " + std::to_string(nextOffset) +
                            " of its " + std::to_string(map::kBlockUsed) + " block bytes");
            }
            if (profile >= 0 && !MacrosFit(snapshot, profile, why)) {
                return fail(why);
            }
            if (key == "end") {
                if (words.size() != 1 || profile != map::kProfiles - 1) {
                    return fail("\"end\" before all five profiles");
                }
                expect = Expect::Done;
                continue;
            }
            unsigned number = 0;
            if (words.size() != 2 || !ParseUnsigned(words[1], 10, number) ||
                number != static_cast<unsigned>(profile + 2)) {
                return fail("expected \"profile " + std::to_string(profile + 2) + "\"");
            }
            profile = static_cast<int>(number) - 1;
            snapshot.profileLines[static_cast<size_t>(profile)] = lineNumber;
            nextOffset = 0;
            expect = Expect::Body;
            continue;
        }
        if (expect != Expect::Body) {
            return fail("expected \"profile 1\"");
        }
        if (key == "block") {
            unsigned offset = 0;
            if (words.size() < 3 || !ParseUnsigned(words[1], 16, offset) ||
                offset != static_cast<unsigned>(nextOffset)) {
                return fail("expected \"block " + Hex(static_cast<unsigned>(nextOffset), 3) +
                            "\" and its bytes");
            }
            const int expected = std::min(kBytesPerRow, map::kBlockUsed - nextOffset);
            if (static_cast<int>(words.size()) - 2 != expected) {
                return fail("block row " + words[1] + " must hold " + std::to_string(expected) + " bytes");
            }
            for (size_t i = 2; i < words.size(); ++i) {
                unsigned byte = 0;
                if (words[i].size() != 2 || !ParseUnsigned(words[i], 16, byte)) {
                    return fail("\"" + words[i] + "\" is not a byte in two hexadecimal digits");
                }
                snapshot.blocks[static_cast<size_t>(profile)][static_cast<size_t>(nextOffset++)] =
                    static_cast<uint8_t>(byte);
            }
            continue;
        }
        if (key == "button") {
            unsigned button = 0;
            if (words.size() < 4 || !ParseUnsigned(words[1], 10, button) || button < 1 ||
                button > static_cast<unsigned>(map::kButtons)) {
                return fail("expected \"button 1..8\" and a button value");
            }
            auto& values = snapshot.buttons[static_cast<size_t>(profile)][button - 1];
            const std::string& what = words[2];
            if (version >= 2 && (what == "macro-run" || what == "macro-code")) {
                if (!ParseMacroLine(words, quoted, lineNumber, values, why)) {
                    return fail(why);
                }
                continue;
            }
            if (words.size() != 4 || !quoted) {
                return fail("expected \"button 1..8 program|program-name|macro-name \\\"TEXT\\\"\"");
            }
            std::optional<std::u16string>* target = nullptr;
            if (what == "program") {
                target = &values.program;
            } else if (what == "program-name") {
                target = &values.programName;
            } else if (what == "macro-name") {
                target = &values.macroName;
            } else {
                return fail("unknown button value \"" + what + "\"");
            }
            if (target->has_value()) {
                return fail("button " + words[1] + " " + what + " is given twice");
            }
            if (!IsUtf8(words[3])) {
                return fail("button " + words[1] + " " + what + ": the text is not valid UTF-8");
            }
            std::u16string value = Utf8ToUtf16(words[3]);
            if (value.size() > 1023) {
                return fail("text longer than 1023 characters");
            }
            *target = std::move(value);
            continue;
        }
        return fail("unknown line \"" + key + "\"");
    }
    if (expect != Expect::Done) {
        ++lineNumber;
        return fail("the file ends early (truncated?): \"end\" is missing");
    }
    result = snapshot;
    return 1;
}

}  // namespace vorlix
