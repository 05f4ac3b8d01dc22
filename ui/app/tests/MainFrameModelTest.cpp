#include <gtest/gtest.h>

#include "ModelFixture.h"
#include "device/IcQT47.h"
#include "shared/Messages.h"

namespace vorlix::testing {
namespace {

using Controls = std::vector<std::array<uint8_t, 3>>;

constexpr int kRightButton = 3;
constexpr int kBackward = 5;
constexpr int kLedModeOffset = 0x2A;

int ChooseEntry(SPageRun& run, int entry) {
    run.value = entry;
    return 1;
}

class MainFrameModelTest : public ModelFixture {};

TEST_F(MainFrameModelTest, SingleKeyEndToEndWritesTheSlotAndClearsPending) {
    StartModel();
    ConnectLoaded();
    Answer(ctl::kPageSingleKey, [](SPageRun& run) {
        EXPECT_EQ(run.value, 3);  // "RIGHT BUTTON", button 1's own function, preselected
        return ChooseEntry(run, kBackward);
    });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    EXPECT_TRUE(model->ControlEnabled(ctl::kSingleKey));
    EXPECT_FALSE(model->ControlEnabled(ctl::kDefaultFunction));
    model->OnCommand(ctl::kSingleKey);
    EXPECT_EQ(model->Button(1).type, ButtonDisplayType::SingleKey);
    EXPECT_EQ(model->Button(1).name, u"BACKWARD");
    EXPECT_TRUE(model->Pending());
    EXPECT_TRUE(model->ControlEnabled(ctl::kApply));
    EXPECT_TRUE(model->ControlEnabled(ctl::kDefaultFunction));
    EXPECT_TRUE(transport->Commands().empty());  // nothing goes to the mouse before Apply

    model->OnCommand(ctl::kApply);
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 8, 0, 0, 0}));
    EXPECT_EQ(transport->Controls(), (Controls{{0x0C, 0, 0}, {0x00, 0, 0}}));
    EXPECT_FALSE(model->Pending());
    EXPECT_FALSE(model->ControlEnabled(ctl::kApply));
    // A saved profile is news for the display.
    ASSERT_EQ(OsdKinds(), (std::vector<uint32_t>{osd::kCurrentProfile}));
    EXPECT_EQ(poster.posts[0].value, 0u);
}

TEST_F(MainFrameModelTest, GivingAButtonItsOwnFunctionKeepsOtherEditsPending) {
    StartModel();
    ConnectLoaded();
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    model->OnCommand(ctl::kSingleKey);
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kRightButton); });
    model->OnCommand(ctl::kFirstHotSpot + 2);
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, 7); });  // its own SCROLL BUTTON
    model->OnCommand(ctl::kSingleKey);
    EXPECT_TRUE(model->Pending());
}

TEST_F(MainFrameModelTest, FailedSaveKeepsTheChangesForARetry) {
    StartModel();
    ConnectLoaded();
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    model->OnCommand(ctl::kSingleKey);
    transport->BreakDataAfter(0);
    model->OnCommand(ctl::kApply);
    EXPECT_EQ(host.messages, (std::vector<int>{CDeviceSession::kMsgSaveFailed}));
    EXPECT_TRUE(model->Pending());
    EXPECT_TRUE(model->ControlEnabled(ctl::kApply));

    transport->BreakDataAfter(-1);
    model->OnCommand(ctl::kApply);
    EXPECT_FALSE(model->Pending());
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 8, 0, 0, 0}));
}

// While another program (a vorlixctl command) keeps the mouse, Apply and Reset write nothing, say so,
// and keep the edits for a retry; saves and resets run with the mouse kept from start to end.
TEST_F(MainFrameModelTest, SaveAndResetWaitForOtherProgramsAndWriteNothingWhenRefused) {
    StartModel();
    ConnectLoaded();
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
    Answer(ctl::kPageReset, [](SPageRun&) { return 1; });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    model->OnCommand(ctl::kSingleKey);
    transport->ClearCommands();
    host.mouseBusy = true;
    model->OnCommand(ctl::kApply);
    model->OnCommand(ctl::kReset);
    EXPECT_TRUE(transport->Commands().empty());
    EXPECT_EQ(host.messages, (std::vector<int>{ctl::kMsgSaveFailed, ctl::kMsgSaveFailed}));
    EXPECT_TRUE(model->Pending());
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 2, 0, 0, 0}));

    host.mouseBusy = false;
    host.workWhileLocked.clear();
    model->OnCommand(ctl::kApply);
    EXPECT_FALSE(model->Pending());
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 8, 0, 0, 0}));
    model->OnCommand(ctl::kReset);
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 2, 0, 0, 0}));
    EXPECT_EQ(host.workWhileLocked, (std::vector<bool>{true, true}));
    EXPECT_FALSE(host.locked) << "released after each";

    // A lighting mode change refused the same way stays as an edit for the next save.
    host.mouseBusy = true;
    transport->ClearCommands();
    model->OnCommand(ctl::kLedBattle);
    EXPECT_TRUE(transport->Commands().empty());
    EXPECT_TRUE(model->Pending());
    host.mouseBusy = false;
    model->OnCommand(ctl::kApply);
    EXPECT_FALSE(model->Pending());
    EXPECT_EQ(host.workWhileLocked.back(), true);
}

TEST_F(MainFrameModelTest, ProfileSwitchWithAndWithoutPendingChanges) {
    struct SCase {
        const char* what;
        bool edit;
        int answer352;
        int expectedProfile;
        Controls expectedControls;
    };
    const SCase cases[] = {
        {"no edits", false, 0, 2, {{0x07, 2, 0}}},
        {"edits, cancelled", true, 2, 0, {}},
        {"edits, saved first", true, 1, 2, {{0x0C, 0, 0}, {0x00, 0, 0}, {0x07, 2, 0}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartModel();
        ConnectLoaded();
        if (c.edit) {
            Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
            model->OnCommand(ctl::kFirstHotSpot + 1);
            model->OnCommand(ctl::kSingleKey);
        }
        Answer(ctl::kPageSaveEachProfile, [&](SPageRun&) { return c.answer352; });
        host.pages.clear();
        model->OnCommand(ctl::kFirstTab + 2);
        EXPECT_EQ(model->Profile(), c.expectedProfile);
        EXPECT_EQ(transport->Controls(), c.expectedControls);
        EXPECT_EQ(host.pages, c.edit ? std::vector<int>{ctl::kPageSaveEachProfile} : std::vector<int>{});
        EXPECT_EQ(model->Pending(), c.edit && c.answer352 == 2);
        if (c.expectedProfile == 2) {
            EXPECT_EQ(Peek(0, map::kProfileByte), 0x52);
            EXPECT_EQ(model->Selected(), ctl::kNoButton);
            // Each notice once: the session tells of the switch; the window of the save.
            std::vector<uint32_t> kinds = OsdKinds();
            EXPECT_EQ(kinds.back(), osd::kProfileOrResolution);
            EXPECT_EQ(poster.posts.back().value, 0x84u + 32u);
            EXPECT_EQ(kinds.size(), c.edit ? 2u : 1u);
        }
    }
}

TEST_F(MainFrameModelTest, ProfileAtOrAboveTheCountSwitchesThePageOnlyAndApplyActsOnIt) {
    StartModel();
    set->Poke(0, map::kProfileByte, 0x30);  // three profiles
    ConnectLoaded();
    model->OnCommand(ctl::kFirstTab + 4);
    EXPECT_EQ(model->Profile(), 4);
    EXPECT_EQ(session->ActiveProfile(), 0);
    EXPECT_TRUE(transport->Commands().empty());
    ASSERT_EQ(OsdKinds(), (std::vector<uint32_t>{osd::kProfileOrResolution}));
    EXPECT_EQ(poster.posts[0].value, 0x84u + 64u);

    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    model->OnCommand(ctl::kSingleKey);
    model->OnCommand(ctl::kApply);
    EXPECT_EQ(MouseSlot(4, 1), (std::vector<uint8_t>{1, 8, 0, 0, 0}));
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 2, 0, 0, 0}));

    set->Poke(0, static_cast<unsigned>(map::BlockBase(4) + kLedModeOffset), 0x83);
    device->CellRef(map::BlockBase(4) + kLedModeOffset).value = 0x83;
    Answer(ctl::kPageReset, [](SPageRun&) { return 1; });
    model->OnCommand(ctl::kReset);
    EXPECT_EQ(Peek(0, static_cast<unsigned>(map::BlockBase(4) + kLedModeOffset)) & 0x7F, 1);
    EXPECT_EQ(MouseSlot(4, 1), (std::vector<uint8_t>{1, 2, 0, 0, 0}));
}

TEST_F(MainFrameModelTest, MouseSwitchingProfileByItselfKeepsEditsOfTheOldProfile) {
    StartModel();
    ConnectLoaded();
    Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
    model->OnCommand(ctl::kFirstHotSpot + 1);
    model->OnCommand(ctl::kSingleKey);
    model->OnDeviceNotice(devnotice::kProfileOrResolution, 0x80 | (3 << 4));
    EXPECT_EQ(model->Profile(), 3);
    EXPECT_TRUE(model->Pending());
    model->OnCommand(ctl::kApply);
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 8, 0, 0, 0}));
    EXPECT_FALSE(model->Pending());
    // Only the edited block went out.
    EXPECT_EQ(transport->Controls(), (Controls{{0x0C, 0, 0}, {0x00, 0, 0}}));
}

TEST_F(MainFrameModelTest, LedModeKeepsBitSevenWritesOnlyWhatDiffersAndTellsTheDisplay) {
    StartModel();
    const unsigned base = static_cast<unsigned>(map::BlockBase(0));
    set->Poke(0, base + 0x26, 0x81);
    set->Poke(0, base + 0x2A, 0x01);
    set->Poke(0, base + 0x2E, 0x82);
    set->Poke(0, base + 0x32, 0x03);
    ConnectLoaded();
    EXPECT_FALSE(model->BattleShown());
    model->OnCommand(ctl::kLedBattle);
    EXPECT_EQ(host.pages, (std::vector<int>{ctl::kPageBattle}));
    EXPECT_TRUE(model->BattleShown());
    EXPECT_EQ((std::vector<uint8_t>{Peek(0, base + 0x26), Peek(0, base + 0x2A), Peek(0, base + 0x2E),
                                    Peek(0, base + 0x32)}),
              (std::vector<uint8_t>{0x83, 0x03, 0x83, 0x03}));
    // Three writes (the byte at +0x32 already held 3), then the apply command.
    EXPECT_EQ(transport->Controls(0xDE).size(), 3u);
    EXPECT_EQ(transport->Controls().back(), (std::array<uint8_t, 3>{0x00, 0, 0}));
    EXPECT_FALSE(model->Pending());
    ASSERT_EQ(OsdKinds(), (std::vector<uint32_t>{osd::kLedMode}));
    EXPECT_EQ(poster.posts[0].value, 1u);

    transport->ClearCommands();
    model->OnCommand(ctl::kLedBattle);  // already shown: nothing
    EXPECT_TRUE(transport->Commands().empty());
    model->OnCommand(ctl::kLedNormal);
    EXPECT_EQ((std::vector<uint8_t>{Peek(0, base + 0x26), Peek(0, base + 0x2A), Peek(0, base + 0x2E),
                                    Peek(0, base + 0x32)}),
              (std::vector<uint8_t>{0x81, 0x01, 0x82, 0x01}));
    EXPECT_EQ(poster.posts.back().value, 0u);
    EXPECT_FALSE(model->BattleShown());
}

TEST_F(MainFrameModelTest, FailedLedWriteKeepsTheChoiceForTheNextSave) {
    StartModel();
    ConnectLoaded();
    set->Unplug();
    model->OnCommand(ctl::kLedBattle);
    set->Plug();
    EXPECT_TRUE(model->BattleShown());
    EXPECT_TRUE(model->Pending());
    EXPECT_TRUE(transport->Controls().empty() || transport->Controls().back()[0] != 0x00);
    model->OnCommand(ctl::kApply);
    EXPECT_EQ(Peek(0, static_cast<unsigned>(map::BlockBase(0) + kLedModeOffset)) & 0x7F, 3);
}

TEST_F(MainFrameModelTest, LeftButtonRefusalOnEveryKindButtonInEnglishAndGerman) {
    for (const bool german : {false, true}) {
        for (const int kind : {ctl::kMacroFunction, ctl::kSingleKey, ctl::kLaunchProgram}) {
            SCOPED_TRACE(std::to_string(kind) + (german ? " de" : " en"));
            StartModel(1, german);
            ConnectLoaded();
            host.chosenPath = "/usr/bin/true";
            Answer(ctl::kPageSingleKey, [](SPageRun& run) { return ChooseEntry(run, kBackward); });
            Answer(ctl::kPageLeftButton, [](SPageRun&) { return 1; });
            model->OnCommand(ctl::kFirstHotSpot + 0);
            model->OnCommand(kind);
            EXPECT_EQ(host.messages, german ? std::vector<int>{ctl::kMsgNoLeftButton} : std::vector<int>{});
            EXPECT_EQ(host.pages, german ? std::vector<int>{} : std::vector<int>{ctl::kPageLeftButton});
            if (!german) {
                EXPECT_EQ(host.dialogDuringPage, (std::vector<int>{ctl::kDialogSkinned}));
            }
            EXPECT_EQ(model->Button(0).name, u"CLICK");
            EXPECT_FALSE(model->Pending());
            EXPECT_TRUE(host.chooserStart.empty());
        }
    }
}

TEST_F(MainFrameModelTest, DefaultOnButtonSevenGivesMacroKeyAndClearsItsMacroEntry) {
    StartModel();
    const int entry = map::MacroEntryAddress(1, 7);
    set->Poke(0, static_cast<unsigned>(entry), 0x12);
    set->Poke(0, static_cast<unsigned>(map::SlotAddress(1, 7)), 1);
    set->Poke(0, static_cast<unsigned>(map::SlotAddress(1, 7) + 1), 2);
    ConnectLoaded();
    store.WriteText(store::ButtonMacroName(1, 8), u"Old");
    model->OnCommand(ctl::kFirstTab + 1);
    model->OnCommand(ctl::kFirstHotSpot + 7);
    EXPECT_TRUE(model->ControlEnabled(ctl::kDefaultFunction));
    transport->ClearCommands();
    model->OnCommand(ctl::kDefaultFunction);
    EXPECT_EQ(model->Button(7).name, u"MACRO KEY");
    EXPECT_FALSE(model->ControlEnabled(ctl::kDefaultFunction));
    EXPECT_EQ(Peek(0, static_cast<unsigned>(entry)), 0);
    std::u16string name;
    EXPECT_EQ(store.ReadText(store::ButtonMacroName(1, 8), name), 0);
    model->OnCommand(ctl::kApply);
    EXPECT_EQ(MouseSlot(1, 7), (std::vector<uint8_t>{6, 0, 0, 0, 0}));
}

TEST_F(MainFrameModelTest, EachMacroButtonShowsItsOwnMacroName) {
    StartModel();
    for (const int button : {3, 4}) {
        set->Poke(0, static_cast<unsigned>(map::SlotAddress(0, button)), 6);
        set->Poke(0, static_cast<unsigned>(map::SlotAddress(0, button) + 1), 0);
    }
    store.WriteText(store::ButtonMacroName(0, 4), u"Reload");
    ConnectLoaded();
    EXPECT_EQ(model->Button(3).name, u"Reload");
    EXPECT_EQ(model->Button(4).name, u"MACRO KEY");
}

TEST_F(MainFrameModelTest, ResetAsksFirstThenRestoresTheFactoryProfile) {
    StartModel();
    set->Poke(0, static_cast<unsigned>(map::SlotAddress(0, 1) + 1), 8);
    ConnectLoaded();
    EXPECT_EQ(model->Button(1).name, u"BACKWARD");
    model->OnCommand(ctl::kReset);  // cancelled
    EXPECT_TRUE(transport->Commands().empty());
    Answer(ctl::kPageReset, [](SPageRun&) { return 1; });
    model->OnCommand(ctl::kReset);
    EXPECT_EQ(MouseSlot(0, 1), (std::vector<uint8_t>{1, 2, 0, 0, 0}));
    EXPECT_EQ(model->Button(1).name, u"RIGHT BUTTON");
    EXPECT_EQ(host.pages, (std::vector<int>{ctl::kPageReset, ctl::kPageReset}));
}

TEST_F(MainFrameModelTest, RemovalShowsTheWarningFaceAndReconnectsFiveSecondsLater) {
    StartModel();
    ConnectLoaded();
    store.WriteDword(store::kConfigureHandle, 5);
    set->Unplug();
    model->OnDeviceChange(kDeviceRemoveComplete);
    EXPECT_EQ(model->Face(), EFace::Warning);
    EXPECT_EQ(host.cancelled, 1);
    EXPECT_EQ(store.ReadDword(store::kConfigureHandle), -1);
    EXPECT_EQ(modelOwner.timers, (std::map<int, uint32_t>{{CDeviceSession::kReconnectTimer, 5000}}));
    EXPECT_EQ(host.messages, std::vector<int>{});
    model->OnCommand(ctl::kToTray);
    EXPECT_EQ(host.messages, (std::vector<int>{ctl::kMsgNoMouse}));

    set->Plug();
    model->OnTimer(CDeviceSession::kReconnectTimer);
    EXPECT_EQ(model->Face(), EFace::Main);
    EXPECT_TRUE(modelOwner.timers.empty());
}

TEST_F(MainFrameModelTest, FailedLoadShowsTheWarningFaceAndConnectsAgain) {
    StartModel();
    transport->BreakDataAfter(2);
    model->Connect();
    EXPECT_EQ(model->Face(), EFace::Warning);
    EXPECT_EQ(host.messages, (std::vector<int>{CDeviceSession::kMsgLoadFailed}));
    EXPECT_FALSE(model->ImageLoaded());
    transport->BreakDataAfter(-1);
    model->Connect();
    EXPECT_EQ(model->Face(), EFace::Main);
}

TEST_F(MainFrameModelTest, ReportIntervalNoticeTakesOnlyTheFourIntervals) {
    const int address = map::BlockBase(0) + map::kPollingOffset;
    for (const uint32_t nibble : {0u, 1u, 2u, 3u, 4u, 8u, 9u, 15u}) {
        SCOPED_TRACE(nibble);
        StartModel();
        ConnectLoaded();
        const int before = device->Cell(address).value;
        model->OnDeviceNotice(devnotice::kReportInterval, nibble);
        const bool valid = nibble == 1 || nibble == 2 || nibble == 4 || nibble == 8;
        EXPECT_EQ(device->Cell(address).value, valid ? ((before & 0xF0) | static_cast<int>(nibble)) : before);
    }
}

TEST_F(MainFrameModelTest, EventsArrivingDuringDeviceWorkWaitUntilItEnds) {
    StartModel();
    int heldRan = 0;
    bool sessionWasBusy = true;
    model->Gate().Work([&] {
        model->OnDeviceNotice(devnotice::kFirmwareUpdate, 0);
        model->OnTimer(CDeviceSession::kReconnectTimer);
        model->Gate().RunOrHold([&] {
            ++heldRan;
            sessionWasBusy = model->Gate().Busy();
        });
        EXPECT_EQ(modelOwner.firmwareUpdates, 0);
        EXPECT_EQ(heldRan, 0);
        return 0;
    });
    EXPECT_EQ(modelOwner.firmwareUpdates, 1);
    EXPECT_EQ(heldRan, 1);
    EXPECT_FALSE(sessionWasBusy);
}

TEST_F(MainFrameModelTest, LauncherStoresPathAndNameAndGivesLaunch) {
    StartModel();
    ConnectLoaded();
    host.chosenPath = "/opt/games/run.game.sh";
    model->OnCommand(ctl::kFirstHotSpot + 3);
    model->OnCommand(ctl::kLaunchProgram);
    std::u16string path;
    std::u16string name;
    store.ReadText(store::ButtonProgram(0, 4), path);
    store.ReadText(store::ButtonProgramName(0, 4), name);
    EXPECT_EQ(path, u"/opt/games/run.game.sh");
    EXPECT_EQ(name, u"run.game");
    EXPECT_EQ(model->Button(3).type, ButtonDisplayType::Launcher);
    EXPECT_EQ(model->Button(3).name, u"run.game");
    EXPECT_TRUE(model->Pending());
}

}  // namespace
}  // namespace vorlix::testing
