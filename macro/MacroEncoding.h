#pragma once

#include <cstdint>

namespace vorlix::encoding {

inline constexpr int kCommandCount = 20;
inline constexpr int kMaxCommandBytes = 6;

// Bytes a plain instruction (first byte opcode) occupies; the Extended byte itself counts 1.
int PlainSize(int opcode);
// Bytes an Extended instruction occupies, the 0x83 byte and the sub-opcode included; unknown
// sub-opcodes count 1.
int ExtendedSize(int subOpcode);
bool IsKnownExtended(int subOpcode);
bool IsCommand(int subOpcode);
bool IsJump(int opcode, int subOpcode);

// The list's icon slots.
int PlainIcon(int opcode);
int ExtendedIcon(int subOpcode);

// The key sequence of command index 0..19 (sub-opcode 0x80 + index) in the byte code.
int CommandLength(int index);
const uint8_t* CommandSequence(int index);

// Size of the instruction that starts at code[0] as the parser walks it, at most remaining bytes
// known to exist; 0 when the instruction runs past the end. Unknown sub-opcodes count 2.
int WalkSize(const uint8_t* code, int remaining);

}  // namespace vorlix::encoding
