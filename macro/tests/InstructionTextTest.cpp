#include <gtest/gtest.h>

#include <string>

#include "macro/InstructionText.h"
#include "macro/MacroEncoding.h"
#include "macro/MacroProgram.h"
#include "macro/tests/FakeMacroTexts.h"
#include "macro/tests/ProgramTestUtil.h"
#include "shared/Utf16.h"

namespace vorlix {
namespace {

using testing::FakeMacroTexts;

TEST(DelayTextTest, MillisecondsUpToOneSecondThenTenthsRoundedHalfUp) {
    FakeMacroTexts texts;
    const struct {
        int ms;
        const char* text;
    } cases[] = {{0, "0ms"},       {1, "1ms"},        {1000, "1000ms"},  {1001, "1.0sec"},
                 {1049, "1.0sec"}, {1050, "1.1sec"},  {1500, "1.5sec"},  {1950, "2.0sec"},
                 {1960, "2.0sec"}, {9999, "10.0sec"}, {65535, "65.5sec"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(text::DelayText(c.ms + 1, 1, texts)), c.text) << c.ms;
    }
    EXPECT_EQ(Utf16ToUtf8(text::DelayText(301, 10, texts)), "3.0sec");
}

TEST(OpcodeNameTest, KeyNamesInUsageOrder) {
    const struct {
        int byte;
        const char* name;
    } cases[] = {{0x04, "'A'"},
                 {0x1D, "'Z'"},
                 {0x1E, "'1'"},
                 {0x27, "'0'"},
                 {0x28, "'Return/Enter'"},
                 {0x31, "'\\'"},
                 {0x34, "'''"},
                 {0x35, "Tilde"},
                 {0x38, "'/'"},
                 {0x39, "'CapsLock'"},
                 {0x45, "'F12'"},
                 {0x46, "'PrintScreen'"},
                 {0x53, "'NumLock'"},
                 {0x54, "Keypad-'/'"},
                 {0x58, "Keypad-'Enter'"},
                 {0x62, "Keypad-'0'"},
                 {0x63, "Keypad-'.'"},
                 {0x67, "Keypad-'='"},
                 {0x68, "F13'"},
                 {0x6F, "F20'"},
                 {0x70, "'Left-Ctrl'"},
                 {0x77, "'Right-Win'"},
                 {0x84, "'A'"},
                 {0xF7, "'Right-Win'"},
                 {0x7D, "L&R Buttons"},
                 {0xFD, "L&R Buttons"},
                 {0x83, "Absoluted Move: "},
                 {0x03, ""},
                 {0x80, ""},
                 {256, "Absoluted Move: "},
                 {262, "Return"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(text::OpcodeName(c.byte), c.name) << c.byte;
    }
}

TEST(IconTest, SlotsFromTheSizeTables) {
    const struct {
        int opcode;
        int subOpcode;
        int icon;
    } cases[] = {{0x04, 0, 1},     {0x84, 0, 2},     {0x78, 0, 3},     {0xFD, 0, 4},     {0x7E, 0, 5},
                 {0xFE, 0, 6},     {0x01, 0, 7},     {0x03, 0, 8},     {0x80, 0, 9},     {0x83, 0x00, 9},
                 {0x83, 0x01, 10}, {0x83, 0x03, 10}, {0x83, 0x02, 11}, {0x83, 0x04, 12}, {0x00, 0, 13},
                 {0x02, 0, 13},    {0x7F, 0, 13},    {0x81, 0, 13},    {0x82, 0, 13},    {0xFF, 0, 13},
                 {0x83, 0x85, 13}, {0x83, 0x05, 14}, {0x83, 0x06, 15}};
    for (const auto& c : cases) {
        const int icon =
            c.opcode == 0x83 ? encoding::ExtendedIcon(c.subOpcode) : encoding::PlainIcon(c.opcode);
        EXPECT_EQ(icon, c.icon) << c.opcode << "/" << c.subOpcode;
    }
}

TEST(InstructionTextTest, PressAndReleaseDifferOnlyByIcon) {
    FakeMacroTexts texts;
    CMacroProgram program(texts);
    testing::Parse(program, "E1 61");  // 'Left-Shift' released, then pressed
    EXPECT_EQ(std::u16string(program.Line(0).text), std::u16string(program.Line(1).text));
    EXPECT_EQ(program.IconOf(0), 2);
    EXPECT_EQ(program.IconOf(1), 1);
}

TEST(InstructionTextTest, LongestConditionIsCutToTheTextField) {
    FakeMacroTexts texts;
    CMacroProgram program(texts);
    testing::Parse(program, "83 01 C7 FF 00 00");
    const std::u16string shown(program.Line(0).text);
    EXPECT_EQ(shown.size(), static_cast<size_t>(kTextCapacity - 1));
    EXPECT_EQ(Utf16ToUtf8(shown.substr(0, 46)), "IF (('NumLock' unlock) AND ('CapsLock' unlock)");
}

TEST(InstructionTextTest, CommandsShowTheLanguageName) {
    FakeMacroTexts texts;
    CMacroProgram program(texts);
    program.AppendExtended(0x82);
    program.AppendExtended(0x93);
    EXPECT_EQ(Utf16ToUtf8(program.Line(0).text), "Copy");
    EXPECT_EQ(Utf16ToUtf8(program.Line(1).text), "#n");
    EXPECT_EQ(testing::SerializedHex(program), "83 82 70 06 86 F0 83 93 03 83 01 03 00 00");
}

}  // namespace
}  // namespace vorlix
