#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "macro/MacroListObserver.h"
#include "macro/MacroProgram.h"
#include "macro/tests/FakeMacroTexts.h"
#include "macro/tests/ProgramTestUtil.h"

namespace vorlix {
namespace {

using testing::FakeMacroTexts;
using testing::Parse;
using testing::Rows;
using testing::SerializedHex;
using Lines = std::vector<std::string>;

// Records what the list widget would be told, as short strings.
class RecordingObserver : public IMacroListObserver {
public:
    void OnCleared() override { events.push_back("clear"); }
    void OnRowInserted(int line) override { events.push_back("insert " + std::to_string(line)); }
    void OnRowChanged(int line) override { events.push_back("change " + std::to_string(line)); }
    void OnRowsDeleted(const int* lines, int count) override {
        std::string text = "delete";
        for (int i = 0; i < count; ++i) {
            text += " " + std::to_string(lines[i]);
        }
        events.push_back(text);
    }
    void OnSelectionChanged(int, bool) override {}
    void OnEnsureVisible(int) override {}
    std::vector<std::string> events;
};

class MacroProgramTest : public ::testing::Test {
protected:
    FakeMacroTexts texts;
    CMacroProgram program{texts};
};

struct ParseCase {
    const char* name;
    const char* code;
    Lines rows;
    const char* serialized;
};

class ParseTest : public MacroProgramTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(ParseTest, LinesAndBytes) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(Parse(program, c.code), 1);
    EXPECT_EQ(Rows(program), c.rows);
    EXPECT_EQ(SerializedHex(program), c.serialized);
}

INSTANTIATE_TEST_SUITE_P(
    ByteCode, ParseTest,
    ::testing::Values(
        ParseCase{
            "DelayBelongsToTheLineBefore", "04 01 64 00 84", {"'A'\t100ms", "'A'\t0ms"}, "04 01 64 00 84"},
        ParseCase{"LeadingDelayIsDropped", "01 05 00 04", {"'A'\t0ms"}, "04"},
        ParseCase{"ZeroTickDelayChangesNothing", "04 01 00 00 84", {"'A'\t0ms", "'A'\t0ms"}, "04 84"},
        ParseCase{"MergedDelaysAdd", "04 01 10 00 01 20 00", {"'A'\t48ms"}, "04 01 30 00"},
        ParseCase{"MergedDelaysStopAtTheMaximum", "04 01 FF FF 01 05 00", {"'A'\t65.5sec"}, "04 01 FF FF"},
        ParseCase{
            "LoopCycles", "02 00 02 FF", {"<Loop>: 1 Times\t0ms", "<Loop>: 256 Times\t0ms"}, "02 00 02 FF"},
        ParseCase{"LoopClosedBackwards",
                  "02 04 04 82 00 00",
                  {"<Loop>: 5 Times\t0ms", "'A'\t0ms", "<Loop> End\t0ms"},
                  "02 04 04 82 00 00"},
        ParseCase{"LoopEndPointingForwardRefersToWhatFollows",
                  "82 40 00 04",
                  {"<Loop> End\t0ms", "'A'\t0ms"},
                  "82 03 00 04"},
        ParseCase{"CommandLengthComesFromTheTable",
                  "83 84 00 00 00 00 05",
                  {"Close Window\t0ms", "'B'\t0ms"},
                  "83 84 72 3D BD F2 05"},
        ParseCase{"UnknownSubOpcodeIsSkipped", "83 50 04", {"'A'\t0ms"}, "04"},
        ParseCase{"TruncatedInstructionIsDropped", "04 83 02 01", {"'A'\t0ms"}, "04"},
        ParseCase{"TruncatedDelayIsDropped", "04 01 05", {"'A'\t0ms"}, "04"},
        ParseCase{"GotoInsideAnInstructionDesignatesTheNext",
                  "80 00 00 00 00 04 83 02 02 00",
                  {"(0, 0)\t0ms", "'A'\t0ms", "GOTO 2\t0ms"},
                  "80 00 00 00 00 04 83 02 02 00"},
        ParseCase{"GotoBeyondTheLastLineIsUnresolved",
                  "04 83 02 02 00",
                  {"'A'\t0ms", "GOTO ??\t0ms"},
                  "04 83 02 02 00"},
        ParseCase{"ForwardGotoIsResolvedAtTheEnd",
                  "83 02 05 00 04 01 0A 00 05",
                  {"GOTO 3\t0ms", "'A'\t10ms", "'B'\t0ms"},
                  "83 02 05 00 04 01 0A 00 05"},
        ParseCase{"ConsumerKeys",
                  "03 E9 00 03 00 00 03 34 12",
                  {"Volume Up\t0ms", "Code=0\t0ms", "Code=4660\t0ms"},
                  "03 E9 00 03 00 00 03 34 12"},
        ParseCase{"SignedMoves",
                  "80 FF FF 05 00 83 00 00 80 FF 7F",
                  {"(-1, 5)\t0ms", "Absoluted Move: (-32768, 32767)\t0ms"},
                  "80 FF FF 05 00 83 00 00 80 FF 7F"},
        ParseCase{"IfState",
                  "83 01 03 01 00 00",
                  {"IF (('NumLock' lock) OR ('CapsLock' lock) OR (L-BUTTON press))  GOTO 1\t0ms"},
                  "83 01 03 01 00 00"},
        ParseCase{"IfStateReleasedAnd",
                  "83 01 C4 10 00 00",
                  {"IF (('ScrollLock' unlock) AND (IE FORWARD release))  GOTO 1\t0ms"},
                  "83 01 C4 10 00 00"},
        ParseCase{
            "IfStateWithoutConditions", "83 01 00 00 00 00", {"IF ()  GOTO 1\t0ms"}, "83 01 00 00 00 00"},
        ParseCase{"IfVariable",
                  "83 03 02 C8 FF 07 83 03 1E 09 00 00 83 03 24 01 00 00",
                  {"IF (A == 200)  GOTO ??\t0ms", "IF (A != B)  GOTO 1\t0ms", "IF ()  GOTO 1\t0ms"},
                  "83 03 02 C8 FF 07 83 03 1E 09 00 00 83 03 24 01 00 00"},
        ParseCase{"SetVariable",
                  "83 04 18 07 83 04 1B FF 83 04 3E 00 83 04 3F 05",
                  {"SET C = A +7\t0ms", "SET A = 255 - A\t0ms", "SET C = C - B\t0ms", "SET \t0ms"},
                  "83 04 18 07 83 04 1B FF 83 04 3E 00 83 04 3F 05"},
        ParseCase{"CallAndReturn",
                  "83 05 04 00 83 06 FF",
                  {"CALL 2\t0ms", "Return\t0ms", "Script Stop\t0ms"},
                  "83 05 04 00 83 06 FF"},
        ParseCase{"SingleBytes",
                  "00 78 F8 7D 7E FE 7F 81",
                  {"<All-Keys-Up>\t0ms", "L-Button\t0ms", "L-Button\t0ms", "L&R Buttons\t0ms", "Scroll\t0ms",
                   "Scroll\t0ms", "NOP\t0ms", "<Pause>\t0ms"},
                  "00 78 F8 7D 7E FE 7F 81"}),
    [](const ::testing::TestParamInfo<ParseCase>& param) { return std::string(param.param.name); });

TEST_F(MacroProgramTest, BudgetRefusesOnlyBeyondCapacity) {
    std::vector<uint8_t> keys(1996, 0x04);
    program.Parse(keys.data(), static_cast<int>(keys.size()));
    EXPECT_EQ(program.AppendExtended(0x82), kBudgetExceeded);  // "Copy", 6 bytes: 2002 > 2000
    EXPECT_EQ(program.UsedBytes(), 1996);
    EXPECT_EQ(program.AppendExtended(0x80), 1996);  // "Page UP", 4 bytes: exactly 2000
    EXPECT_EQ(program.UsedBytes(), 2000);
    EXPECT_EQ(program.AppendPlain(0x05), kBudgetExceeded);
    EXPECT_EQ(program.AppendPlain(0x01, 10), kBudgetExceeded);
    EXPECT_EQ(program.Count(), 1997);
    EXPECT_EQ(program.UsedBytes(), 2000);
}

TEST_F(MacroProgramTest, ParsingOverBudgetKeepsWalking) {
    // The 6-byte command no longer fits, the key after it still does.
    std::vector<uint8_t> code(1995, 0x04);
    code.insert(code.end(), {0x83, 0x82, 0, 0, 0, 0, 0x05});
    program.Parse(code.data(), static_cast<int>(code.size()));
    EXPECT_EQ(program.Count(), 1996);
    EXPECT_EQ(program.Line(1995).opcode, 0x05);
}

TEST_F(MacroProgramTest, AppendEncodesOperands) {
    EXPECT_EQ(program.AppendPlain(0x02, 256), 0);
    EXPECT_EQ(program.AppendPlain(0x02, 1), 1);
    EXPECT_EQ(program.AppendExtended(0x01, 0x0203, 0), 2);
    EXPECT_EQ(program.AppendExtended(0x04, 24, 7), 3);
    EXPECT_EQ(program.AppendExtended(0x07), -1);
    EXPECT_EQ(program.AppendPlain(0x83), -1);
    EXPECT_EQ(SerializedHex(program), "02 FF 02 00 83 01 03 02 00 00 83 04 18 07");
}

TEST_F(MacroProgramTest, DelayGoesToTheLineBeforeTheInsertionPoint) {
    EXPECT_EQ(program.AppendPlain(0x01, 5), -1);  // nothing to take it
    Parse(program, "04 05 06");
    EXPECT_EQ(program.AppendPlain(0x01, 7), 2);
    program.SelectLine(1);
    EXPECT_EQ(program.InsertPlain(0x01, 9), 0);
    program.SelectLine(0);
    EXPECT_EQ(program.InsertPlain(0x01, 9), 0);  // two lines selected: nothing happens
    program.DeselectLine(1);
    EXPECT_EQ(program.InsertPlain(0x01, 9), -1);  // before line 1: dropped
    EXPECT_EQ(SerializedHex(program), "04 01 09 00 05 06 01 07 00");
    EXPECT_EQ(program.UsedBytes(), 9);
}

TEST_F(MacroProgramTest, InsertBeforeTheSelectedLineKeepsJumpsOnTheirInstruction) {
    // GOTO line 5 ('D' at offset 7); a 4-byte command goes in before line 3.
    Parse(program, "83 02 07 00 04 05 06 07");
    RecordingObserver observer;
    program.SetObserver(&observer);
    program.SelectLine(2);
    EXPECT_EQ(program.InsertExtended(0x80), 2);
    EXPECT_EQ(Rows(program)[0], "GOTO 6\t0ms");
    EXPECT_EQ(SerializedHex(program), "83 02 0B 00 04 83 80 4B CB 05 06 07");
    EXPECT_EQ(observer.events, (Lines{"insert 2", "change 0"}));
    EXPECT_TRUE(program.IsSelected(3));
    EXPECT_EQ(program.SelectedLine(), 3);
}

TEST_F(MacroProgramTest, JumpsToEarlierLinesDoNotMove) {
    Parse(program, "04 05 83 02 01 00 06");
    program.SelectLine(3);
    program.InsertPlain(0x07);
    program.SetDelayOfSelected(40);
    EXPECT_EQ(SerializedHex(program), "04 05 83 02 01 00 07 06 01 28 00");
}

TEST_F(MacroProgramTest, TargetInsideAnInstructionStaysOnTheInstructionItDesignates) {
    Parse(program, "80 00 00 00 00 04 83 02 02 00");
    program.SelectLine(1);
    program.InsertPlain(0x05);
    EXPECT_EQ(Rows(program)[3], "GOTO 3\t0ms");
    EXPECT_EQ(SerializedHex(program), "80 00 00 00 00 05 04 83 02 06 00");
}

TEST_F(MacroProgramTest, DelayMergedOnInsertMovesLaterTargets) {
    Parse(program, "04 05 06 83 02 02 00");
    program.SelectLine(2);
    program.InsertPlain(0x01, 300);
    EXPECT_EQ(SerializedHex(program), "04 05 01 2C 01 06 83 02 05 00");
    EXPECT_EQ(Rows(program)[3], "GOTO 3\t0ms");
}

struct RetimeCase {
    const char* name;
    const char* code;
    int line;
    int milliseconds;
    int result;
    const char* serialized;
};

class RetimeTest : public MacroProgramTest, public ::testing::WithParamInterface<RetimeCase> {};

TEST_P(RetimeTest, AdjustsSuffixAndLaterTargets) {
    const RetimeCase& c = GetParam();
    Parse(program, c.code);
    program.SelectLine(c.line);
    EXPECT_EQ(program.SetDelayOfSelected(c.milliseconds), c.result);
    EXPECT_EQ(SerializedHex(program), c.serialized);
}

INSTANTIATE_TEST_SUITE_P(
    Delays, RetimeTest,
    ::testing::Values(
        RetimeCase{"ZeroRemovesTheSuffix", "04 01 64 00 05 83 02 04 00", 0, 0, 1, "04 05 83 02 01 00"},
        RetimeCase{"NewDelayAddsTheSuffix", "04 05 83 02 01 00", 0, 250, 1, "04 01 FA 00 05 83 02 04 00"},
        RetimeCase{"ChangedDelayKeepsTheSize", "04 01 64 00 05 83 02 04 00", 0, 5000, 1,
                   "04 01 88 13 05 83 02 04 00"},
        RetimeCase{"AboveTheLimitIsCut", "04", 0, 9999, 1, "04 01 88 13"},
        RetimeCase{"TargetOnTheLineItselfStays", "04 05 83 02 01 00", 1, 10, 1,
                   "04 05 01 0A 00 83 02 01 00"}),
    [](const ::testing::TestParamInfo<RetimeCase>& param) { return std::string(param.param.name); });

TEST_F(MacroProgramTest, RetimeBeyondTheBudgetChangesNothing) {
    std::vector<uint8_t> keys(1998, 0x04);
    program.Parse(keys.data(), static_cast<int>(keys.size()));
    program.SelectLine(5);
    EXPECT_EQ(program.SetDelayOfSelected(100), kBudgetExceeded);
    EXPECT_EQ(program.UsedBytes(), 1998);
    EXPECT_EQ(program.Line(5).delayTicks, 1);
    program.SelectLine(6);
    EXPECT_EQ(program.SetDelayOfSelected(100), 0);  // two selected
}

TEST_F(MacroProgramTest, DelayUnitRoundsUp) {
    Parse(program, "04");
    program.SetDelayUnit(8);
    program.SelectLine(0);
    program.SetDelayOfSelected(20);  // 2.5 ticks -> 3
    EXPECT_EQ(SerializedHex(program), "04 01 03 00");
    EXPECT_EQ(Rows(program)[0], "'A'\t24ms");
}

struct DeleteCase {
    const char* name;
    const char* code;
    std::vector<int> selected;
    bool withPairs;
    const char* serialized;
    int currentLine;
};

class DeleteTest : public MacroProgramTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, RemovesLinesAndFixesJumps) {
    const DeleteCase& c = GetParam();
    Parse(program, c.code);
    for (int line : c.selected) {
        program.SelectLine(line);
    }
    program.DeleteSelected(c.withPairs);
    EXPECT_EQ(SerializedHex(program), c.serialized);
    EXPECT_EQ(program.CurrentLine(), c.currentLine);
    uint8_t code[kMaxCodeBytes];
    EXPECT_EQ(program.UsedBytes(), program.Serialize(code, kMaxCodeBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DeleteTest,
    ::testing::Values(
        DeleteCase{"PressWithItsRelease", "04 05 84 04 84", {0}, true, "05 04 84", 0},
        DeleteCase{"PressAlone", "04 05 84", {0}, false, "05 84", 0},
        DeleteCase{"ReleaseWithTheNearestEarlierPress", "04 04 05 84", {3}, true, "04 05", 1},
        DeleteCase{"PairAlreadySelected", "78 F8 05", {0, 1}, true, "05", 0},
        DeleteCase{"BothButtonsDoNotPair", "7D FD 05", {0}, true, "FD 05", 0},
        DeleteCase{"TailLeavesNothingSelected", "04 05", {1}, false, "04", 0},
        DeleteCase{
            "TargetDeletedGoesToTheStart", "04 05 06 07 83 02 03 00", {3}, false, "04 05 06 83 02 00 00", 3},
        DeleteCase{
            "TargetsMoveUp", "04 01 10 00 05 06 07 83 02 06 00", {0}, false, "05 06 07 83 02 02 00", 0},
        DeleteCase{"JumpDeletedLeavesTheTable", "83 02 05 00 04 05", {0}, false, "04 05", 0}),
    [](const ::testing::TestParamInfo<DeleteCase>& param) { return std::string(param.param.name); });

TEST_F(MacroProgramTest, ManySelectedLinesTakeTheSamePairsAsOne) {
    // Beyond a few selected lines the pairs are found by whole-program scans; they must agree with
    // PairedLine line by line.
    std::mt19937 random(5);
    std::vector<uint8_t> code(1500);
    for (uint8_t& byte : code) {
        const uint8_t usage = static_cast<uint8_t>(0x04 + random() % 6);
        byte = random() % 2 == 0 ? usage : static_cast<uint8_t>(usage | 0x80);
    }
    program.Parse(code.data(), static_cast<int>(code.size()));
    std::vector<bool> gone(code.size(), false);
    for (int line = 0; line < program.Count(); line += 1 + static_cast<int>(random() % 20)) {
        program.SelectLine(line);
        gone[static_cast<size_t>(line)] = true;
        if (program.PairedLine(line) >= 0) {
            gone[static_cast<size_t>(program.PairedLine(line))] = true;
        }
    }
    ASSERT_GT(program.SelectedCount(), 64);
    std::vector<uint8_t> expected;
    for (size_t i = 0; i < code.size(); ++i) {
        if (!gone[i]) {
            expected.push_back(code[i]);
        }
    }
    program.DeleteSelected(true);
    EXPECT_EQ(SerializedHex(program), testing::ToHex(expected.data(), static_cast<int>(expected.size())));
}

TEST_F(MacroProgramTest, DeleteRedrawsOnlyChangedJumps) {
    Parse(program, "83 02 09 00 83 02 00 00 04 05 06");
    RecordingObserver observer;
    program.SetObserver(&observer);
    program.SelectLine(2);
    program.DeleteSelected(false);
    // The first GOTO's target moved up a line; the second still points at line 1.
    EXPECT_EQ(observer.events, (Lines{"delete 2", "change 0"}));
    EXPECT_EQ(Rows(program)[0], "GOTO 3\t0ms");
    EXPECT_EQ(program.JumpCount(), 2);
    EXPECT_TRUE(program.IsSelected(2));
}

TEST_F(MacroProgramTest, RetimeRedrawsOnlyRowsWhoseTextChanged) {
    // The GOTO's offset moves with its target, but its text stays "GOTO 3".
    Parse(program, "83 02 05 00 04 05");
    RecordingObserver observer;
    program.SetObserver(&observer);
    program.SelectLine(1);
    EXPECT_EQ(program.SetDelayOfSelected(70), 1);
    EXPECT_EQ(SerializedHex(program), "83 02 08 00 04 01 46 00 05");
    EXPECT_EQ(observer.events, Lines{"change 1"});
}

TEST_F(MacroProgramTest, MoveFollowsTheLineAndItsJumps) {
    // GOTO line 3 ('B' with a delay); move 'B' up above 'A'.
    Parse(program, "83 02 05 00 04 05 01 0A 00 06 83 02 0C 00");
    program.SelectLine(2);
    EXPECT_EQ(program.MoveSelectedUp(), 1);
    EXPECT_EQ(SerializedHex(program), "83 02 04 00 05 01 0A 00 04 06 83 02 0C 00");
    EXPECT_EQ(Rows(program)[0], "GOTO 2\t0ms");
    EXPECT_EQ(program.SelectedLine(), 1);
    EXPECT_EQ(program.CurrentLine(), 1);
    EXPECT_EQ(program.MoveSelectedDown(), 1);
    EXPECT_EQ(SerializedHex(program), "83 02 05 00 04 05 01 0A 00 06 83 02 0C 00");
    EXPECT_EQ(program.SelectedLine(), 2);
    program.SelectOnly(4);
    EXPECT_EQ(program.MoveSelectedDown(), 0);
    program.SelectOnly(0);
    EXPECT_EQ(program.MoveSelectedUp(), 0);
}

TEST_F(MacroProgramTest, MovedJumpKeepsItsTarget) {
    Parse(program, "04 83 02 00 00 05");
    program.SelectLine(1);
    program.MoveSelectedUp();
    EXPECT_EQ(SerializedHex(program), "83 02 04 00 04 05");
    EXPECT_EQ(Rows(program)[0], "GOTO 2\t0ms");
}

TEST_F(MacroProgramTest, PairedLine) {
    Parse(program, "04 04 84 84 79 F9 7E FE");
    EXPECT_EQ(program.PairedLine(0), 2);
    EXPECT_EQ(program.PairedLine(1), 2);
    EXPECT_EQ(program.PairedLine(3), 1);
    EXPECT_EQ(program.PairedLine(4), 5);
    EXPECT_EQ(program.PairedLine(6), -1);
}

TEST_F(MacroProgramTest, JumpTableHoldsAtMost128Entries) {
    std::vector<uint8_t> code;
    for (int i = 0; i < 130; ++i) {
        code.insert(code.end(), {0x83, 0x02, 0x00, 0x00});
    }
    program.Parse(code.data(), static_cast<int>(code.size()));
    EXPECT_EQ(program.JumpCount(), kMaxJumpLinks);
    // Entered jumps follow an insertion at the start, the others keep their offset.
    program.SelectLine(0);
    program.InsertPlain(0x04);
    EXPECT_EQ(program.Line(1).operands[1], 1);
    EXPECT_EQ(program.Line(130).operands[1], 0);
}

TEST_F(MacroProgramTest, ClearKeepsCapacityAndUnit) {
    program.SetCapacity(100);
    program.SetDelayUnit(4);
    Parse(program, "04 05");
    program.SelectLine(1);
    program.Clear();
    EXPECT_EQ(program.Count(), 0);
    EXPECT_EQ(program.UsedBytes(), 0);
    EXPECT_EQ(program.SelectedCount(), 0);
    EXPECT_EQ(program.Capacity(), 100);
    EXPECT_EQ(program.DelayUnit(), 4);
}

}  // namespace
}  // namespace vorlix
