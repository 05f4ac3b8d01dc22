#pragma once

#include <string>

#include "macro/MacroTypes.h"

namespace vorlix {

class IMacroTextSource;

namespace text {

inline constexpr int kOpcodeNameCount = 263;  // first bytes 0x00..0xFF, then sub-opcodes 0x00..0x06

// Entry of the opcode name table; entries 256..262 name the Extended sub-opcodes 0x00..0x06.
const char* OpcodeName(int index);
// Name of a HID keyboard usage 0x04..0x77; empty for any other value.
const char* KeyName(int usage);
// Name of a consumer-page usage, or nullptr when it has none.
const char* ConsumerUsageName(int usage);

// The slot of the operand pair that holds a jump's 16-bit target offset, or -1 for other instructions.
int TargetSlot(const MacroInstruction& instruction);

// Writes the text of an instruction into out (kTextCapacity units, always terminated; longer texts are
// cut). targetLine is the 0-based line its jump target designates, or -1 when none ("??").
void BuildInstructionText(const MacroInstruction& instruction, int targetLine, const IMacroTextSource& texts,
                          char16_t* out);

// Writes the name of first byte opcode (the whole text of a one-byte instruction) into out.
void WriteName(int opcode, char16_t* out);

// The delay column of a line with stored ticks (1 + ticks) and delay unit (milliseconds per tick).
std::u16string DelayText(int storedTicks, int unit, const IMacroTextSource& texts);

}  // namespace text
}  // namespace vorlix
