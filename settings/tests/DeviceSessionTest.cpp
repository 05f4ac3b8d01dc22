#include <algorithm>
#include <string>
#include <vector>

#include "settings/ButtonCatalogue.h"
#include "settings/SettingsMap.h"
#include "shared/Messages.h"
#include "tests/support/SessionFixture.h"
#include "virtualmouse/FactoryMemory.h"

namespace vorlix::testing {
namespace {

using Control = std::array<uint8_t, 3>;

class DeviceSessionTest : public SessionFixture {
protected:
    bool HasChange(SessionChange change) const {
        return std::find(owner.changes.begin(), owner.changes.end(), change) != owner.changes.end();
    }
    void ConnectLoaded() {
        ASSERT_EQ(session->Connect(), 1);
        ASSERT_TRUE(session->Ready());
    }
};

TEST_F(DeviceSessionTest, ConnectLoadsTheWholeImageAndTellsTheOsd) {
    Start();
    set->Poke(0, 1, 0x04);
    set->Poke(0, 25, 0x52);
    set->Poke(0, 1280 + 148, 0x99);
    ConnectLoaded();
    EXPECT_TRUE(session->Connected());
    EXPECT_EQ(session->CountedDevices(), 1);
    EXPECT_EQ(session->ActiveProfile(), 2);
    EXPECT_EQ(session->Variant(), 2);
    for (int address : {1, 25, 256, 600, 1280 + 148}) {
        EXPECT_EQ(device->Cell(address).value, Peek(0, static_cast<unsigned>(address))) << address;
        EXPECT_TRUE(device->Cell(address).valid);
        EXPECT_FALSE(device->Cell(address).changed);
    }
    EXPECT_EQ(OsdKinds(),
              (std::vector<uint32_t>{osd::kVersion, osd::kFirmwareVariant, osd::kCurrentProfile}));
    EXPECT_EQ(poster.posts[0].value, 0x2401u);
    EXPECT_EQ(poster.posts[1].value, 0u);
    EXPECT_EQ(poster.posts[2].value, 2u);
    EXPECT_EQ(poster.posts[0].target, kOsdWindow);
    EXPECT_TRUE(HasChange(SessionChange::Loaded));
}

// Every pause of a connect and full load, in order, as the protocol lays them down for a mouse that
// answers at once. A pause left out or added, or a retry pause on the happy path, changes the sequence.
// The firmware version check that is to follow a load (an identify, two more settles) is not run by
// the session yet.
TEST_F(DeviceSessionTest, ConnectAndLoadPauseExactlyAsTheProtocolPrescribes) {
    struct Step {
        const char* what;
        int times;
        uint32_t ms;
    };
    const Step steps[] = {
        {"first open: signature bytes 4030 and 4031, each read twice, settle after each send", 4, 10},
        {"second open: the same four reads", 4, 10},
        {"option byte 1: settle after the read command", 1, 10},
        {"option byte 1: pause before the next read", 1, 10},
        {"profile byte 25: settle after the read command", 1, 10},
        {"profile byte 25: pause before the blocks", 1, 10},
        {"blocks 0..4: settle after each select (no read delay for 0x24)", 5, 10},
    };
    std::vector<uint32_t> expected;
    std::string trail;
    for (const Step& step : steps) {
        expected.insert(expected.end(), static_cast<size_t>(step.times), step.ms);
        trail += std::string(step.what) + "\n";
    }
    Start();
    ConnectLoaded();
    EXPECT_EQ(clock.Sleeps(), expected) << trail;
}

TEST_F(DeviceSessionTest, NoMouseGivesTheNoMousePageAndMessageOne) {
    Start();
    set->Unplug();
    EXPECT_EQ(session->Connect(), 0);
    EXPECT_EQ(owner.changes, std::vector<SessionChange>{SessionChange::NoMouse});
    EXPECT_EQ(session->Load(), 0);
    EXPECT_EQ(session->SaveActiveProfile(), 0);
    EXPECT_EQ(session->SwitchProfile(1), 0);
    EXPECT_EQ(owner.messages, (std::vector<int>{1, 1, 1}));
}

TEST_F(DeviceSessionTest, ProfileByteDecidesTheActiveProfileAndAllowedSwitches) {
    struct Case {
        uint8_t byte;
        int active;
        int highestAllowed;  // -1: none
    };
    for (const Case c : {Case{0x53, 3, 4}, Case{0x55, 0, 4}, Case{0x00, 0, -1}}) {
        Start();
        set->Poke(0, 25, c.byte);
        ConnectLoaded();
        EXPECT_EQ(session->ActiveProfile(), c.active) << int(c.byte);
        EXPECT_EQ(device->Cell(25).value, c.byte);
        EXPECT_EQ(session->SwitchProfile(5), 0);
        EXPECT_EQ(session->SwitchProfile(-1), 0);
        EXPECT_EQ(session->SwitchProfile(0), c.highestAllowed >= 0 ? 1 : 0);
        if (c.highestAllowed >= 0) {
            EXPECT_EQ(session->SwitchProfile(c.highestAllowed), 1);
        }
    }
}

TEST_F(DeviceSessionTest, SwitchWritesTheProfileByteOnlyWhenNeeded) {
    Start();
    ConnectLoaded();
    transport->ClearCommands();
    poster.posts.clear();
    EXPECT_EQ(session->SwitchProfile(0), 1);  // cell valid and equal: only the control command
    EXPECT_EQ(transport->Controls(0xDE).size(), 0u);
    EXPECT_EQ(transport->Controls(), (std::vector<Control>{{0x07, 0, 0}}));
    EXPECT_EQ(session->SwitchProfile(3), 1);
    EXPECT_EQ(Peek(0, 25), 0x53);
    EXPECT_TRUE(device->Cell(25).valid);
    EXPECT_FALSE(device->Cell(25).changed);
    EXPECT_EQ(transport->Controls().back(), (Control{0x07, 3, 0}));
    EXPECT_EQ(session->ActiveProfile(), 3);
    ASSERT_EQ(poster.posts.size(), 2u);
    EXPECT_EQ(poster.posts[1].kind, osd::kProfileOrResolution);
    EXPECT_EQ(poster.posts[1].value, 3u * 16 + 132);
}

TEST_F(DeviceSessionTest, TwoIdenticalMiceAreChosenBetweenWithTheirLights) {
    Start(2);
    set->Poke(1, 25, 0x54);
    set->Poke(1, 256 + 148, 0x42);  // the blocks must come from the chosen mouse too
    owner.choose = [&] {
        EXPECT_EQ(owner.timers.count(CDeviceSession::kIdentifyTimer), 1u);
        session->OnTimer(CDeviceSession::kIdentifyTimer);
        session->SelectionChanged(1);
        return 1;
    };
    ConnectLoaded();
    EXPECT_EQ(owner.lines, (std::vector<std::u16string>{u"2401: Vorlix Daze Gaming Mouse",
                                                        u"2401: Vorlix Daze Gaming Mouse"}));
    EXPECT_EQ(session->ChosenEntry(), 1);
    EXPECT_EQ(session->ActiveProfile(), 4);
    EXPECT_EQ(device->Cell(256 + 148).value, 0x42);
    EXPECT_EQ(owner.timers.count(CDeviceSession::kIdentifyTimer), 0u);
    // Light on mouse 0, blink, off on mouse 0, light on mouse 1, off on mouse 1 at OK.
    std::vector<std::pair<char, Control>> lights;
    for (const auto& command : transport->Commands()) {
        if (command.bytes[1] == 0xC4 && (command.bytes[2] == 2 || command.bytes[2] == 3)) {
            lights.push_back({command.path.find("mouse1") != std::string::npos ? '1' : '0',
                              Control{command.bytes[2], command.bytes[3], command.bytes[4]}});
        }
    }
    const std::vector<std::pair<char, Control>> expected = {
        {'0', {2, 0, 0}}, {'0', {3, 3, 0}}, {'0', {3, 3, 2}}, {'0', {3, 3, 3}},
        {'1', {2, 0, 0}}, {'1', {3, 3, 0}}, {'1', {3, 3, 3}},
    };
    EXPECT_EQ(lights, expected);
    EXPECT_EQ(clock.Sleeps()[0], CDeviceSession::kIdentifyPauseMs);
}

TEST_F(DeviceSessionTest, CancellingTheChoiceEndsTheProgram) {
    Start(2);
    owner.choose = [] { return -1; };
    EXPECT_EQ(session->Connect(), 0);
    EXPECT_EQ(session->CountedDevices(), 0);
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(owner.changes.back(), SessionChange::EndProgram);
}

TEST_F(DeviceSessionTest, UnpluggedMouseIsReconnectedFiveSecondsLater) {
    Start();
    ConnectLoaded();
    set->Unplug();
    ASSERT_EQ(owner.deviceEvents, std::vector<uint32_t>{kDeviceRemoveComplete});
    session->OnDeviceChange(kDeviceRemoveComplete);
    EXPECT_FALSE(session->Connected());
    EXPECT_TRUE(HasChange(SessionChange::Disconnected));
    EXPECT_EQ(owner.timers[CDeviceSession::kReconnectTimer], 5000u);
    set->Plug();
    session->OnDeviceChange(kDeviceArrival);  // same count as before: the timer reconnects
    EXPECT_FALSE(session->Connected());
    session->OnTimer(CDeviceSession::kReconnectTimer);
    EXPECT_TRUE(session->Connected());
    EXPECT_TRUE(session->Ready());
    EXPECT_EQ(owner.timers.count(CDeviceSession::kReconnectTimer), 0u);
}

TEST_F(DeviceSessionTest, OtherMouseStaysWhenTheConnectedOneIsUnplugged) {
    Start(2);
    set->Poke(1, 25, 0x51);
    owner.choose = [] { return 0; };
    ConnectLoaded();
    // A mouse plugged in while connected changes nothing.
    session->OnDeviceChange(kDeviceArrival);
    EXPECT_TRUE(session->Connected());
    transport->HideMouse(0, true);
    session->OnDeviceChange(kDeviceRemoveComplete);
    EXPECT_FALSE(session->Connected());
    owner.choose = [] { return -1; };  // must not be asked: one mouse is left
    session->OnTimer(CDeviceSession::kReconnectTimer);
    EXPECT_TRUE(session->Ready());
    EXPECT_EQ(session->ActiveProfile(), 1);
    EXPECT_NE(device->DevicePath().find("mouse1"), std::string::npos);
}

TEST_F(DeviceSessionTest, FailedConnectForgetsTheDeviceCount) {
    Start();
    transport->HideDataInterfaces(true);
    EXPECT_EQ(session->Connect(), 0);
    EXPECT_EQ(session->CountedDevices(), 0);
    transport->HideDataInterfaces(false);
    // The next arrival, with the same number of mice, leads to a reconnect.
    session->OnDeviceChange(kDeviceArrival);
    ASSERT_EQ(owner.timers.count(CDeviceSession::kReconnectTimer), 1u);
    session->OnTimer(CDeviceSession::kReconnectTimer);
    EXPECT_TRUE(session->Ready());
}

TEST_F(DeviceSessionTest, LoadBrokenOffLeavesNothingToSave) {
    Start();
    set->Poke(0, 768 + 5, 0x77);
    const std::vector<uint8_t> before = set->Memory(0);
    transport->BreakDataAfter(2);  // profiles 0 and 1 arrive, then the mouse is gone
    EXPECT_EQ(session->Connect(), 1);
    EXPECT_FALSE(session->Ready());
    EXPECT_TRUE(HasChange(SessionChange::LoadFailed));
    EXPECT_EQ(owner.messages, std::vector<int>{5});
    EXPECT_FALSE(device->Cell(768).valid);
    transport->BreakDataAfter(-1);
    // Saving or resetting now would send zeros for the unread profiles.
    CSettingsMap(*device).SetLiftOff(2, 3);
    EXPECT_EQ(session->SaveProfile(2), 0);
    EXPECT_EQ(session->ResetProfile(2), 0);
    EXPECT_EQ(owner.messages, (std::vector<int>{5, 6, 6}));
    EXPECT_EQ(set->Memory(0), before);
    // A complete load makes saving possible again.
    EXPECT_EQ(session->Load(), 1);
    EXPECT_EQ(session->SaveProfile(2), 1);
}

TEST_F(DeviceSessionTest, SaveBrokenOffKeepsTheEditMarkedForTheNextSave) {
    Start();
    ConnectLoaded();
    CSettingsMap settings(*device);
    settings.SetLiftOff(1, 7);
    settings.SetReportRateHz(1, 125);
    session->SetUnsavedChanges(true);
    transport->BreakDataAfter(0);
    poster.posts.clear();
    transport->ClearCommands();
    EXPECT_EQ(session->SaveProfile(1), 0);
    EXPECT_EQ(owner.messages, std::vector<int>{6});
    EXPECT_TRUE(device->Cell(513).changed);
    EXPECT_TRUE(device->Cell(512).changed);
    EXPECT_EQ(Peek(0, 513), 0x2B);
    // Notice 5 and the apply command follow a failed save.
    EXPECT_EQ(OsdKinds(), std::vector<uint32_t>{osd::kCurrentProfile});
    EXPECT_EQ(transport->Controls().back(), (Control{0x00, 0, 0}));
    transport->BreakDataAfter(-1);
    EXPECT_EQ(session->SaveProfile(1), 1);
    EXPECT_EQ(Peek(0, 513), 0x27);
    EXPECT_EQ(Peek(0, 512) & 0x0F, 8);
    EXPECT_FALSE(device->Cell(513).changed);
    EXPECT_EQ(session->ActiveProfile(), 0);
}

TEST_F(DeviceSessionTest, ResetGivesTheDefaultsAndRemovesMacroNames) {
    Start();
    set->Poke(0, 1024 + 1, 0x31);
    set->Poke(0, 1024 + 60, 6);
    ConnectLoaded();
    store.WriteText(store::ButtonMacroName(3, 2), u"Combo");
    store.WriteText(store::ButtonMacroName(2, 2), u"Other");
    poster.posts.clear();
    EXPECT_EQ(session->ResetProfile(3), 1);
    const auto factory = FactoryProfileBlock(3, 0x2401);
    for (int k = 0; k < map::kBlockUsed; ++k) {
        EXPECT_EQ(Peek(0, static_cast<unsigned>(1024 + k)), factory[static_cast<size_t>(k)]) << k;
    }
    std::u16string text;
    EXPECT_EQ(store.ReadText(store::ButtonMacroName(3, 2), text), 0);
    EXPECT_EQ(store.ReadText(store::ButtonMacroName(2, 2), text), 1);
    EXPECT_EQ(OsdKinds(), std::vector<uint32_t>{osd::kCurrentProfile});
    // Already at its defaults: nothing is marked, so no block goes out.
    const int transfers = transport->DataTransfers();
    EXPECT_EQ(session->ResetProfile(3), 1);
    EXPECT_EQ(transport->DataTransfers(), transfers);
}

TEST_F(DeviceSessionTest, DefaultButtonFunctionNeverZeroesMappedFields) {
    Start();
    ConnectLoaded();
    struct Case {
        int profile, button;
        bool entryZeroed;
    };
    const Case cases[] = {{0, 0, false}, {0, 6, false}, {3, 7, false}, {4, 0, false}, {1, 2, true}};
    for (const Case& c : cases) {
        const unsigned entry = static_cast<unsigned>(map::MacroEntryAddress(c.profile, c.button));
        if (c.entryZeroed) {
            set->Poke(0, entry + 1, 0x5A);
        }
        const std::vector<uint8_t> before = set->Memory(0);
        store.WriteText(store::ButtonMacroName(c.profile, c.button + 1), u"Macro");
        EXPECT_EQ(session->DefaultButtonFunction(c.profile, c.button), 1);
        std::u16string text;
        EXPECT_EQ(store.ReadText(store::ButtonMacroName(c.profile, c.button + 1), text), 0);
        const std::vector<uint8_t> after = set->Memory(0);
        for (unsigned a = entry; a < entry + 4; ++a) {
            EXPECT_EQ(after[a], c.entryZeroed ? 0 : before[a]) << c.profile << "/" << c.button << " @" << a;
        }
    }
    EXPECT_EQ(Peek(0, 25), 0x50);
    // The slot itself is an ordinary edit, written with the block.
    EXPECT_EQ(device->Cell(map::SlotAddress(3, 7)).value, 6);
    EXPECT_TRUE(device->Cell(map::SlotAddress(3, 7)).changed);
    EXPECT_TRUE(session->UnsavedChanges());
    // The only left click cannot be given away.
    CButtonCatalogue catalogue(*device, &store);
    catalogue.AssignFunction(1, 2, CButtonCatalogue::kClick, true);
    catalogue.AssignFunction(0, 2, 3, true);
    EXPECT_EQ(session->DefaultButtonFunction(2, 1), 0);
}

TEST_F(DeviceSessionTest, MonitorEventsFollowTheMouse) {
    Start();
    store.WriteText(store::ButtonProgram(1, 3), u"/usr/bin/true");
    session->OnMonitorEvent(devnotice::kFirmwareUpdate, 0);  // handled before any load
    EXPECT_EQ(owner.firmwareUpdates, 1);
    session->OnMonitorEvent(devnotice::kLaunch, 19 + 2);  // ignored before the load
    EXPECT_TRUE(owner.launched.empty());
    ConnectLoaded();

    session->OnMonitorEvent(devnotice::kLaunch, 19 + 2);
    session->OnMonitorEvent(devnotice::kLaunch, 19 + 8);  // slot 8 is no button
    EXPECT_EQ(owner.launched, std::vector<std::u16string>{u"/usr/bin/true"});

    session->OnMonitorEvent(devnotice::kProfileOrResolution, 2);  // level 2 on the mouse
    EXPECT_EQ(device->Cell(258).value, 0x42);
    session->OnMonitorEvent(devnotice::kProfileOrResolution, 3);
    EXPECT_EQ(device->Cell(258).value, 0x43);
    EXPECT_FALSE(device->Cell(258).changed);
    session->OnMonitorEvent(devnotice::kProfileOrResolution, 5);  // no such level
    EXPECT_EQ(device->Cell(258).value, 0x43);

    session->OnMonitorEvent(devnotice::kReportInterval, 8);
    EXPECT_EQ(device->Cell(256).value, 0x08);
    EXPECT_TRUE(device->Cell(256).valid);
    EXPECT_FALSE(device->Cell(256).changed);

    owner.dialogOpen = true;
    session->OnMonitorEvent(devnotice::kProfileOrResolution, 0x80 + 16 * 2);
    EXPECT_EQ(session->ActiveProfile(), 0);
    owner.dialogOpen = false;
    session->OnMonitorEvent(devnotice::kProfileOrResolution, 0x80 + 16 * 2);
    EXPECT_EQ(session->ActiveProfile(), 2);
    EXPECT_EQ(device->Cell(25).value, 0x52);
    EXPECT_TRUE(HasChange(SessionChange::ProfileShown));
    session->OnMonitorEvent(devnotice::kProfileOrResolution, 0x80 + 16 * 6);  // not an allowed profile
    EXPECT_EQ(session->ActiveProfile(), 2);
}

TEST_F(DeviceSessionTest, DisconnectStopsEveryTimer) {
    Start();
    ConnectLoaded();
    owner.timers[2310] = 100;
    session->Disconnect();
    EXPECT_TRUE(owner.timers.empty());
    EXPECT_FALSE(session->Ready());
    // A report-interval event after the disconnect must leave the polling byte alone: the event
    // carries a value the cell does not hold, so handling it would show.
    const int before = device->Cell(256).value;
    const uint32_t other = (before & 0x0F) == 8 ? 1 : 8;
    session->OnMonitorEvent(devnotice::kReportInterval, other);
    EXPECT_EQ(device->Cell(256).value, before);
}

}  // namespace
}  // namespace vorlix::testing
