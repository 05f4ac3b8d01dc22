// The advanced settings dialog's decisions against an in-process virtual mouse: opening rules,
// conversions, the desktop sliders, the monitor's notices and the mouse lost while it is open.
#include <gtest/gtest.h>

#include "ui/cfg/core/CfgDialogModel.h"
#include "ui/cfg/tests/CfgFixture.h"

namespace vorlix::testing {
namespace {

class CfgModelTest : public CfgFixture {
protected:
    CCfgDialogModel Model() { return CCfgDialogModel(*device, clock, pointer, store, poster, host); }
};

TEST_F(CfgModelTest, OpeningCorrectsThePollingNibbleAndReadsTheView) {
    Load([this] {
        set->Poke(0, kB0 + 0, 0x13);           // polling nibble 3: no rate
        set->Poke(0, kB0 + 1, 0x45);           // lift-off bit 5 clear: counts as 16
        set->Poke(0, kB0 + 2, 0x41);           // level 1
        set->Poke(0, kB0 + 8, 8);              // level 1: X 8 (400 DPI) ...
        set->Poke(0, kB0 + 9, 20);             // ... Y 20 (1000 DPI)
        set->Poke(0, map::kOptionByte, 0x04);  // the Y byte is shown
    });
    pointer.values = {20, 350, SPointerValues::kWheelPage};
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    EXPECT_EQ(Cell(kB0).value, 0x12);
    EXPECT_TRUE(Cell(kB0).changed);
    EXPECT_TRUE(Commands().empty());
    const auto& view = model.View();
    EXPECT_EQ(view.pollingHz, 500);
    EXPECT_EQ(view.liftOffPosition, 16);
    EXPECT_EQ(view.levelPosition, 2);
    EXPECT_EQ(view.dpiText, u"1000");
    EXPECT_EQ(view.dpiSliderPosition, 164 + 1 - 20);
    EXPECT_EQ(view.doubleClickPosition, 3);
    EXPECT_EQ(view.cursorPosition, 10);
    EXPECT_EQ(view.scrollPosition, 10);
    // The corrected byte is what the dialog remembers: Cancel right away sends nothing.
    model.Cancel();
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(pointer.applied.empty());
}

TEST_F(CfgModelTest, DpiBoxFollowsTheVariantsScale) {
    struct SCase {
        int variant;
        std::u16string typed;
        std::u16string kept;
        int device;
        int slider;
    };
    const SCase cases[] = {
        {2, u"825", u"825", 16, 164 + 1 - 16},
        {2, u"9000", u"8200", 164, 1},
        {2, u"40", u"40", 1, 164},
        {0, u"5700", u"5700", 63, 1},
        {0, u"1000", u"1000", 11, 57 + 1 - 10},
        {1, u"0950", u"0", 1, 40},
        {1, u"2300x", u"2300", 23, 40 + 1 - 23},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.typed.size()) * 100 + c.variant);
        host.variant = c.variant;
        CCfgDialogModel model = Model();
        ASSERT_TRUE(model.Open(1));
        EXPECT_EQ(model.EditDpi(c.typed), c.kept);
        const int level = model.ActiveLevel();
        EXPECT_EQ(Cell(map::LevelAddress(1, level)).value, c.device);
        EXPECT_EQ(Cell(map::LevelAddress(1, level) + 1).value, c.device);
        EXPECT_EQ(model.View().dpiSliderPosition, c.slider);
        model.Cancel();
    }
}

TEST_F(CfgModelTest, DesktopSlidersAndTheirEnds) {
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    model.MoveCursor(0);
    EXPECT_EQ(pointer.values.speed, 1);
    model.MoveCursor(7);
    EXPECT_EQ(pointer.values.speed, 14);
    model.MoveDoubleClick(0);
    EXPECT_EQ(pointer.values.doubleClickMs, 100);
    model.MoveScroll(12);
    EXPECT_EQ(pointer.values.wheelLines, 10);
    model.MoveDoubleClick(6);
    EXPECT_EQ(pointer.values.doubleClickMs, 600);
    // Cancel puts the opening values back in one step; the mouse hears nothing.
    pointer.applied.clear();
    model.Cancel();
    EXPECT_EQ(pointer.applied, (std::vector<SPointerValues>{{14, 300, 5}}));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(CfgModelTest, ResetSendsOnlyTheBytesThatDifferFromTheDefaults) {
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    model.ChoosePolling(125);
    model.MoveDpiSlider(164 + 1 - 10);  // level 2, the factory table's active one: 16 becomes 10
    Clear();
    model.ResetToDefault();
    EXPECT_EQ(Commands(), (Sent{Effect(0, 0x01), Effect(13, 16), Effect(14, 16), LevelEffect(2)}));
    EXPECT_EQ(Cell(kB0).value, 0x01);
    EXPECT_EQ(Cell(kB0 + 13).value, 16);
    EXPECT_EQ(pointer.values, (SPointerValues{10, 500, 3}));
    const auto& view = model.View();
    EXPECT_EQ(view.pollingHz, 1000);
    EXPECT_EQ(view.levelPosition, 3);
    EXPECT_EQ(view.dpiText, u"800");
    EXPECT_EQ(view.doubleClickPosition, 5);
    EXPECT_EQ(view.cursorPosition, 5);
    EXPECT_EQ(view.scrollPosition, 3);
    EXPECT_EQ(view.liftOffPosition, 6);
    ASSERT_EQ(poster.posts.size(), 1u);
    EXPECT_EQ(poster.posts[0].value, 2u | 16u << 8 | 16u << 16);
    // Nothing differs any more: a second reset sends nothing.
    Clear();
    model.ResetToDefault();
    EXPECT_TRUE(Commands().empty());
}

// The monitor reports the interval in milliseconds (1, 2, 4, 8), which is the nibble the mouse holds.
TEST_F(CfgModelTest, ReportIntervalNoticeIsTakenAsTheMouseHoldsIt) {
    struct SCase {
        uint32_t interval;
        int hz;
    };
    for (const SCase c : {SCase{1, 1000}, SCase{2, 500}, SCase{4, 250}, SCase{8, 125}}) {
        SCOPED_TRACE(c.interval);
        Load();
        CCfgDialogModel model = Model();
        ASSERT_TRUE(model.Open(0));
        EXPECT_TRUE(model.OnNotice(devnotice::kReportInterval, c.interval));
        EXPECT_EQ(model.View().pollingHz, c.hz);
        EXPECT_EQ(Cell(kB0).value, static_cast<int>(c.interval));
        EXPECT_TRUE(Cell(kB0).valid);
        EXPECT_FALSE(Cell(kB0).changed);
        // Nothing to put into effect or to restore: the rate is the mouse's own.
        model.Apply();
        model.Cancel();
        EXPECT_TRUE(Commands().empty());
    }
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    for (const uint32_t bad : {0u, 3u, 16u, 0x101u}) {
        model.OnNotice(devnotice::kReportInterval, bad);
        EXPECT_EQ(Cell(kB0).value, 0x08);
    }
}

TEST_F(CfgModelTest, ProfileSwitchOnTheMouseTakesTheNewProfilesOpeningValues) {
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    model.ChoosePolling(250);
    Clear();
    EXPECT_TRUE(model.OnNotice(devnotice::kProfileOrResolution, 0x80 | 2 << 4));
    EXPECT_EQ(model.Profile(), 2);
    EXPECT_EQ(host.pointerProfiles, (std::vector<int>{2}));
    EXPECT_EQ(model.View().pollingHz, 1000);
    // Cancel leaves profile 2 as it is: profile 0's opening bytes never reach it.
    model.Cancel();
    EXPECT_TRUE(Commands().empty());
    const int b2 = map::BlockBase(2);
    EXPECT_EQ(Cell(b2).value, 0x01);
    EXPECT_FALSE(Cell(b2).changed);
    // Profiles the mouse does not have, and level nibbles above 3, are ignored.
    for (const uint32_t value : {0x80u | 5 << 4, 0x80u | 1 << 4 | 4}) {
        model.OnNotice(devnotice::kProfileOrResolution, value);
        EXPECT_EQ(model.Profile(), 2);
    }
    EXPECT_FALSE(model.OnNotice(devnotice::kLock, 1));
}

TEST_F(CfgModelTest, LevelNoticeRemembersFourLevels) {
    Load([this] { set->Poke(0, kB0 + 2, 0x32); });
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    EXPECT_TRUE(model.OnNotice(devnotice::kProfileOrResolution, 0 << 4 | 3));
    EXPECT_EQ(Cell(kB0 + 2).value, 0x33);
    EXPECT_TRUE(Cell(kB0 + 2).valid);
    EXPECT_FALSE(Cell(kB0 + 2).changed);
    EXPECT_EQ(model.View().levelPosition, 4);
    EXPECT_EQ(model.View().dpiText, u"1600");
    // Cancel restores the level as four levels, level 3 active: 0x43, never 0x53.
    model.Cancel();
    EXPECT_EQ(Cell(kB0 + 2).value, 0x43);
    EXPECT_EQ(Commands(), (Sent{Effect(2, 0x43), LevelEffect(3), LiftOff(0x26), LiftOff(0x26)}));
    // A level notice for another profile is not this dialog's.
    model.OnNotice(devnotice::kProfileOrResolution, 1 << 4 | 1);
    EXPECT_EQ(Cell(kB0 + 2).value, 0x43);
}

TEST_F(CfgModelTest, MouseGoneCancelRestoresWithoutTalkingToTheMouse) {
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    model.ChoosePolling(125);
    model.EditDpi(u"2000");
    transport->HideMouse(0, true);
    Clear();
    model.Cancel(true);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(Cell(kB0).value, 0x01);
    EXPECT_EQ(Cell(kB0 + 13).value, 16);
}

// A level nibble above 3 must not steer DPI edits past the four level records, and no profile outside
// the mouse's memory is opened.
TEST_F(CfgModelTest, EditsStayInsideTheLevelRecordsAndTheMemory) {
    Load([this] { set->Poke(0, kB0 + 2, 0x4F); });
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    EXPECT_EQ(model.View().levelPosition, 4);
    model.EditDpi(u"3000");
    EXPECT_EQ(Cell(map::LevelAddress(0, 3)).value, 60);
    EXPECT_FALSE(Cell(kB0 + 3 + 5 * 15).changed);
    for (const int profile : {-1, 5, 200}) {
        EXPECT_FALSE(Model().Open(profile));
    }
}

TEST_F(CfgModelTest, OkKeepsABytesEditWhenItsWriteFails) {
    CCfgDialogModel model = Model();
    ASSERT_TRUE(model.Open(0));
    model.ChoosePolling(250);
    transport->HideMouse(0, true);
    model.Ok();
    EXPECT_EQ(Cell(kB0).value, 0x04);
    EXPECT_TRUE(Cell(kB0).changed);
}

}  // namespace
}  // namespace vorlix::testing
