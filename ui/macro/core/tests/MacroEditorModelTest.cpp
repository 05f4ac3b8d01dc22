#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "macro/MacroLibrary.h"
#include "macro/MacroProgram.h"
#include "macro/MemoryMacroFileSystem.h"
#include "macro/tests/FakeMacroTexts.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "ui/dialogs/core/EditFilters.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/macro/core/MacroEditorHost.h"
#include "ui/macro/core/MacroEditorModel.h"

namespace vorlix {
namespace {

using testing::FakeMacroTexts;
using testing::RecordingReporter;

const std::string kFolder = "/home/u/Documents/VORLIX DAZE";

// Answers the model's pages and file choosers from a script and keeps its reports.
class CScriptedHost final : public IMacroEditorHost {
public:
    struct SPage {
        int page;
        std::u16string text;  // what the page shows
    };
    void Refresh() override { ++refreshes; }
    int RunPage(int page, std::u16string& text) override {
        pages.push_back({page, text});
        if (answers.empty()) {
            return kModalCancel;
        }
        const auto [result, typed] = answers.front();
        answers.pop_front();
        text = typed;
        return result;
    }
    bool ChooseFile(bool, std::u16string_view, std::string& path) override {
        if (files.empty()) {
            return false;
        }
        path = files.front();
        files.pop_front();
        return true;
    }
    void ShowMessage(int number, std::u16string_view appended) override {
        reporter.ShowMessage(number, appended);
    }
    std::u16string MessageText(int number) override {
        return u"message " + std::u16string(1, static_cast<char16_t>(u'0' + number / 10)) +
               static_cast<char16_t>(u'0' + number % 10);
    }
    void FocusDefaultDelay() override { ++focused; }

    std::deque<std::pair<int, std::u16string>> answers;
    std::deque<std::string> files;
    std::vector<SPage> pages;
    RecordingReporter reporter;
    int refreshes = 0;
    int focused = 0;
};

std::vector<uint8_t> Code(const CMacroProgram& program) {
    std::vector<uint8_t> out(4096);
    out.resize(static_cast<size_t>(program.Serialize(out.data(), static_cast<int>(out.size()))));
    return out;
}

class MacroEditorModelTest : public ::testing::Test {
protected:
    MacroEditorModelTest() {
        library.CreateFolder();
        model.Open();
    }
    // The library file of a macro, as the editor saved it.
    const std::vector<uint8_t>& File(const std::string& name) {
        return files.files[kFolder + "/" + name + ".Mac"];
    }
    std::vector<uint8_t> SavedCode(const std::string& name) {
        const std::vector<uint8_t>& file = File(name);
        return file.size() < 57 ? std::vector<uint8_t>{}
                                : std::vector<uint8_t>(file.begin() + 57, file.end());
    }
    void Create(const std::u16string& name) {
        host.answers.push_back({kModalOk, name});
        model.CreateMacro();
    }

    FakeMacroTexts texts;
    CMacroProgram program{texts};
    CMemoryMacroFileSystem files;
    RecordingReporter libraryReports;
    CMacroLibrary library{files, libraryReports, kFolder};
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CFakeClock clock;
    CScriptedHost host;
    CMacroEditorModel model{program, library, store, clock, host};
};

TEST_F(MacroEditorModelTest, StopIsEnabledExactlyWhenNothingElseIs) {
    auto anyOtherEnabled = [](const SEditorEnabling& on) {
        return on.ok || on.cancel || on.apply || on.macroChooser || on.commandChooser || on.record ||
               on.deleteLines || on.up || on.down || on.adjust || on.delayEdit || on.configure ||
               on.toggles || on.defaultDelayEdit || on.insertCommand || on.create || on.import ||
               on.exportFile || on.deleteFile;
    };
    SEditorEnabling on = model.Enabling();
    EXPECT_FALSE(on.stop);
    EXPECT_TRUE(anyOtherEnabled(on));
    EXPECT_FALSE(on.record) << "no macro is open";
    EXPECT_FALSE(on.apply);
    EXPECT_FALSE(on.exportFile || on.deleteFile || on.configure || on.insertCommand);

    Create(u"Fire");
    on = model.Enabling();
    EXPECT_TRUE(on.record && on.apply && on.exportFile && on.configure);
    EXPECT_FALSE(on.insertCommand) << "no command chosen";
    model.ChooseCommand(2);
    EXPECT_TRUE(model.Enabling().insertCommand);

    model.Record();
    on = model.Enabling();
    EXPECT_TRUE(on.stop);
    EXPECT_FALSE(anyOtherEnabled(on));
    model.Stop();
    EXPECT_FALSE(model.Enabling().stop);
}

TEST_F(MacroEditorModelTest, LineButtonsFollowTheSelection) {
    Create(u"Fire");
    program.AppendPlain(0x04);
    program.AppendPlain(0x84);
    program.AppendPlain(0x05);
    program.SelectOnly(0);
    SEditorEnabling on = model.Enabling();
    EXPECT_TRUE(on.deleteLines && on.adjust && on.down);
    EXPECT_FALSE(on.up) << "the first line cannot move up";
    program.SelectOnly(2);
    on = model.Enabling();
    EXPECT_TRUE(on.up);
    EXPECT_FALSE(on.down);
    program.SelectLine(1);
    on = model.Enabling();
    EXPECT_TRUE(on.deleteLines);
    EXPECT_FALSE(on.adjust || on.up || on.down) << "two lines selected";
}

TEST_F(MacroEditorModelTest, InsertBeforeALineWithAGotoAfterItKeepsTheJumpOnItsTarget) {
    Create(u"Jump");
    program.AppendPlain(0x04);        // line 1, 1 byte
    program.AppendPlain(0x84);        // line 2, target of the GOTO
    program.AppendExtended(0x02, 1);  // GOTO offset 1 (line 2)
    program.SelectOnly(1);
    model.ChooseCommand(0);  // Page UP: 83 80 4B CB
    model.InsertCommand();
    EXPECT_EQ(program.Count(), 4);
    EXPECT_TRUE(program.IsSelected(2)) << "the selected line stays selected, one lower";
    EXPECT_EQ(program.SelectedCount(), 1);
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(SavedCode("Jump"),
              (std::vector<uint8_t>{0x04, 0x83, 0x80, 0x4B, 0xCB, 0x84, 0x83, 0x02, 0x05, 0x00}));
    EXPECT_FALSE(model.Changed());

    model.ChooseCommand(-1);
    model.InsertCommand();
    EXPECT_EQ(host.reporter.reports, std::vector<std::u16string>{u"#11:"});
}

TEST_F(MacroEditorModelTest, PairedDeleteMoveAndRetimeSaveTheExpectedBytes) {
    // The store exists (opening the editor created it) but holds no such value: paired deletion is on.
    store.RemoveValue(store::kDisableDeletePaired);
    model.Open();
    EXPECT_TRUE(model.PairedDeletion()) << "a missing store value turns paired deletion on";
    Create(u"Edit");
    for (int opcode : {0x04, 0x05, 0x84, 0x85, 0x06}) {
        program.AppendPlain(opcode);
    }
    program.SelectOnly(1);  // B press: its release goes too
    model.DeleteLines();
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x04, 0x84, 0x06}));
    EXPECT_EQ(program.SelectedLine(), 1) << "the row at the first deleted index is selected";

    model.MoveDown();
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x04, 0x06, 0x84}));
    EXPECT_EQ(program.SelectedLine(), 2);
    model.MoveUp();
    model.MoveUp();
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x84, 0x04, 0x06}));
    EXPECT_EQ(program.SelectedLine(), 0);

    model.SetDelayText(u"9999");
    model.AdjustDelay();
    EXPECT_EQ(model.DelayText(), u"5000");
    model.Apply();
    EXPECT_EQ(SavedCode("Edit"), (std::vector<uint8_t>{0x84, 0x01, 0x88, 0x13, 0x04, 0x06}));

    // Paired deletion off, as stored.
    model.TogglePairedDeletion();
    EXPECT_EQ(store.ReadDword(store::kDisableDeletePaired), 0);
    program.SelectOnly(1);
    model.DeleteLines();
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x84, 0x01, 0x88, 0x13, 0x06}));

    // Nothing selected: DELETE asks before clearing.
    program.ClearSelection();
    host.answers.push_back({kModalCancel, u""});
    model.DeleteLines();
    EXPECT_EQ(program.Count(), 2);
    host.answers.push_back({kModalOk, u""});
    model.DeleteLines();
    EXPECT_EQ(program.Count(), 0);
    ASSERT_EQ(host.pages.size(), 3u);  // the name page, then the two questions
    EXPECT_EQ(host.pages[1].text, u"message 17") << "the message table's question, in the user's language";

    model.SetDelayText(u"100");
    model.AdjustDelay();
    EXPECT_EQ(host.reporter.reports, std::vector<std::u16string>{u"#14:"}) << "no line selected";
}

TEST_F(MacroEditorModelTest, AStoredZeroTurnsPairedDeletionOff) {
    store.WriteDword(store::kDisableDeletePaired, 0);
    model.Open();
    EXPECT_FALSE(model.PairedDeletion());
}

TEST_F(MacroEditorModelTest, TimingTogglesTakeEffectOnlyWhenConfigured) {
    Create(u"T");
    model.ToggleDefaultDelay();
    EXPECT_EQ(host.focused, 1);
    EXPECT_TRUE(model.Enabling().defaultDelayEdit);
    model.ToggleDropDelays();
    EXPECT_FALSE(model.Pending().defaultDelayMode) << "one toggle turns the other off";
    EXPECT_FALSE(model.Enabling().defaultDelayEdit);
    EXPECT_FALSE(model.Committed().dropDelays) << "pending until configured";
    model.ToggleDefaultDelay();
    model.SetDefaultDelayText(u"50");
    model.ConfigureTiming();
    EXPECT_TRUE(model.Committed().defaultDelayMode);
    EXPECT_FALSE(model.Committed().dropDelays);
    EXPECT_EQ(model.DefaultDelay(), 50);

    // Recorded with the committed default delay of 50 ms, whatever the real pauses.
    model.Record();
    model.Recorded(model.Recorder().KeyDown(0x04));
    clock.Advance(3000);
    model.Recorded(model.Recorder().KeyUp(0x04));
    model.Stop();
    model.Apply();
    const std::vector<uint8_t>& file = File("T");
    ASSERT_GE(file.size(), 9u);
    EXPECT_EQ(file[6], 1);
    EXPECT_EQ(file[7], 50);
    EXPECT_EQ(SavedCode("T"), (std::vector<uint8_t>{0x04, 0x01, 50, 0, 0x84, 0x01, 50, 0}))
        << "the delay the list shows after the last line is stored";

    // Read back: the toggles and the field come from the file.
    model.Open();
    model.ChooseMacro(0);
    EXPECT_TRUE(model.Committed().defaultDelayMode);
    EXPECT_EQ(model.DefaultDelayText(), u"50");
}

TEST_F(MacroEditorModelTest, StepButtonsFollowTheDelayUnit) {
    struct SStep {
        int value, unit;
        bool up;
        int expected;
    };
    const SStep steps[] = {{0, 1, true, 1},  {4999, 1, true, 5000}, {5000, 1, true, 5000}, {1, 1, false, 0},
                           {0, 1, false, 0}, {7, 0, true, 8},       {20, 8, true, 32},     {20, 8, false, 8},
                           {7, 8, false, 0}, {9000, 1, false, 5000}};
    for (const SStep& s : steps) {
        EXPECT_EQ(CMacroEditorModel::SteppedDelay(s.value, s.unit, s.up), s.expected)
            << s.value << " unit " << s.unit << (s.up ? " up" : " down");
    }
    model.SetDelayText(u"12a");
    model.StepDelay(true);
    EXPECT_EQ(model.DelayText(), u"12a") << "a text that does not parse stays";
    model.SetDelayText(u" -7");
    model.StepDelay(true);
    EXPECT_EQ(model.DelayText(), u"1") << "a negative value counts as 0";
}

// The typing filter and the parser of the delay edits.
TEST(MacroEditorNumbers, TypedTextsAndTheParser) {
    struct SCase {
        std::u16string typed;
        std::u16string kept;         // what the edit keeps while typing
        std::optional<long> parsed;  // what a command reads
    };
    const SCase cases[] = {
        {u"007", u"0", 7},           {u"12a", u"12", std::nullopt},
        {u"6000", u"5000", 6000},    {u"0x1F", u"0", 31},
        {u"1,2", u"1", 2},           {u" -7", u"", -7},
        {u"9z", u"9", std::nullopt}, {u"", u"", 0},
        {u"5000", u"5000", 5000},
    };
    for (const SCase& c : cases) {
        const std::string name(c.typed.begin(), c.typed.end());
        EXPECT_EQ(editfilter::Number(c.typed, CMacroEditorModel::kMaxDelayMs), c.kept) << name;
        EXPECT_EQ(editfilter::ParseNumber(c.typed), c.parsed) << name;
    }
}

TEST_F(MacroEditorModelTest, OkAfterAFailedSaveStaysOpenWithTheEdits) {
    Create(u"Fire");
    program.AppendPlain(0x04);
    files.failWrites = true;
    EXPECT_FALSE(model.Ok());
    EXPECT_TRUE(model.Changed());
    EXPECT_EQ(program.Count(), 1);
    ASSERT_FALSE(host.reporter.reports.empty());
    EXPECT_EQ(host.reporter.reports.back(), u"#08:");
    model.Apply();
    EXPECT_TRUE(model.Enabling().apply) << "Apply stays enabled after a failed save";
    files.failWrites = false;
    EXPECT_TRUE(model.Ok());
    EXPECT_EQ(SavedCode("Fire"), std::vector<uint8_t>{0x04});
}

TEST_F(MacroEditorModelTest, UnsavedEditsAreNotDroppedUnasked) {
    Create(u"A");
    Create(u"B");
    program.AppendPlain(0x05);
    // Choosing A asks; Cancel keeps B open with its edit.
    model.ChooseMacro(0);
    ASSERT_EQ(host.pages.size(), 3u);
    EXPECT_EQ(host.pages.back().page, 287);
    EXPECT_EQ(host.pages.back().text, u"Drop the unsaved changes of B?");
    EXPECT_EQ(model.CurrentName(), u"B");
    EXPECT_EQ(program.Count(), 1);
    // Import and create ask the same.
    files.files["/tmp/C.mac"] = {0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0};
    host.files.push_back("/tmp/C.mac");
    model.ImportMacro();
    model.CreateMacro();
    EXPECT_EQ(host.pages.size(), 5u);
    EXPECT_EQ(host.files.size(), 1u) << "no file was chosen";
    EXPECT_EQ(model.CurrentName(), u"B");
    // OK drops the edits and loads A.
    host.answers.push_back({kModalOk, u""});
    model.ChooseMacro(0);
    EXPECT_EQ(model.CurrentName(), u"A");
    EXPECT_EQ(program.Count(), 0);
    EXPECT_FALSE(model.Changed());
    EXPECT_TRUE(SavedCode("B").empty()) << "B's file was never written";
}

// A macro whose file cannot be read opens empty: the lines of the macro open before must not be
// saved under its name.
TEST_F(MacroEditorModelTest, AnUnreadableMacroOpensEmpty) {
    Create(u"Good");
    program.AppendPlain(0x04);
    model.Apply();
    files.files[kFolder + "/Bad.Mac"] = {0x47, 0x00};
    model.Open();
    ASSERT_EQ(model.MacroNames(), (std::vector<std::u16string>{u"Bad", u"Good"}));
    model.ChooseMacro(1);
    EXPECT_EQ(program.Count(), 1);
    model.ChooseMacro(0);
    EXPECT_EQ(model.CurrentName(), u"Bad");
    EXPECT_EQ(program.Count(), 0);
    EXPECT_FALSE(model.Changed());
    EXPECT_TRUE(model.Ok());
    EXPECT_EQ(files.files[kFolder + "/Bad.Mac"], (std::vector<uint8_t>{0x47, 0x00}));
}

TEST_F(MacroEditorModelTest, FileOperations) {
    Create(u"Fire");
    EXPECT_EQ(model.MacroNames(), std::vector<std::u16string>{u"Fire"});
    EXPECT_EQ(model.ChosenMacro(), 0);
    EXPECT_TRUE(model.Changed());
    program.AppendPlain(0x04);
    program.AppendPlain(0x84);
    // Export writes the open program anywhere; the library is unchanged.
    files.folders.insert("/tmp");
    host.files.push_back("/tmp/out.mac");
    model.ExportMacro();
    ASSERT_EQ(files.files.count("/tmp/out.mac"), 1u);
    EXPECT_EQ(
        std::vector<uint8_t>(files.files["/tmp/out.mac"].begin() + 57, files.files["/tmp/out.mac"].end()),
        (std::vector<uint8_t>{0x04, 0x84}));
    model.Apply();

    // Import copies into the library, selects and loads it, and counts as unchanged.
    files.files["/tmp/Burst.MAC"] = files.files["/tmp/out.mac"];
    host.files.push_back("/tmp/Burst.MAC");
    model.ImportMacro();
    EXPECT_EQ(model.MacroNames(), (std::vector<std::u16string>{u"Fire", u"Burst"}));
    EXPECT_EQ(model.CurrentName(), u"Burst");
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x04, 0x84}));
    EXPECT_FALSE(model.Changed());

    // Delete removes the open macro's file and its entry.
    model.DeleteMacroFile();
    EXPECT_EQ(model.MacroNames(), std::vector<std::u16string>{u"Fire"});
    EXPECT_TRUE(model.CurrentName().empty());
    EXPECT_EQ(model.ChosenMacro(), -1);
    EXPECT_EQ(files.files.count(kFolder + "/Burst.Mac"), 0u);
    EXPECT_FALSE(model.Enabling().record);

    // A name that exists is refused; a cancelled name page leaves no macro open.
    Create(u"FIRE");
    EXPECT_EQ(libraryReports.reports.back(), u"#19:FIRE");
    EXPECT_TRUE(model.CurrentName().empty());
}

TEST_F(MacroEditorModelTest, TheFiftyFirstMacroIsRefusedInTheEditor) {
    for (int i = 0; i < 50; ++i) {
        files.files[kFolder + "/m" + std::to_string(100 + i) + ".Mac"] = {0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0};
    }
    model.Open();
    EXPECT_EQ(model.MacroNames().size(), 50u);
    Create(u"Extra");
    EXPECT_EQ(libraryReports.reports.back(), u"#12: The macro library holds 50 macros, the most it lists.");
    EXPECT_EQ(model.MacroNames().size(), 50u);
    EXPECT_TRUE(model.CurrentName().empty());
}

TEST_F(MacroEditorModelTest, AFullBufferWhileRecordingStopsWithBufferFull) {
    Create(u"R");
    program.SetCapacity(2);
    model.ConfigureTiming();
    model.ToggleDropDelays();
    model.ConfigureTiming();
    model.Record();
    model.Recorded(model.Recorder().KeyDown(0x04));
    model.Recorded(model.Recorder().KeyUp(0x04));
    model.Recorded(model.Recorder().KeyDown(0x05));
    EXPECT_FALSE(model.IsRecording());
    EXPECT_EQ(host.reporter.reports, std::vector<std::u16string>{u"#12:"});
    EXPECT_EQ(Code(program), (std::vector<uint8_t>{0x04, 0x84}));
}

}  // namespace
}  // namespace vorlix
