#include <gtest/gtest.h>

#include "lang/TextTables.h"

namespace vorlix {
namespace {

TEST(TextTablesTest, DefaultsAreTheEnglishTexts) {
    const CTextTables tables;
    EXPECT_EQ(tables.Text(ETextTable::Ui, 0), u"Qz vIVEDUD VORLIX DAZE Gaming Mouse");
    EXPECT_EQ(tables.Text(ETextTable::Ui, 2), u"");
    EXPECT_EQ(tables.Text(ETextTable::Ui, 42), u"Applictaion Laucher Function");
    EXPECT_EQ(tables.Text(ETextTable::Ui, 48), u"Cygon");
    EXPECT_EQ(tables.Text(ETextTable::Ui, 57), u"Save as file");
    EXPECT_EQ(tables.Text(ETextTable::Message, 0), u"TOO MANY INSTANCES!");
    EXPECT_EQ(tables.Text(ETextTable::Message, 15), u"Can't find document: ");
    EXPECT_EQ(tables.Text(ETextTable::Message, 19), u"Macro exist!");
    EXPECT_EQ(tables.Text(ETextTable::Spare, 0), u"");
    EXPECT_EQ(tables.Text(ETextTable::Caption, 0), u"Qz vIVEDUD VORLIX DAZE MESSAGE");
    EXPECT_EQ(tables.Text(ETextTable::DelayUnit, 1), u"ms");
    EXPECT_EQ(tables.Text(ETextTable::Function, 12), u"VOLUMN DOWN");
    EXPECT_EQ(tables.Text(ETextTable::Command, 19), u"Maxmize IE/Media Player");
    EXPECT_EQ(tables.Text(ETextTable::Command, CTextTables::kCommandListTitle), u"Commands");
    EXPECT_EQ(tables.Text(ETextTable::LedMode, 1), u"Switch to Battle LED Mode");
    EXPECT_EQ(tables.Text(ETextTable::Tray, 0), u"Launch VORLIX DAZE Gaming Mouse APP");
    EXPECT_EQ(tables.Text(ETextTable::Tray, 4), u"Disable OSD");
    EXPECT_EQ(tables.Font(1), (SFontEntry{u"Arial Rounded MT Bold", 20, 0, 700}));
    EXPECT_EQ(tables.Font(5), (SFontEntry{u"Arial", 14, 0, 400}));
    EXPECT_EQ(tables.LanguageNumber(), 0);
}

// Every table keeps at most its capacity less one; the 147 configuration lines are 7 fonts of 4 lines,
// the language number and the text tables.
TEST(TextTablesTest, SizesAndCuttingRule) {
    struct SCase {
        ETextTable table;
        int count;
        size_t capacity;
    } const cases[] = {
        {ETextTable::Ui, 58, 256},     {ETextTable::Message, 20, 80},  {ETextTable::Spare, 1, 80},
        {ETextTable::Caption, 1, 256}, {ETextTable::DelayUnit, 2, 10}, {ETextTable::Function, 13, 50},
        {ETextTable::Command, 21, 52}, {ETextTable::LedMode, 2, 40},   {ETextTable::Tray, 5, 64},
    };
    int configLines = CTextTables::kFontCount * 4 + 1;
    CTextTables tables;
    for (const SCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.table));
        EXPECT_EQ(CTextTables::Count(c.table), c.count);
        EXPECT_EQ(CTextTables::Capacity(c.table), c.capacity);
        configLines += c.table == ETextTable::Tray ? 0 : c.count;
        const int last = c.count - 1;
        EXPECT_EQ(tables.SetText(c.table, last, std::u16string(c.capacity - 1, u'x')), 1);
        EXPECT_EQ(tables.Text(c.table, last).size(), c.capacity - 1);
        EXPECT_EQ(tables.SetText(c.table, last, std::u16string(c.capacity, u'y')), 1);
        EXPECT_EQ(tables.Text(c.table, last), std::u16string(c.capacity - 1, u'y'));
        EXPECT_EQ(tables.SetText(c.table, c.count, u"beyond"), 0);
        EXPECT_EQ(tables.Text(c.table, c.count), u"");
        EXPECT_EQ(tables.Text(c.table, -1), u"");
    }
    EXPECT_EQ(configLines, 147);
}

TEST(TextTablesTest, FontEntriesAreCutAndClamped) {
    CTextTables tables;
    EXPECT_EQ(tables.SetFont(3, {std::u16string(50, u'F'), -100000, -5, 99999}), 1);
    EXPECT_EQ(tables.Font(3), (SFontEntry{std::u16string(41, u'F'), -200, 0, 1000}));
    EXPECT_EQ(tables.SetFont(7, {u"Arial", 1, 1, 1}), 0);
    EXPECT_EQ(tables.Font(7).name, u"");
}

TEST(TextTablesTest, ResetsLeaveTheOtherProgramsTexts) {
    CTextTables tables;
    tables.SetText(ETextTable::Message, 0, u"ZU VIELE INSTANZEN!");
    tables.SetText(ETextTable::Tray, 3, u"Beenden");
    tables.SetLanguageNumber(7);
    tables.ResetConfigTables();
    EXPECT_EQ(tables.Text(ETextTable::Message, 0), u"TOO MANY INSTANCES!");
    EXPECT_EQ(tables.LanguageNumber(), 0);
    EXPECT_EQ(tables.Text(ETextTable::Tray, 3), u"Beenden");
    tables.ResetTrayTexts();
    EXPECT_EQ(tables.Text(ETextTable::Tray, 3), u"Exit");
}

}  // namespace
}  // namespace vorlix
