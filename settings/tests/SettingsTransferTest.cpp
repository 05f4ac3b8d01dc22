#include <gtest/gtest.h>

#include <functional>

#include "device/IcQT47.h"
#include "macro/tests/ProgramTestUtil.h"
#include "settings/FactoryDefaults.h"
#include "settings/MacroBinding.h"
#include "settings/SettingsTransfer.h"
#include "settings/tests/BindFixture.h"

namespace vorlix {
namespace {

using testing::Hex;

// Export from one mouse, then import into a fresh one with its own store values and macro library,
// as on a second machine.
class SettingsTransferTest : public testing::BindFixture {
protected:
    // Mouse one: "Burst" bound to profile 2, button 3 with two loops; "Copy" bytes in the file stale.
    void BindOnFirstMouse() {
        StartLoaded();
        PutMacro(files, "Burst.Mac", kCode);
        ASSERT_EQ(CMacroBinding(*session, library, reporter).Bind(1, 2, u"Burst", 4, 1), 1);
        firstScript = set->Script(0, 21);
    }
    std::string Export() {
        SSettingsSnapshot snapshot;
        std::string error;
        EXPECT_EQ(CSettingsTransfer(*session, library, reporter).Export(snapshot, error), 1) << error;
        return CSettingsFile::Format(snapshot);
    }
    // A new virtual mouse, an empty library and no button values in the store.
    void SecondMachine() {
        Start();
        ASSERT_EQ(session->Connect(), 1);
        files = CMemoryMacroFileSystem();
        library.CreateFolder();
        store.DeleteValue("PF1T3 Macro Name");
        store.DeleteValue("PF1T3 Macro Mode");
        reporter.reports.clear();
    }
    int Import(const std::string& text, std::string& error) {
        SSettingsSnapshot snapshot;
        if (!CSettingsFile::Parse(text, snapshot, error)) {
            return -1;
        }
        return CSettingsTransfer(*session, library, reporter).Import(snapshot, error);
    }

    const std::vector<uint8_t> kCode = Hex("04 01 64 00 84 83 82 00 00 00 00");
    std::vector<uint8_t> firstScript;
};

TEST_F(SettingsTransferTest, ExportCarriesTheMacroAndImportBindsItAgain) {
    BindOnFirstMouse();
    const std::string text = Export();
    EXPECT_NE(text.find("button 3 macro-name \"Burst\"\nbutton 3 macro-run 4 1\n"
                        "button 3 macro-code 000 04 01 64 00 84 83 82 70 06 86 f0\n"),
              std::string::npos)
        << text;

    SecondMachine();
    std::string error;
    ASSERT_EQ(Import(text, error), 1) << error;
    // The library gained the macro, the second mouse runs the same script from the same button.
    MacroBody body;
    ASSERT_EQ(library.ReadForBinding(u"Burst", body), 48 + 11);
    EXPECT_EQ(set->Script(0, 21), firstScript);
    EXPECT_EQ(SlotKind(0, 1, 2), 6);
    EXPECT_EQ(StoreText("PF1T3 Macro Name"), "Burst");
    EXPECT_EQ(store.ReadDword("PF1T3 Macro Mode"), 0x0104);

    // The same macro already in the library is fine: importing again changes nothing there.
    const auto before = files.files;
    ASSERT_EQ(Import(text, error), 1) << error;
    EXPECT_EQ(files.files, before);
}

TEST_F(SettingsTransferTest, ADifferentMacroOfTheSameNameIsRefusedBeforeAnyWrite) {
    BindOnFirstMouse();
    const std::string text = Export();
    SecondMachine();
    PutMacro(files, "BURST.mac", Hex("05 85"));
    const std::vector<uint8_t> memory = set->Memory(0);
    transport->ClearCommands();
    std::string error;
    EXPECT_EQ(Import(text, error), 0);
    EXPECT_NE(error.find("profile 2 button 3: the macro library already holds a different macro named "
                         "\"Burst\""),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("nothing was changed"), std::string::npos) << error;
    EXPECT_EQ(set->Memory(0), memory);
    EXPECT_TRUE(set->Script(0, 21).empty());
    EXPECT_TRUE(transport->Commands().empty());
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(StoreText("PF1T3 Macro Name"), "(none)");
}

TEST_F(SettingsTransferTest, ImportRefusalsNameTheLine) {
    BindOnFirstMouse();
    const std::string text = Export();
    struct Case {
        std::string from, to, error;
    };
    const Case cases[] = {
        {"macro-name \"Burst\"", "macro-name \"../Burst\"", "cannot name a macro file"},
        {"macro-name \"Burst\"", "macro-name \"A name of twenty-one c\"", "longer than 20 characters"},
        {"family 0x2401", "family 0x3101", "does not fit this mouse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        SecondMachine();
        std::string changed = text;
        changed.replace(changed.find(c.from), c.from.size(), c.to);
        std::string error;
        EXPECT_EQ(Import(changed, error), 0);
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_TRUE(files.files.empty());
        EXPECT_TRUE(set->Script(0, 21).empty());
    }

    // Two buttons of the file with different macros of one name.
    SecondMachine();
    SSettingsSnapshot snapshot;
    std::string error;
    ASSERT_EQ(CSettingsFile::Parse(text, snapshot, error), 1) << error;
    snapshot.blocks[1][54 + 5 * 3] = 6;
    snapshot.buttons[1][3].macroName = u"burst";
    snapshot.buttons[1][3].macro = SSettingsSnapshot::SMacro{5, 0, Hex("05 85"), 0};
    EXPECT_EQ(CSettingsTransfer(*session, library, reporter).Import(snapshot, error), 0);
    EXPECT_NE(
        error.find("profile 2 button 4: another button of the file has a different macro named \"Burst\""),
        std::string::npos)
        << error;
    EXPECT_TRUE(files.files.empty());
}

TEST_F(SettingsTransferTest, ExportWithoutTheMacroFileNamesProfileAndButton) {
    BindOnFirstMouse();
    files.files.clear();
    SSettingsSnapshot snapshot;
    std::string error;
    EXPECT_EQ(CSettingsTransfer(*session, library, reporter).Export(snapshot, error), 0);
    EXPECT_NE(error.find("profile 2 button 3 runs the macro \"Burst\", but its macro file is missing"),
              std::string::npos)
        << error;

    // A macro key that never had a macro (the default of button 8) exports as a plain block.
    store.DeleteValue("PF1T3 Macro Name");
    EXPECT_EQ(CSettingsTransfer(*session, library, reporter).Export(snapshot, error), 1) << error;
    EXPECT_FALSE(snapshot.buttons[1][2].macro.has_value());
}

// Each rule of the change commands, broken once in an otherwise factory-fresh file.
TEST(SettingsImportRulesTest, EveryRuleOfTheChangeCommandsHolds) {
    const CFactoryDefaults defaults;
    SSettingsSnapshot fresh;
    fresh.version = 2;
    fresh.family = 0x2401;
    fresh.profileByte = 0x50;
    for (int p = 0; p < 5; ++p) {
        fresh.blocks[p] = defaults.Block(p);
        fresh.profileLines[p] = 10 + p;
    }
    std::string error;
    ASSERT_EQ(CSettingsTransfer::CheckRules(fresh, error), 1) << error;

    const auto slot = [](SSettingsSnapshot& s, int p, int b, std::array<uint8_t, 5> bytes) {
        for (int i = 0; i < 5; ++i) {
            s.blocks[p][54 + 5 * b + i] = bytes[i];
        }
    };
    struct Case {
        const char* error;
        std::function<void(SSettingsSnapshot&)> change;
    };
    const Case cases[] = {
        {"line 12: profile 3: the report rate byte 0x03", [](auto& s) { s.blocks[2][0] = 0x03; }},
        {"line 10: profile 1: the lift-off byte 0xff", [](auto& s) { s.blocks[0][1] = 0xFF; }},
        {"the level byte 0x34 must give 4 levels", [](auto& s) { s.blocks[0][2] = 0x34; }},
        {"the level byte 0x44", [](auto& s) { s.blocks[0][2] = 0x44; }},
        {"level 2 has the Y value 0", [](auto& s) { s.blocks[0][3 + 5 + 1] = 0; }},
        {"level 4 has the X value 165", [](auto& s) { s.blocks[0][3 + 15] = 165; }},
        {"LED record 3 has the mode 127", [](auto& s) { s.blocks[0][38 + 8] = 0xFF; }},
        {"LED record 1 has the mode 0", [](auto& s) { s.blocks[0][38] = 0x80; }},
        {"button 2 has the slot 0x01 0x20", [&](auto& s) { slot(s, 0, 1, {1, 32, 0, 0, 0}); }},
        {"button 4 has the slot 0x07", [&](auto& s) { slot(s, 0, 3, {7, 0, 0, 0, 0}); }},
        {"line 14: profile 5: no button keeps the left click",
         [&](auto& s) { slot(s, 4, 0, {255, 0, 0, 0, 0}); }},
        {"button 3 is a LAUNCH button without its program", [&](auto& s) { slot(s, 0, 2, {15, 0, 0, 0, 0}); }},
        {"button 3 is a LAUNCH button without its program",
         [&](auto& s) {
             slot(s, 0, 2, {15, 0, 0, 0, 0});
             s.buttons[0][2].program = u"";
         }},
        {"the macro name \"../../../../etc/passwd\" cannot name a macro file",
         [](auto& s) { s.buttons[1][4].macroName = u"../../../../etc/passwd"; }},
        {"the macro name \".\" cannot name a macro file", [](auto& s) { s.buttons[1][4].macroName = u"."; }},
        {"is a MACRO KEY running \"Burst\", but the file has no macro-run and macro-code lines",
         [&](auto& s) {
             slot(s, 0, 7, {6, 0, 0, 0, 0});
             s.buttons[0][7].macroName = u"Burst";
         }},
    };
    for (const Case& c : cases) {
        SSettingsSnapshot broken = fresh;
        c.change(broken);
        error.clear();
        EXPECT_EQ(CSettingsTransfer::CheckRules(broken, error), 0) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error << " / wanted: " << c.error;
    }

    // What the change commands allow passes: a second left click lets the first go, a launch button
    // with its program, a macro key without a macro (button 8's default function), an old file's
    // macro name without its code, battle LEDs, the top level values.
    SSettingsSnapshot allowed = fresh;
    slot(allowed, 0, 1, {1, 1, 0, 0, 0});
    slot(allowed, 0, 0, {15, 0, 0, 0, 0});
    allowed.buttons[0][0].program = u"/usr/bin/true";
    slot(allowed, 0, 7, {6, 0, 0, 0, 0});
    slot(allowed, 1, 7, {6, 0, 0, 0, 0});
    allowed.buttons[1][7].macroName = u"Burst";
    allowed.version = 1;
    allowed.blocks[0][38] = 0x83;
    allowed.blocks[0][3] = 164;
    EXPECT_EQ(CSettingsTransfer::CheckRules(allowed, error), 1) << error;
}

}  // namespace
}  // namespace vorlix
