#pragma once

#include <cstdlib>
#include <cstring>

#include "macro/InstructionText.h"
#include "macro/MacroProgram.h"
#include "macro/MacroTextSource.h"

namespace vorlix::fuzz {

class FuzzTexts : public IMacroTextSource {
public:
    std::u16string_view CommandName(int) const override { return u"Command"; }
    std::u16string_view DelayUnitName(int index) const override { return index == 0 ? u"sec" : u"ms"; }
};

// Stops the fuzzer at the first broken promise.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

inline bool SameProgram(const CMacroProgram& a, const CMacroProgram& b) {
    if (a.Count() != b.Count() || a.UsedBytes() != b.UsedBytes()) {
        return false;
    }
    for (int i = 0; i < a.Count(); ++i) {
        const MacroInstruction& x = a.Line(i);
        const MacroInstruction& y = b.Line(i);
        if (x.opcode != y.opcode || x.delayTicks != y.delayTicks || x.encodedSize != y.encodedSize ||
            std::memcmp(x.operands, y.operands, sizeof x.operands) != 0 ||
            std::u16string_view(x.text) != std::u16string_view(y.text)) {
            return false;
        }
    }
    return true;
}

// The program's bytes agree with its sizes; every entered jump holds its table entry's offset, which lies
// inside or at the start of the target line.
inline void CheckConsistent(const CMacroProgram& program) {
    uint8_t code[kMaxCodeBytes];
    Require(program.UsedBytes() <= program.Capacity());
    Require(program.Serialize(code, kMaxCodeBytes) == program.UsedBytes());
    for (int k = 0; k < program.JumpCount(); ++k) {
        const JumpLink& link = program.Jump(k);
        Require(link.jumpLine >= 0 && link.jumpLine < program.Count());
        Require(link.targetLine >= -1 && link.targetLine < program.Count());
        const MacroInstruction& jump = program.Line(link.jumpLine);
        const int slot = text::TargetSlot(jump);
        Require(slot >= 0);
        Require((jump.operands[slot] | (jump.operands[slot + 1] << 8)) == link.targetOffset);
        if (link.targetLine >= 0) {
            Require(program.StartOffset(link.targetLine) >= link.targetOffset);
        }
    }
}

}  // namespace vorlix::fuzz
