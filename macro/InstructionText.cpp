#include "macro/InstructionText.h"

#include <cstdint>
#include <cstring>

#include "macro/MacroEncoding.h"
#include "macro/MacroTextSource.h"

namespace vorlix::text {

namespace {

// Keyboard usages 0x04..0x77 in usage order.
constexpr const char* kKeyNames[op::kLastKey - op::kFirstKey + 1] = {
    "'A'",
    "'B'",
    "'C'",
    "'D'",
    "'E'",
    "'F'",
    "'G'",
    "'H'",
    "'I'",
    "'J'",
    "'K'",
    "'L'",
    "'M'",
    "'N'",
    "'O'",
    "'P'",
    "'Q'",
    "'R'",
    "'S'",
    "'T'",
    "'U'",
    "'V'",
    "'W'",
    "'X'",
    "'Y'",
    "'Z'",
    "'1'",
    "'2'",
    "'3'",
    "'4'",
    "'5'",
    "'6'",
    "'7'",
    "'8'",
    "'9'",
    "'0'",
    "'Return/Enter'",
    "'Escape'",
    "'BackSpace'",
    "'Tab'",
    "'Spacebar'",
    "'-'",
    "'='",
    "'['",
    "']'",
    "'\\'",
    "'~'",
    "';'",
    "'''",
    "Tilde",
    "','",
    "'.'",
    "'/'",
    "'CapsLock'",
    "'F1'",
    "'F2'",
    "'F3'",
    "'F4'",
    "'F5'",
    "'F6'",
    "'F7'",
    "'F8'",
    "'F9'",
    "'F10'",
    "'F11'",
    "'F12'",
    "'PrintScreen'",
    "'ScrollLock'",
    "'Pause'",
    "'Insert'",
    "'Home'",
    "'PageUp'",
    "'Delete'",
    "'End'",
    "'PageDown'",
    "'RightArrow'",
    "'LeftArrow'",
    "'DownArrow'",
    "'UpArrow'",
    "'NumLock'",
    "Keypad-'/'",
    "Keypad-'*'",
    "Keypad-'-'",
    "Keypad-'+'",
    "Keypad-'Enter'",
    "Keypad-'1'",
    "Keypad-'2'",
    "Keypad-'3'",
    "Keypad-'4'",
    "Keypad-'5'",
    "Keypad-'6'",
    "Keypad-'7'",
    "Keypad-'8'",
    "Keypad-'9'",
    "Keypad-'0'",
    "Keypad-'.'",
    "'|'",
    "'Application'",
    "'Power'",
    "Keypad-'='",
    "F13'",
    "F14'",
    "F15'",
    "F16'",
    "F17'",
    "F18'",
    "F19'",
    "F20'",
    "'Left-Ctrl'",
    "'Left-Shift'",
    "'Left-Alt'",
    "'Left-Win'",
    "'Right-Ctrl'",
    "'Right-Shift'",
    "'Right-Alt'",
    "'Right-Win'",
};

constexpr const char* kButtonNames[] = {"L-Button", "R-Button", "M-Button",
                                        "Button-4", "Button-5", "L&R Buttons"};

constexpr const char* kSubOpcodeNames[] = {
    "Absoluted Move: ", "IF ", "GOTO ", "IF ", "SET ", "CALL ", "Return"};

struct UsageName {
    int usage;
    const char* name;
};
constexpr UsageName kConsumerNames[] = {
    {0x00B5, "Next Track"}, {0x00B6, "Prev Track"}, {0x00B7, "Stop"},        {0x00CD, "Play/Pause"},
    {0x00E2, "Mute"},       {0x00E9, "Volume Up"},  {0x00EA, "Volume Down"}, {0x0183, "Media Player"},
    {0x018A, "E-Mail"},     {0x0192, "Calculator"}, {0x0194, "My Computer"}, {0x0223, "Web Browser"},
};

// Comparison kinds 0..35 of IfVariable; a trailing space marks texts followed by the constant.
constexpr const char* kComparisons[36] = {
    "A == B", "A == C", "A == ",  "B == C", "B == ",  "C == ", "A > B",  "A > C",  "A > ",
    "A >= B", "A >= C", "A >= ",  "A < B",  "A < C",  "A < ",  "A <= B", "A <= C", "A <= ",
    "B > C",  "B > ",   "B >= C", "B >= ",  "B < C",  "B < ",  "B <= C", "B <= ",  "C > ",
    "C >= ",  "C < ",   "C <= ",  "A != B", "A != C", "A != ", "B != C", "B != ",  "C != ",
};

// Assignment kinds 0..62 of SetVariable: text before the constant, whether the constant follows, and
// the text after it.
struct Assignment {
    const char* before;
    bool constant;
    const char* after;
};
constexpr Assignment kAssignments[63] = {
    {"A = ", true, ""},       {"B = ", true, ""},       {"C = ", true, ""},       {"A = B", false, ""},
    {"A = C", false, ""},     {"B = A", false, ""},     {"B = C", false, ""},     {"C = A", false, ""},
    {"C = B", false, ""},     {"A = A + B", false, ""}, {"A = A + C", false, ""}, {"A = B + C", false, ""},
    {"A = A + ", true, ""},   {"A = B + ", true, ""},   {"A = C + ", true, ""},   {"B = A + B", false, ""},
    {"B = A + C", false, ""}, {"B = B + C", false, ""}, {"B = A + ", true, ""},   {"B = B + ", true, ""},
    {"B = C + ", true, ""},   {"C = A + B", false, ""}, {"C = A + C", false, ""}, {"C = B + C", false, ""},
    {"C = A +", true, ""},    {"C = B +", true, ""},    {"C = C + ", true, ""},   {"A = ", true, " - A"},
    {"A = ", true, " - B"},   {"A = ", true, " - C"},   {"A = A - ", true, ""},   {"A = B - ", true, ""},
    {"A = C - ", true, ""},   {"A = A - B", false, ""}, {"A = B - A", false, ""}, {"A = A - C", false, ""},
    {"A = C - A", false, ""}, {"A = B - C", false, ""}, {"A = C - B", false, ""}, {"B = ", true, " - A"},
    {"B = ", true, " - B"},   {"B = ", true, " - C"},   {"B = A - ", true, ""},   {"B = B - ", true, ""},
    {"B = C - ", true, ""},   {"B = A - B", false, ""}, {"B = B - A", false, ""}, {"B = A - C", false, ""},
    {"B = C - A", false, ""}, {"B = B - C", false, ""}, {"B = C - B", false, ""}, {"C = ", true, " - A"},
    {"C = ", true, " - B"},   {"C = ", true, " - C"},   {"C = A - ", true, ""},   {"C = B - ", true, ""},
    {"C = C - ", true, ""},   {"C = A - B", false, ""}, {"C = B - A", false, ""}, {"C = A - C", false, ""},
    {"C = C - A", false, ""}, {"C = B - C", false, ""}, {"C = C - B", false, ""},
};

constexpr const char* kStateNames[] = {"'NumLock'", "'CapsLock'", "'ScrollLock'", "L-BUTTON",
                                       "R-BUTTON",  "M-BUTTON",   "IE BACK",      "IE FORWARD",
                                       "Button-6",  "Button-7",   "Button-8"};

// Appends to a fixed buffer, cutting what does not fit.
class CTextWriter {
public:
    CTextWriter(char16_t* out, int capacity) : m_out(out), m_limit(capacity - 1) { m_out[0] = 0; }
    ~CTextWriter() { m_out[m_length] = 0; }
    CTextWriter(const CTextWriter&) = delete;
    CTextWriter& operator=(const CTextWriter&) = delete;

    CTextWriter& operator<<(const char* ascii) {
        while (*ascii != 0 && m_length < m_limit) {
            m_out[m_length++] = static_cast<char16_t>(static_cast<unsigned char>(*ascii++));
        }
        return *this;
    }
    CTextWriter& operator<<(std::u16string_view text) {
        for (size_t i = 0; i < text.size() && m_length < m_limit; ++i) {
            m_out[m_length++] = text[i];
        }
        return *this;
    }
    CTextWriter& operator<<(int value) {
        char digits[16];
        int n = 0;
        unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) {
            digits[n++] = '-';
        }
        while (n > 0 && m_length < m_limit) {
            m_out[m_length++] = static_cast<char16_t>(digits[--n]);
        }
        return *this;
    }

private:
    char16_t* m_out;
    int m_limit;
    int m_length = 0;
};

int Word(const MacroInstruction& instruction, int slot) {
    return (instruction.operands[slot] & 0xFF) | ((instruction.operands[slot + 1] & 0xFF) << 8);
}

int SignedWord(const MacroInstruction& instruction, int slot) {
    return static_cast<int16_t>(static_cast<uint16_t>(Word(instruction, slot)));
}

void WriteTarget(CTextWriter& out, int targetLine) {
    if (targetLine < 0) {
        out << "??";
    } else {
        out << targetLine + 1;
    }
}

void WriteIfState(CTextWriter& out, int flags, int mask) {
    const bool released = (flags & 0x40) != 0;
    const char* joiner = (flags & 0x80) != 0 ? " AND " : " OR ";
    bool first = true;
    for (int term = 0; term < 11; ++term) {
        const bool set = term < 3 ? (flags & (1 << term)) != 0 : (mask & (1 << (term - 3))) != 0;
        if (!set) {
            continue;
        }
        const char* state = term < 3 ? (released ? " unlock" : " lock") : (released ? " release" : " press");
        if (!first) {
            out << joiner;
        }
        out << "(" << kStateNames[term] << state << ")";
        first = false;
    }
}

void WriteExtended(CTextWriter& out, const MacroInstruction& instruction, int targetLine,
                   const IMacroTextSource& texts) {
    const int subOpcode = instruction.operands[0];
    if (encoding::IsCommand(subOpcode)) {
        out << texts.CommandName(subOpcode - sub::kFirstCommand);
        return;
    }
    if (subOpcode < 0 || subOpcode > sub::kReturn) {
        out << OpcodeName(op::kExtended);
        return;
    }
    out << kSubOpcodeNames[subOpcode];
    switch (subOpcode) {
        case sub::kAbsoluteMove:
            out << "(" << SignedWord(instruction, 1) << ", " << SignedWord(instruction, 3) << ")";
            break;
        case sub::kIfState:
            out << "(";
            WriteIfState(out, instruction.operands[1], instruction.operands[2]);
            out << ")  GOTO ";
            WriteTarget(out, targetLine);
            break;
        case sub::kIfVariable: {
            const int kind = instruction.operands[1];
            out << "(";
            if (kind >= 0 && kind < 36) {
                out << kComparisons[kind];
                const char* comparison = kComparisons[kind];
                while (comparison[1] != 0) {
                    ++comparison;
                }
                if (*comparison == ' ') {
                    out << instruction.operands[2];
                }
            }
            out << ")  GOTO ";
            WriteTarget(out, targetLine);
            break;
        }
        case sub::kSetVariable: {
            const int kind = instruction.operands[1];
            if (kind >= 0 && kind < 63) {
                const Assignment& assignment = kAssignments[kind];
                out << assignment.before;
                if (assignment.constant) {
                    out << instruction.operands[2];
                }
                out << assignment.after;
            }
            break;
        }
        case sub::kGoto:
        case sub::kCall:
            WriteTarget(out, targetLine);
            break;
        default:
            break;
    }
}

}  // namespace

const char* OpcodeName(int index) {
    if (index < 0 || index >= kOpcodeNameCount) {
        return "";
    }
    if (index >= 256) {
        return kSubOpcodeNames[index - 256];
    }
    const int usage = index & 0x7F;
    if (index != op::kExtended && usage >= op::kFirstKey && usage <= op::kLastKey) {
        return kKeyNames[usage - op::kFirstKey];
    }
    if (usage >= op::kFirstButton && usage <= op::kLastButton) {
        return kButtonNames[usage - op::kFirstButton];
    }
    switch (index) {
        case op::kAllKeysUp:
            return "<All-Keys-Up>";
        case op::kDelay:
            return "... Delay: ";
        case op::kLoopStart:
            return "<Loop>: ";
        case op::kScrollDown:
        case op::kScrollUp:
            return "Scroll";
        case op::kNop:
            return "NOP";
        case op::kPause:
            return "<Pause>";
        case op::kLoopEnd:
            return "<Loop> End";
        case op::kExtended:
            return "Absoluted Move: ";
        case op::kScriptStop:
            return "Script Stop";
        default:
            return "";  // 0x03 and 0x80 have no name of their own
    }
}

const char* KeyName(int usage) {
    return usage >= op::kFirstKey && usage <= op::kLastKey ? kKeyNames[usage - op::kFirstKey] : "";
}

const char* ConsumerUsageName(int usage) {
    for (const UsageName& entry : kConsumerNames) {
        if (entry.usage == usage) {
            return entry.name;
        }
    }
    return nullptr;
}

int TargetSlot(const MacroInstruction& instruction) {
    if (instruction.opcode == op::kLoopEnd) {
        return 0;
    }
    if (instruction.opcode != op::kExtended) {
        return -1;
    }
    switch (instruction.operands[0]) {
        case sub::kGoto:
        case sub::kCall:
            return 1;
        case sub::kIfState:
        case sub::kIfVariable:
            return 3;
        default:
            return -1;
    }
}

// The opcode names as UTF-16, so that the many lines that show just their name are a single copy.
struct WideNames {
    static constexpr int kCapacity = 40;
    char16_t text[kOpcodeNameCount][kCapacity];
    uint8_t length[kOpcodeNameCount];
};

WideNames MakeWideNames() {
    WideNames table{};
    for (int i = 0; i < kOpcodeNameCount; ++i) {
        const char* name = OpcodeName(i);
        int n = 0;
        while (name[n] != 0 && n < WideNames::kCapacity - 1) {
            table.text[i][n] = static_cast<char16_t>(static_cast<unsigned char>(name[n]));
            ++n;
        }
        table.length[i] = static_cast<uint8_t>(n);
    }
    return table;
}

const WideNames kWideNames = MakeWideNames();

bool ShowsNameOnly(int opcode) {
    return opcode >= 0 && opcode <= 0xFF && opcode != op::kLoopStart && opcode != op::kConsumerKey &&
           opcode != op::kMotion && opcode != op::kExtended;
}

void WriteName(int opcode, char16_t* out) {
    const int index = opcode & 0xFF;
    const int length = kWideNames.length[index];
    std::memcpy(out, kWideNames.text[index], static_cast<size_t>(length) * sizeof(char16_t));
    out[length] = 0;
}

void BuildInstructionText(const MacroInstruction& instruction, int targetLine, const IMacroTextSource& texts,
                          char16_t* out) {
    if (ShowsNameOnly(instruction.opcode)) {
        WriteName(instruction.opcode, out);
        return;
    }
    CTextWriter writer(out, kTextCapacity);
    switch (instruction.opcode) {
        case op::kLoopStart:
            writer << OpcodeName(op::kLoopStart) << (instruction.operands[0] & 0xFF) + 1 << " Times";
            break;
        case op::kConsumerKey: {
            const int usage = Word(instruction, 0);
            if (const char* name = ConsumerUsageName(usage)) {
                writer << name;
            } else {
                writer << "Code=" << usage;
            }
            break;
        }
        case op::kMotion:
            writer << "(" << SignedWord(instruction, 0) << ", " << SignedWord(instruction, 2) << ")";
            break;
        case op::kExtended:
            WriteExtended(writer, instruction, targetLine, texts);
            break;
        default:
            writer << OpcodeName(instruction.opcode);
            break;
    }
}

std::u16string DelayText(int storedTicks, int unit, const IMacroTextSource& texts) {
    const long long ms = (static_cast<long long>(storedTicks) - 1) * (unit > 0 ? unit : 1);
    std::u16string out;
    auto number = [&out](long long value) {
        for (char c : std::to_string(value)) {
            out.push_back(static_cast<char16_t>(c));
        }
    };
    if (ms <= 1000) {
        number(ms < 0 ? 0 : ms);
        out += texts.DelayUnitName(1);
        return out;
    }
    // Seconds with one decimal, rounded half up.
    const long long tenths = (ms + 50) / 100;
    number(tenths / 10);
    out.push_back(u'.');
    number(tenths % 10);
    out += texts.DelayUnitName(0);
    return out;
}

}  // namespace vorlix::text
