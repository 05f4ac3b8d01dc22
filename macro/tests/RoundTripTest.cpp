#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "macro/MacroEncoding.h"
#include "macro/MacroProgram.h"
#include "macro/fuzz/ProgramCheck.h"
#include "macro/tests/FakeMacroTexts.h"
#include "macro/tests/ProgramTestUtil.h"

namespace vorlix {
namespace {

// Builds well-formed byte code: known instructions, commands with their table sequences, loops closed
// backwards, at most one non-zero delay after an instruction and none leading, within the budget.
class CodeGenerator {
public:
    explicit CodeGenerator(uint32_t seed) : m_random(seed) {}

    std::vector<uint8_t> Next() {
        std::vector<uint8_t> code;
        std::vector<int> openLoops;
        const size_t budget = 1 + Below(kMaxCodeBytes);
        for (;;) {
            std::vector<uint8_t> instruction = Instruction(code.size(), openLoops);
            if (Below(3) == 0) {
                const int ticks = 1 + static_cast<int>(Below(65535));
                instruction.insert(instruction.end(),
                                   {0x01, static_cast<uint8_t>(ticks), static_cast<uint8_t>(ticks >> 8)});
            }
            if (code.size() + instruction.size() > budget) {
                return code;
            }
            if (instruction[0] == op::kLoopStart) {
                openLoops.push_back(static_cast<int>(code.size()));
            } else if (instruction[0] == op::kLoopEnd) {
                openLoops.pop_back();
            }
            code.insert(code.end(), instruction.begin(), instruction.end());
        }
    }

private:
    uint32_t Below(uint32_t limit) { return m_random() % limit; }
    uint8_t Byte() { return static_cast<uint8_t>(m_random()); }
    // A target anywhere: inside the code, past it, or beyond any program.
    std::vector<uint8_t> Target(size_t end) {
        const uint32_t target = Below(2) == 0 ? Below(static_cast<uint32_t>(end) + 8) : Below(0x10000);
        return {static_cast<uint8_t>(target), static_cast<uint8_t>(target >> 8)};
    }

    std::vector<uint8_t> Instruction(size_t at, const std::vector<int>& openLoops) {
        switch (Below(12)) {
            case 0: {
                uint8_t single = Byte();
                while (single == 0x01 || single == 0x02 || single == 0x03 || single == 0x80 ||
                       single == 0x82 || single == 0x83) {
                    single = Byte();
                }
                return {single};
            }
            case 1:
                return {op::kConsumerKey, Byte(), Byte()};
            case 2:
                return {op::kLoopStart, Byte()};
            case 3:
                if (!openLoops.empty()) {
                    const int start = openLoops.back();
                    return {op::kLoopEnd, static_cast<uint8_t>(start), static_cast<uint8_t>(start >> 8)};
                }
                return {op::kScriptStop};
            case 4:
                return {op::kMotion, Byte(), Byte(), Byte(), Byte()};
            case 5:
                return {op::kExtended, sub::kAbsoluteMove, Byte(), Byte(), Byte(), Byte()};
            case 6:
            case 8: {
                std::vector<uint8_t> bytes = {op::kExtended, static_cast<uint8_t>(Below(2) == 0 ? 1 : 3),
                                              Byte(), Byte()};
                const std::vector<uint8_t> target = Target(at);
                bytes.insert(bytes.end(), target.begin(), target.end());
                return bytes;
            }
            case 7:
            case 10: {
                std::vector<uint8_t> bytes = {op::kExtended, static_cast<uint8_t>(Below(2) == 0 ? 2 : 5)};
                const std::vector<uint8_t> target = Target(at);
                bytes.insert(bytes.end(), target.begin(), target.end());
                return bytes;
            }
            case 9:
                return Below(2) == 0 ? std::vector<uint8_t>{op::kExtended, sub::kSetVariable, Byte(), Byte()}
                                     : std::vector<uint8_t>{op::kExtended, sub::kReturn};
            default: {
                const int index = static_cast<int>(Below(encoding::kCommandCount));
                std::vector<uint8_t> bytes = {op::kExtended,
                                              static_cast<uint8_t>(sub::kFirstCommand + index)};
                const uint8_t* sequence = encoding::CommandSequence(index);
                bytes.insert(bytes.end(), sequence, sequence + encoding::CommandLength(index));
                return bytes;
            }
        }
    }

    std::mt19937 m_random;
};

TEST(RoundTripTest, WellFormedCodeSerializesToTheSameBytes) {
    testing::FakeMacroTexts texts;
    CMacroProgram program(texts);
    CodeGenerator generator(20261209);
    uint8_t out[kMaxCodeBytes];
    for (int run = 0; run < 3000; ++run) {
        const std::vector<uint8_t> code = generator.Next();
        program.Parse(code.data(), static_cast<int>(code.size()));
        const int length = program.Serialize(out, kMaxCodeBytes);
        ASSERT_EQ(std::vector<uint8_t>(out, out + length), code)
            << "run " << run << ": " << testing::ToHex(code.data(), static_cast<int>(code.size()));
        ASSERT_EQ(program.UsedBytes(), length);
    }
}

TEST(RoundTripTest, AnyInputReparsesToTheSameProgram) {
    testing::FakeMacroTexts texts;
    CMacroProgram first(texts);
    CMacroProgram second(texts);
    std::mt19937 random(7);
    // Bytes that start instructions with operands come up often, so that delays, jumps and cut-off
    // instructions meet.
    const uint8_t likely[] = {0x01, 0x02, 0x03, 0x80, 0x82, 0x83, 0x00, 0x02, 0x05, 0x06, 0x90, 0x04, 0x84};
    uint8_t out[kMaxCodeBytes];
    for (int run = 0; run < 3000; ++run) {
        std::vector<uint8_t> input(random() % 2600);
        for (uint8_t& byte : input) {
            byte = random() % 2 == 0 ? likely[random() % sizeof likely] : static_cast<uint8_t>(random());
        }
        first.Parse(input.data(), static_cast<int>(input.size()));
        const int length = first.Serialize(out, kMaxCodeBytes);
        second.Parse(out, length);
        ASSERT_TRUE(fuzz::SameProgram(first, second))
            << "run " << run << ": " << testing::ToHex(input.data(), static_cast<int>(input.size()));
    }
}

}  // namespace
}  // namespace vorlix
