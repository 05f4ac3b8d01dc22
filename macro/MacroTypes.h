#pragma once

#include <cstdint>

namespace vorlix {

// Fixed limits of the macro program.
inline constexpr int kMaxInstructions = 2200;
inline constexpr int kMaxJumpLinks = 128;
inline constexpr int kMaxCodeBytes = 2000;  // byte budget of a macro and limit of jump offsets
inline constexpr int kOperandSlots = 19;
inline constexpr int kTextCapacity = 256;  // UTF-16 code units, terminator included
inline constexpr int kMaxLineBytes = 1 + kOperandSlots + 3;
inline constexpr int kBudgetExceeded = -3;
inline constexpr int kMaxDelayTicks = 65535;

// First bytes of the macro byte code.
namespace op {
inline constexpr int kAllKeysUp = 0x00;
inline constexpr int kDelay = 0x01;
inline constexpr int kLoopStart = 0x02;
inline constexpr int kConsumerKey = 0x03;
inline constexpr int kFirstKey = 0x04;
inline constexpr int kLastKey = 0x77;
inline constexpr int kFirstButton = 0x78;
inline constexpr int kLastButton = 0x7D;
inline constexpr int kScrollDown = 0x7E;
inline constexpr int kNop = 0x7F;
inline constexpr int kMotion = 0x80;
inline constexpr int kPause = 0x81;
inline constexpr int kLoopEnd = 0x82;
inline constexpr int kExtended = 0x83;
inline constexpr int kReleaseBit = 0x80;
inline constexpr int kScrollUp = 0xFE;
inline constexpr int kScriptStop = 0xFF;
}  // namespace op

// Sub-opcodes of an Extended instruction.
namespace sub {
inline constexpr int kAbsoluteMove = 0x00;
inline constexpr int kIfState = 0x01;
inline constexpr int kGoto = 0x02;
inline constexpr int kIfVariable = 0x03;
inline constexpr int kSetVariable = 0x04;
inline constexpr int kCall = 0x05;
inline constexpr int kReturn = 0x06;
inline constexpr int kFirstCommand = 0x80;
inline constexpr int kLastCommand = 0x93;
}  // namespace sub

// One line of a macro program.
struct MacroInstruction {
    int32_t opcode;
    // The bytes after the opcode, one per slot; for Extended slot 0 is the sub-opcode.
    int32_t operands[kOperandSlots];
    // 1 + ticks of the delay that follows the instruction; 1 means no delay.
    int32_t delayTicks;
    // Bytes the line occupies in the byte code, its delay suffix included.
    int32_t encodedSize;
    // Kept last, so that the fields the byte code needs share the record's first cache lines.
    char16_t text[kTextCapacity];
};

// Where a jump instruction of the program points to.
struct JumpLink {
    int32_t jumpLine;
    int32_t targetLine;  // -1 when no line starts at or after the offset
    int32_t targetOffset;
};

}  // namespace vorlix
