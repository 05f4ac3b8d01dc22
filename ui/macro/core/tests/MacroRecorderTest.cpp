#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/MacroProgram.h"
#include "macro/tests/FakeMacroTexts.h"
#include "shared/FakeClock.h"
#include "ui/macro/core/KeyUsage.h"
#include "ui/macro/core/MacroRecorder.h"

namespace vorlix {
namespace {

using Result = CMacroRecorder::Result;
using testing::FakeMacroTexts;

// One input event of a scripted recording: the time since the previous one, then what happened.
struct SStep {
    enum Kind { Down, Up, Press, Release, DoubleClick, Frame, WheelDown, WheelUp, Wheel } kind;
    int code = 0;  // key usage, a button's press opcode, or a wheel's turn
    uint64_t afterMs = 0;
};

struct SCase {
    const char* name;
    CMacroRecorder::STiming timing;
    std::vector<SStep> steps;
    std::vector<uint8_t> bytes;  // the macro's byte code after STOP
};

std::vector<uint8_t> Code(const CMacroProgram& program) {
    std::vector<uint8_t> out(4096);
    out.resize(static_cast<size_t>(program.Serialize(out.data(), static_cast<int>(out.size()))));
    return out;
}

Result Play(CMacroRecorder& recorder, CFakeClock& clock, const SStep& step) {
    clock.Advance(step.afterMs);
    switch (step.kind) {
        case SStep::Down:
            return recorder.KeyDown(step.code);
        case SStep::Up:
            return recorder.KeyUp(step.code);
        case SStep::Press:
            return recorder.Button(step.code, true);
        case SStep::Release:
            return recorder.Button(step.code, false);
        case SStep::DoubleClick:
            return recorder.DoubleClick(step.code);
        case SStep::Frame:
            return recorder.FrameClick();
        case SStep::Wheel:
            return recorder.Wheel(step.code);
        case SStep::WheelDown:
            return recorder.WheelStep(true);
        case SStep::WheelUp:
            return recorder.WheelStep(false);
    }
    return Result::Ignored;
}

constexpr int kA = 0x04, kB = 0x05, kLShift = 0x71, kRShift = 0x75, kPrint = 0x46, kLeft = 0x78, kSide = 0x7B;

TEST(MacroRecorder, RecordsEventsWithTheirPausesFromATable) {
    const CMacroRecorder::STiming real{};
    const CMacroRecorder::STiming drop{true, false, 0};
    const CMacroRecorder::STiming fixed50{false, true, 50};
    const std::vector<SCase> cases = {
        {"real gaps; the first event only starts the clock",
         real,
         {{SStep::Down, kA, 500}, {SStep::Up, kA, 120}, {SStep::Down, kB, 30}, {SStep::Up, kB, 0}},
         {0x04, 0x01, 120, 0, 0x84, 0x01, 30, 0, 0x05, 0x85}},
        {"a pause over ten seconds is recorded as 10000 ms",
         real,
         {{SStep::Down, kA, 0}, {SStep::Up, kA, 60000}},
         {0x04, 0x01, 0x10, 0x27, 0x84}},
        {"auto-repeat presses are ignored; one press, one release",
         real,
         {{SStep::Down, kA, 0}, {SStep::Down, kA, 30}, {SStep::Down, kA, 30}, {SStep::Up, kA, 40}},
         {0x04, 0x01, 100, 0, 0x84}},
        {"dropped delays record none", drop, {{SStep::Down, kA, 0}, {SStep::Up, kA, 700}}, {0x04, 0x84}},
        {"default delay before every event and after the last; the first has no line to take it",
         fixed50,
         {{SStep::Down, kA, 0}, {SStep::Up, kA, 3000}, {SStep::Down, kB, 1}},
         {0x04, 0x01, 50, 0, 0x84, 0x01, 50, 0, 0x05, 0x01, 50, 0}},
        {"Print Screen: its press is ignored, its release records press and release together",
         real,
         {{SStep::Down, kA, 0}, {SStep::Down, kPrint, 10}, {SStep::Up, kPrint, 90}},
         {0x04, 0x01, 100, 0, 0x46, 0xC6}},
        {"a key held before RECORD: its release brings its press", drop, {{SStep::Up, kB, 0}}, {0x05, 0x85}},
        {"right and left Shift keep their own usages",
         drop,
         {{SStep::Down, kRShift, 0},
          {SStep::Up, kRShift, 0},
          {SStep::Down, kLShift, 0},
          {SStep::Up, kLShift, 0}},
         {0x75, 0xF5, 0x71, 0xF1}},
        {"buttons, side buttons, frame clicks and wheel directions",
         drop,
         {{SStep::Press, kLeft, 0},
          {SStep::Release, kLeft, 0},
          {SStep::Press, kSide, 0},
          {SStep::Release, kSide, 0},
          {SStep::Frame, 0, 0},
          {SStep::WheelDown, 0, 0},
          {SStep::WheelUp, 0, 0}},
         {0x78, 0xF8, 0x7B, 0xFB, 0xF8, 0x7E, 0xFE}},
        {"a double click is two clicks, whether the desktop sends the second press or not",
         drop,
         {{SStep::Press, kLeft, 0},
          {SStep::Release, kLeft, 0},
          {SStep::DoubleClick, kLeft, 0},
          {SStep::Release, kLeft, 0},
          {SStep::Press, kLeft, 0},
          {SStep::Release, kLeft, 0},
          {SStep::Press, kLeft, 0},
          {SStep::DoubleClick, kLeft, 0},
          {SStep::Release, kLeft, 0}},
         {0x78, 0xF8, 0x78, 0xF8, 0x78, 0xF8, 0x78, 0xF8}},
        {"wheel turns add up to whole notches; a turn the other way starts afresh",
         drop,
         {{SStep::Wheel, 40, 0},
          {SStep::Wheel, 40, 0},
          {SStep::Wheel, 50, 0},
          {SStep::Wheel, -100, 0},
          {SStep::Wheel, -360, 0},
          {SStep::Wheel, 0, 0}},
         {0xFE, 0x7E, 0x7E, 0x7E}},
        {"keys without a usage and unknown buttons are not recorded",
         drop,
         {{SStep::Down, 0, 0}, {SStep::Up, 0, 0}, {SStep::Press, 0x7D, 0}, {SStep::Down, kA, 0}},
         {0x04}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMacroTexts texts;
        CMacroProgram program(texts);
        CFakeClock clock;
        CMacroRecorder recorder(program, clock);
        ASSERT_TRUE(recorder.Start(c.timing));
        for (const SStep& step : c.steps) {
            Play(recorder, clock, step);
        }
        recorder.Stop();
        EXPECT_EQ(Code(program), c.bytes);
        EXPECT_TRUE(clock.Sleeps().empty()) << "recording never pauses";
    }
}

TEST(MacroRecorder, AppendsAfterTheOpenMacroAndSelectsEachNewLine) {
    FakeMacroTexts texts;
    CMacroProgram program(texts);
    program.AppendPlain(0x06);
    program.AppendPlain(0x86);
    program.SelectLine(0);
    CFakeClock clock;
    CMacroRecorder recorder(program, clock);
    ASSERT_TRUE(recorder.Start({true, false, 0}));
    EXPECT_FALSE(recorder.Start({})) << "RECORD while recording does nothing";
    EXPECT_EQ(recorder.KeyDown(kA), Result::Recorded);
    EXPECT_EQ(program.SelectedCount(), 1);
    EXPECT_EQ(program.SelectedLine(), 2);
    EXPECT_EQ(program.CurrentLine(), 2);
    // The release of C (recorded before RECORD, already released in the macro) brings a new press.
    EXPECT_EQ(recorder.KeyUp(0x06), Result::Recorded);
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x06, 0x86, 0x04, 0x06, 0x86}));
    recorder.Stop();
    EXPECT_EQ(recorder.KeyDown(kB), Result::Ignored) << "nothing is recorded while idle";
}

TEST(MacroRecorder, AFullBufferStopsTheRecordingAndKeepsWhatWasRecorded) {
    FakeMacroTexts texts;
    CMacroProgram program(texts);
    program.SetCapacity(3);
    CFakeClock clock;
    CMacroRecorder recorder(program, clock);
    ASSERT_TRUE(recorder.Start({}));
    EXPECT_EQ(recorder.KeyDown(kA), Result::Recorded);
    // The 30 ms delay needs three more bytes than the budget has left.
    clock.Advance(30);
    EXPECT_EQ(recorder.KeyUp(kA), Result::BufferFull);
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x04}));

    CMacroProgram full(texts);
    full.SetCapacity(1);
    CMacroRecorder second(full, clock);
    ASSERT_TRUE(second.Start({true, false, 0}));
    EXPECT_EQ(second.KeyDown(kA), Result::Recorded);
    EXPECT_EQ(second.KeyUp(kA), Result::BufferFull);
    EXPECT_EQ(Code(full), (std::vector<uint8_t>{0x04}));
}

TEST(KeyUsage, PositionsMapToTheMacroKeySet) {
    struct SKey {
        uint32_t code;
        int usage;
    };
    const SKey keys[] = {
        {30, 0x04},
        {44, 0x1D},
        {2, 0x1E},
        {11, 0x27},
        {28, 0x28},
        {96, 0x28},
        {1, 0x29},
        {14, 0x2A},
        {15, 0x2B},
        {57, 0x2C},
        {12, 0x2D},
        {13, 0x2E},
        {26, 0x2F},
        {27, 0x30},
        {43, 0x31},
        {39, 0x33},
        {40, 0x34},
        {41, 0x35},
        {51, 0x36},
        {52, 0x37},
        {53, 0x38},
        {58, 0x39},
        {59, 0x3A},
        {68, 0x43},
        {87, 0x44},
        {88, 0x45},
        {99, 0x46},
        {70, 0x47},
        {119, 0x48},
        {110, 0x49},
        {102, 0x4A},
        {104, 0x4B},
        {111, 0x4C},
        {107, 0x4D},
        {109, 0x4E},
        {106, 0x4F},
        {105, 0x50},
        {108, 0x51},
        {103, 0x52},
        {69, 0x53},
        {98, 0x54},
        {55, 0x55},
        {74, 0x56},
        {78, 0x57},
        {79, 0x59},
        {73, 0x61},
        {82, 0x62},
        {83, 0x63},
        {29, 0x70},
        {42, 0x71},
        {56, 0x72},
        {125, 0x73},
        {97, 0x74},
        {54, 0x75},
        {100, 0x76},
        {126, 0x77},
        // No usage: the ISO extra key, F13, a media key, and codes beyond the table.
        {86, 0},
        {183, 0},
        {113, 0},
        {0, 0},
        {100000, 0},
    };
    for (const SKey& key : keys) {
        EXPECT_EQ(KeyUsageFromEventCode(key.code), key.usage) << "event code " << key.code;
    }
}

}  // namespace
}  // namespace vorlix
