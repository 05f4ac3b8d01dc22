#include "macro/MacroEncoding.h"

#include <array>

#include "macro/MacroTypes.h"

namespace vorlix::encoding {

namespace {

struct CommandBytes {
    int length;
    uint8_t bytes[kMaxCommandBytes];
};

// 0x70 Left-Ctrl, 0x72 Left-Alt, 0x73 Left-Win; the six-byte sequences are a consumer key followed by
// its release (usage 0).
constexpr CommandBytes kCommands[kCommandCount] = {
    {2, {0x4B, 0xCB}},                          // Page UP
    {2, {0x4E, 0xCE}},                          // Page DN
    {4, {0x70, 0x06, 0x86, 0xF0}},              // Copy
    {4, {0x70, 0x19, 0x99, 0xF0}},              // Paste
    {4, {0x72, 0x3D, 0xBD, 0xF2}},              // Close Window
    {4, {0x73, 0x07, 0x87, 0xF3}},              // Show Desktop
    {4, {0x70, 0x1C, 0x9C, 0xF0}},              // Undo
    {6, {0x03, 0x23, 0x02, 0x03, 0x00, 0x00}},  // Open Window Explorer
    {2, {0x4C, 0xCC}},                          // Delet
    {4, {0x70, 0x1B, 0x9B, 0xF0}},              // Cut
    {2, {0x46, 0xC6}},                          // Print Screen
    {4, {0x73, 0x0F, 0x8F, 0xF3}},              // Lock PC
    {3, {0x70, 0xFE, 0xF0}},                    // Zoom In
    {3, {0x70, 0x7E, 0xF0}},                    // Zoom Out
    {4, {0x70, 0x04, 0x84, 0xF0}},              // All
    {4, {0x70, 0x09, 0x89, 0xF0}},              // Find
    {4, {0x70, 0x13, 0x93, 0xF0}},              // Print
    {4, {0x70, 0x16, 0x96, 0xF0}},              // Save
    {4, {0x70, 0x11, 0x91, 0xF0}},              // New
    {6, {0x03, 0x83, 0x01, 0x03, 0x00, 0x00}},  // Maxmize IE/Media Player
};

}  // namespace

int PlainSize(int opcode) {
    static constexpr auto kSizes = [] {
        std::array<uint8_t, 256> sizes{};
        sizes.fill(1);
        sizes[op::kDelay] = 3;
        sizes[op::kLoopStart] = 2;
        sizes[op::kConsumerKey] = 3;
        sizes[op::kMotion] = 5;
        sizes[op::kLoopEnd] = 3;
        return sizes;
    }();
    return kSizes[static_cast<uint8_t>(opcode)];
}

bool IsCommand(int subOpcode) {
    return subOpcode >= sub::kFirstCommand && subOpcode <= sub::kLastCommand;
}

bool IsKnownExtended(int subOpcode) {
    return (subOpcode >= sub::kAbsoluteMove && subOpcode <= sub::kReturn) || IsCommand(subOpcode);
}

int ExtendedSize(int subOpcode) {
    switch (subOpcode) {
        case sub::kAbsoluteMove:
        case sub::kIfState:
        case sub::kIfVariable:
            return 6;
        case sub::kGoto:
        case sub::kSetVariable:
        case sub::kCall:
            return 4;
        case sub::kReturn:
            return 2;
        default:
            return IsCommand(subOpcode) ? CommandLength(subOpcode - sub::kFirstCommand) + 2 : 1;
    }
}

bool IsJump(int opcode, int subOpcode) {
    if (opcode == op::kLoopEnd) {
        return true;
    }
    return opcode == op::kExtended && (subOpcode == sub::kIfState || subOpcode == sub::kGoto ||
                                       subOpcode == sub::kIfVariable || subOpcode == sub::kCall);
}

int PlainIcon(int opcode) {
    if (opcode >= op::kFirstKey && opcode <= op::kLastKey) {
        return 1;
    }
    if (opcode >= op::kFirstButton && opcode <= op::kLastButton) {
        return 3;
    }
    if (opcode >= op::kFirstButton + op::kReleaseBit && opcode <= op::kLastButton + op::kReleaseBit) {
        return 4;
    }
    switch (opcode) {
        case op::kScrollDown:
            return 5;
        case op::kScrollUp:
            return 6;
        case op::kDelay:
            return 7;
        case op::kConsumerKey:
            return 8;
        case op::kMotion:
            return 9;
        case op::kAllKeysUp:
        case op::kLoopStart:
        case op::kNop:
        case op::kPause:
        case op::kLoopEnd:
        case op::kScriptStop:
            return 13;
        default:
            return (opcode & op::kReleaseBit) != 0 ? 2 : 13;
    }
}

int ExtendedIcon(int subOpcode) {
    switch (subOpcode) {
        case sub::kAbsoluteMove:
            return 9;
        case sub::kIfState:
        case sub::kIfVariable:
            return 10;
        case sub::kGoto:
            return 11;
        case sub::kSetVariable:
            return 12;
        case sub::kCall:
            return 14;
        case sub::kReturn:
            return 15;
        default:
            return 13;
    }
}

int CommandLength(int index) {
    return index >= 0 && index < kCommandCount ? kCommands[index].length : 0;
}

const uint8_t* CommandSequence(int index) {
    return index >= 0 && index < kCommandCount ? kCommands[index].bytes : nullptr;
}

int WalkSize(const uint8_t* code, int remaining) {
    if (remaining <= 0) {
        return 0;
    }
    int size = PlainSize(code[0]);
    if (code[0] == op::kExtended) {
        if (remaining < 2) {
            return 0;
        }
        size = IsKnownExtended(code[1]) ? ExtendedSize(code[1]) : 2;
    }
    return size <= remaining ? size : 0;
}

}  // namespace vorlix::encoding
