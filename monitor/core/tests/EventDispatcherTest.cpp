#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "MonitorFakes.h"
#include "monitor/core/EventDispatcher.h"
#include "monitor/core/SideButtonTracker.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/ProductIds.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

using testing::SPost;

constexpr WindowHandle kProcess = 10;
constexpr WindowHandle kConfigure = 11;
constexpr WindowHandle kMacroEdit = 12;
constexpr WindowHandle kLedEdit = 13;
constexpr WindowHandle kOsd = 20;
constexpr SReportSource kMouse{kVendorId, kProductId, 0x2402};

class EventDispatcherTest : public ::testing::Test {
protected:
    EventDispatcherTest() {
        store.WriteDword(store::kProcessHandle, kProcess);
        store.WriteDword(store::kCurrentDialog, 0);
        store.WriteDword(store::kOsdHandle, kOsd);
        poster.live = {kProcess, kOsd};
        dispatcher.SetDevicePresent(true);
    }
    bool Report(std::array<uint8_t, 5> head, size_t length = 8, SReportSource source = kMouse) {
        std::array<uint8_t, 16> report{};
        std::copy(head.begin(), head.end(), report.begin());
        return dispatcher.HandleVendorReport(report.data(), length, source);
    }

    CMemoryStoreBackend backend;
    CRegStore store{backend};
    testing::CLivePoster poster;
    testing::CRecordingLauncher launcher;
    testing::CRecordingPointer pointer;
    testing::CSetProbe probe;
    CFileSearch search{probe, "/opt/vorlix/bin", "/opt/vorlix", {"/usr/lib/vorlix-daze"}};
    CEventDispatcher dispatcher{store, poster, launcher, pointer, search};
};

TEST_F(EventDispatcherTest, EachEventPostsTheDeviceNoticeBeforeTheOsdNotice) {
    struct Case {
        std::array<uint8_t, 5> report;
        size_t length;
        SReportSource source;
        bool handled;
        std::vector<SPost> posts;
    };
    const auto both = [](uint32_t deviceKind, uint32_t osdKind, uint32_t value) {
        return std::vector<SPost>{{kProcess, msg::kDeviceNotice, deviceKind, value},
                                  {kOsd, msg::kOsdNotice, osdKind, value}};
    };
    const Case cases[] = {
        {{3, 0xA1, 5}, 8, kMouse, true, both(7, 7, 1)},
        {{3, 0xA1, 0}, 8, kMouse, true, both(7, 7, 0)},
        {{3, 0xA2, 0x0B}, 8, kMouse, true, both(0, 0, 0xB0)},
        {{3, 0xA2, 0xF8}, 8, kMouse, true, both(0, 0, 0x80)},
        {{3, 0xA3, 2, 32, 32}, 8, kMouse, true, both(0, 0, 2 + 32 * 256 + 32 * 65536)},
        {{3, 0xA4, 8}, 8, kMouse, true, both(8, 8, 8)},
        {{3, 0xA5, 0, 8}, 8, kMouse, true, {}},
        {{3, 0xA6, 1}, 8, kMouse, true, {}},
        {{3, 0xA1, 1}, 7, kMouse, false, {}},
        {{2, 0xA1, 1}, 8, kMouse, false, {}},
        {{3, 0xA1, 1}, 8, {kVendorId, kProductId, 0x2404}, false, {}},
        {{3, 0xA1, 1}, 8, {kVendorId, 0x1234, 0x2401}, false, {}},
        {{3, 0xA1, 1}, 8, {0x1234, kProductId, 0x2401}, false, {}},
    };
    for (const Case& c : cases) {
        poster.posts.clear();
        EXPECT_EQ(Report(c.report, c.length, c.source), c.handled) << std::hex << int(c.report[1]);
        EXPECT_EQ(poster.posts, c.posts) << std::hex << int(c.report[1]) << " length " << c.length;
    }
}

TEST_F(EventDispatcherTest, DeviceNoticesFollowCurrentDialogToLiveWindowsOnly) {
    store.WriteDword(store::kConfigureHandle, kConfigure);
    store.WriteDword(store::kMacroEditHandle, kMacroEdit);
    store.WriteDword(store::kLedEditHandle, 0xFFFFFFFFu);
    struct Case {
        std::optional<int32_t> currentDialog;  // nullopt: missing
        std::set<WindowHandle> live;
        std::optional<WindowHandle> target;
    };
    const Case cases[] = {
        {0, {kProcess, kOsd}, kProcess},
        {0, {kOsd}, std::nullopt},  // a stale "Process Handle"
        {1, {kConfigure, kOsd}, kConfigure},
        {2, {kMacroEdit, kOsd}, kMacroEdit},
        {3, {kLedEdit, kOsd}, std::nullopt},  // "LED Edit Handle" = -1
        {4, {kProcess, kOsd}, std::nullopt},
        {-1, {kProcess, kOsd}, std::nullopt},
        {std::nullopt, {kProcess, kOsd}, std::nullopt},
    };
    for (const Case& c : cases) {
        if (c.currentDialog) {
            store.WriteDword(store::kCurrentDialog, static_cast<uint32_t>(*c.currentDialog));
        } else {
            store.DeleteValue(store::kCurrentDialog);
        }
        poster.live = c.live;
        poster.posts.clear();
        Report({3, 0xA4, 2});
        std::vector<SPost> expected;
        if (c.target) {
            expected.push_back({*c.target, msg::kDeviceNotice, 8, 2});
        }
        expected.push_back({kOsd, msg::kOsdNotice, 8, 2});  // the notice window gets it regardless
        EXPECT_EQ(poster.posts, expected) << "Current Dialog " << c.currentDialog.value_or(-99);
    }
}

TEST_F(EventDispatcherTest, NoOsdNoticeWithoutALiveOsdWindow) {
    for (const uint32_t handle : {0u, 0xFFFFFFFFu, 99u}) {
        store.WriteDword(store::kOsdHandle, handle);
        poster.posts.clear();
        Report({3, 0xA1, 1});
        EXPECT_EQ(poster.posts, (std::vector<SPost>{{kProcess, msg::kDeviceNotice, 7, 1}})) << handle;
    }
}

TEST_F(EventDispatcherTest, ProfileEventAppliesThatProfilesPointerSettingsWhileTheProgramRuns) {
    store.WriteDword(store::MotionSpeed(4), 15);
    store.WriteDword(store::DoubleClickSpeed(4), 300);
    store.WriteDword(store::WheelScrollLines(4), 12);
    Report({3, 0xA2, 0x0B});
    EXPECT_EQ(pointer.applied, (std::vector<SPointerValues>{{15, 300, SPointerValues::kWheelPage}}));

    // Nothing recorded for profile 0: the desktop keeps its own settings. Profiles 5..7 have no pointer
    // settings; a dead or missing program applies nothing.
    pointer.applied.clear();
    Report({3, 0xA2, 0x00});
    Report({3, 0xA2, 0x05});
    poster.live.erase(kProcess);
    Report({3, 0xA2, 0x01});
    store.DeleteValue(store::kProcessHandle);
    Report({3, 0xA2, 0x01});
    EXPECT_TRUE(pointer.applied.empty());
}

TEST_F(EventDispatcherTest, LaunchStartsTheStoredProgramOfProfilesZeroToFourAndButtonsZeroToSeven) {
    store.WriteText(store::ButtonProgram(0, 1), u"/opt/tools/first");
    store.WriteText(store::ButtonProgram(4, 8), u"helper");
    store.WriteText(store::ButtonProgram(1, 1), u"/opt/tools/missing");
    store.WriteText(store::ButtonProgram(2, 1), u"../../bin/sh");
    store.WriteText(store::ButtonProgram(3, 1), u"");
    store.WriteText("", u"/x");  // the key's unnamed value, never written by the programs
    probe.files = {"/opt/tools/first", "/opt/vorlix/helper", "/usr/lib/vorlix-daze/helper", "/bin/sh", "/x"};
    struct Case {
        uint8_t profile, button;
        std::vector<std::string> launched;
    };
    const Case cases[] = {
        {0, 0, {"/opt/tools/first"}},
        {4, 7, {"/opt/vorlix/helper"}},  // "Path" comes before the install folders
        {0, 8, {}},
        {5, 0, {}},
        {9, 0, {}},
        {1, 0, {}},  // the program is gone
        {2, 0, {}},  // climbs out of the searched folders
        {3, 0, {}},  // empty value
        {0, 1, {}},  // nothing stored
    };
    for (const Case& c : cases) {
        launcher.launched.clear();
        poster.posts.clear();
        EXPECT_TRUE(Report({3, 0xA5, c.profile, c.button}));
        EXPECT_EQ(launcher.launched, c.launched) << int(c.profile) << "/" << int(c.button);
        EXPECT_TRUE(poster.posts.empty());
    }
}

TEST_F(EventDispatcherTest, SideButtonsPostBackOrForwardAndButtonFourWins) {
    struct Case {
        bool b4, b5;
        SReportSource source;
        std::vector<SPost> posts;
    };
    const Case cases[] = {
        {true, false, kMouse, {{kOsd, msg::kOsdNotice, 1, 3}}},
        {false, true, kMouse, {{kOsd, msg::kOsdNotice, 1, 4}}},
        {true, true, kMouse, {{kOsd, msg::kOsdNotice, 1, 3}}},
        {false, false, kMouse, {}},
        {true, false, {kVendorId, 0x0001, 0}, {}},
    };
    for (const Case& c : cases) {
        poster.posts.clear();
        dispatcher.HandleSideButtons(c.b4, c.b5, c.source);
        EXPECT_EQ(poster.posts, c.posts) << c.b4 << c.b5;
    }
}

TEST_F(EventDispatcherTest, NothingIsExaminedWhileNoMouseIsPresent) {
    store.WriteText(store::ButtonProgram(0, 1), u"/opt/tools/first");
    probe.files = {"/opt/tools/first"};
    dispatcher.SetDevicePresent(false);
    EXPECT_FALSE(Report({3, 0xA2, 1}));
    EXPECT_FALSE(Report({3, 0xA5, 0, 0}));
    dispatcher.HandleSideButtons(true, false, kMouse);
    EXPECT_TRUE(poster.posts.empty());
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_TRUE(pointer.applied.empty());
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

TEST(SideButtonTracker, APressCountsOnceInTheFrameWhereTheButtonGoesDown) {
    using T = CSideButtonTracker;
    struct Frame {
        uint8_t bootByte;
        bool b4, b5;
    };
    // Boot reports as the mouse sends them: press 4, release, press both, hold 5, release, press 5.
    const Frame frames[] = {{0x08, true, false},  {0x00, false, false}, {0x18, true, true},
                            {0x10, false, false}, {0x00, false, false}, {0x11, false, true}};
    T tracker;
    for (const Frame& frame : frames) {
        const T::SPresses presses = tracker.Update(T::FromBootReport(frame.bootByte));
        EXPECT_EQ(presses.button4, frame.b4) << std::hex << int(frame.bootByte);
        EXPECT_EQ(presses.button5, frame.b5) << std::hex << int(frame.bootByte);
    }
}

}  // namespace
}  // namespace vorlix
