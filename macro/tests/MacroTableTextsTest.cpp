#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/TextTables.h"
#include "macro/MacroProgram.h"
#include "macro/MacroTableTexts.h"
#include "shared/Utf16.h"

namespace vorlix {
namespace {

TEST(MacroTableTextsTest, TextsAndReportsFollowTheTables) {
    CTextTables tables;
    tables.SetText(ETextTable::Message, 19, u"Makro existiert bereits!");
    tables.SetText(ETextTable::Command, 2, u"Kopieren");
    tables.SetText(ETextTable::DelayUnit, 0, u"Sek.");
    std::vector<std::string> shown;
    CMacroTableTexts texts(tables, [&](std::u16string_view text) { shown.push_back(Utf16ToUtf8(text)); });

    texts.ShowMessage(19, u"Burst");
    texts.ShowMessage(2, u"/x");
    texts.ShowMessage(20, u"beyond");
    EXPECT_EQ(shown, (std::vector<std::string>{"Makro existiert bereits!Burst",
                                               "FAILURE: Can't find the file path: /x", "beyond"}));

    // The program's lines take the names and units of the tables; the list title is no command.
    EXPECT_EQ(texts.CommandName(20), u"");
    EXPECT_EQ(texts.CommandName(-1), u"");
    CMacroProgram program(texts);
    const uint8_t code[] = {0x83, 0x82, 0x70, 0x06, 0x86, 0xF0, 0x01, 0xD0, 0x07};
    program.Parse(code, sizeof code);
    ASSERT_EQ(program.Count(), 1);
    EXPECT_EQ(Utf16ToUtf8(program.Line(0).text), "Kopieren");
    EXPECT_EQ(Utf16ToUtf8(program.DelayTextOf(0)), "2.0Sek.");
}

}  // namespace
}  // namespace vorlix
