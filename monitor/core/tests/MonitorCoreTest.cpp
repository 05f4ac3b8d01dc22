#include <gtest/gtest.h>

#include "MonitorFakes.h"
#include "device/HidTransport.h"
#include "monitor/core/MonitorCore.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

using testing::SPost;

constexpr WindowHandle kSelf = 5;
constexpr WindowHandle kProcess = 10;
constexpr WindowHandle kOsd = 20;

class MonitorCoreTest : public ::testing::Test {
protected:
    MonitorCoreTest() {
        store.WriteDword(store::kOsdHandle, kOsd);
        poster.live = {kOsd};
        probe.files = {"/opt/vorlix/bin/VorlixDaze"};
    }
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    testing::CLivePoster poster;
    testing::CRecordingLauncher launcher;
    testing::CRecordingPointer pointer;
    testing::CSetProbe probe;
    testing::CRecordingHost host;
    CFileSearch search{probe, "/opt/vorlix/bin", "/opt/vorlix", {"/usr/bin"}};
    CEventDispatcher dispatcher{store, poster, launcher, pointer, search};
    CMonitorCore core{store, poster, launcher, probe, search, dispatcher, host};
};

TEST(MonitorCommandLine, AutomationIsACaseSensitiveSubstringOfTheCommandLine) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"/Automation"}, true},      {{"x/Automationy"}, true}, {{"--a", "/Automation"}, true},
        {{"/automation"}, false},     {{"-Automation"}, false},  {{}, false},
        {{"/Auto", "mation"}, false},
    };
    for (const auto& [arguments, automation] : cases) {
        EXPECT_EQ(CMonitorCore::IsAutomation(arguments), automation) << ::testing::PrintToString(arguments);
    }
}

TEST_F(MonitorCoreTest, LocateAppIsUsedOnlyWhenItNamesAReadableFileByItsFullPath) {
    probe.files.insert("/srv/custom/VorlixDaze");
    probe.files.insert("VorlixDaze");
    const std::pair<std::u16string, std::string> cases[] = {
        {u"/srv/custom/VorlixDaze", "/srv/custom/VorlixDaze"},
        {u"/srv/gone/VorlixDaze", "/opt/vorlix/bin/VorlixDaze"},
        {u"VorlixDaze", "/opt/vorlix/bin/VorlixDaze"},  // relative: the current folder is never used
    };
    for (const auto& [located, expected] : cases) {
        store.WriteText(store::kLocateApp, located);
        EXPECT_EQ(core.LocateProgram(), expected);
    }
    probe.files.clear();
    EXPECT_EQ(core.LocateProgram(), "");
}

TEST_F(MonitorCoreTest, StartPublishesTakesUpTheOsdStateAndSchedulesTheProgramUnlessAutomation) {
    store.WriteDword(store::kDisableOsd, 1);
    host.mice = 1;
    core.Start(kSelf, false, true);
    EXPECT_EQ(store.ReadDword(store::kMonitorHandle), static_cast<int32_t>(kSelf));
    EXPECT_FALSE(core.OsdEnabled());
    EXPECT_EQ(host.menuTexts, std::vector<int>{2});
    EXPECT_EQ(poster.posts, (std::vector<SPost>{{kOsd, msg::kOsdNotice, 10, 0}}));
    EXPECT_TRUE(dispatcher.DevicePresent());
    EXPECT_EQ(host.timers, (std::vector<std::pair<int, int>>{{0x4002, 500}}));

    // Automation, no tray, no mouse, OSD left on.
    testing::CRecordingHost quiet;
    quiet.mice = 0;
    store.DeleteValue(store::kDisableOsd);
    poster.posts.clear();
    CMonitorCore other{store, poster, launcher, probe, search, dispatcher, quiet};
    other.Start(kSelf, true, false);
    EXPECT_TRUE(other.OsdEnabled());
    EXPECT_TRUE(quiet.menuTexts.empty());
    EXPECT_EQ(poster.posts, (std::vector<SPost>{{kOsd, msg::kOsdNotice, 10, 1}}));
    EXPECT_FALSE(dispatcher.DevicePresent());
    EXPECT_TRUE(quiet.timers.empty());
}

TEST_F(MonitorCoreTest, LaunchShowsALiveProgramAndStartsItOtherwise) {
    core.LocateProgram();
    struct Case {
        int32_t processHandle;
        bool live;
        std::vector<SPost> posts;
        std::vector<std::string> launched;
    };
    const Case cases[] = {
        {kProcess, true, {{kProcess, msg::kCommand, msg::kShowCommandId, 0}}, {}},
        {kProcess, false, {}, {"/opt/vorlix/bin/VorlixDaze"}},  // stale handle
        {0, false, {}, {"/opt/vorlix/bin/VorlixDaze"}},
        {-1, false, {}, {"/opt/vorlix/bin/VorlixDaze"}},
    };
    for (const Case& c : cases) {
        store.WriteDword(store::kProcessHandle, static_cast<uint32_t>(c.processHandle));
        poster.live = c.live ? std::set<WindowHandle>{kProcess} : std::set<WindowHandle>{};
        poster.posts.clear();
        launcher.launched.clear();
        EXPECT_TRUE(core.Command(2000));
        EXPECT_EQ(poster.posts, c.posts);
        EXPECT_EQ(launcher.launched, c.launched);
    }
    // Nothing found: nothing started, no message.
    probe.files.clear();
    core.LocateProgram();
    launcher.launched.clear();
    core.Command(2000);
    EXPECT_TRUE(launcher.launched.empty());
}

TEST_F(MonitorCoreTest, ToggleTwiceRestoresTheMenuTextAndTheStoredState) {
    core.Start(kSelf, true, true);
    poster.posts.clear();
    core.Command(2002);
    EXPECT_EQ(store.ReadDword(store::kDisableOsd), 1);
    core.Command(2002);
    EXPECT_EQ(store.ReadDword(store::kDisableOsd), 0);
    EXPECT_EQ(host.menuTexts, (std::vector<int>{4, 2, 4}));
    EXPECT_EQ(poster.posts,
              (std::vector<SPost>{{kOsd, msg::kOsdNotice, 10, 0}, {kOsd, msg::kOsdNotice, 10, 1}}));
}

TEST_F(MonitorCoreTest, ExitClosesTheLiveProgramThenQuits) {
    store.WriteDword(store::kProcessHandle, kProcess);
    poster.live = {kProcess};
    core.Command(2100);
    EXPECT_EQ(poster.posts, (std::vector<SPost>{{kProcess, msg::kClose, 0, 0}}));
    EXPECT_EQ(host.quits, 1);
    poster.live.clear();
    poster.posts.clear();
    core.Command(2100);
    EXPECT_TRUE(poster.posts.empty());
    EXPECT_EQ(host.quits, 2);
    EXPECT_FALSE(core.Command(105));
}

TEST_F(MonitorCoreTest, SecondMonitorHandsOverAndEnds) {
    store.WriteDword(store::kProcessHandle, kProcess);
    poster.live = {kProcess};
    core.RunAsSecond();
    EXPECT_EQ(poster.posts, (std::vector<SPost>{{kProcess, msg::kCommand, msg::kShowCommandId, 0}}));
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(store.ReadDword(store::kMonitorHandle), -1);
}

TEST_F(MonitorCoreTest, ArrivalAndRemovalRecheckOnlyWhenThePresenceMayHaveChanged) {
    host.mice = 0;
    core.Start(kSelf, true, false);
    core.DeviceChange(kDeviceRemoveComplete);  // no mouse to lose
    EXPECT_TRUE(host.timers.empty());
    core.DeviceChange(kDeviceArrival);
    EXPECT_EQ(host.timers, (std::vector<std::pair<int, int>>{{0x4000, 300}}));
    host.mice = 1;
    core.Timer(0x4000);
    EXPECT_EQ(host.stopped, std::vector<int>{0x4000});
    EXPECT_EQ(host.rebuilds, 2);
    EXPECT_TRUE(dispatcher.DevicePresent());

    core.DeviceChange(kDeviceArrival);  // already present
    EXPECT_EQ(host.timers.size(), 1u);
    core.DeviceChange(kDeviceRemoveComplete);
    host.mice = 0;
    core.Timer(0x4001);
    EXPECT_EQ(host.rebuilds, 3);
    EXPECT_FALSE(dispatcher.DevicePresent());
    core.Timer(0x4001);  // a late timer after the rebuild changes nothing
    EXPECT_EQ(host.rebuilds, 3);
}

TEST_F(MonitorCoreTest, StartTimerLaunchesTheProgram) {
    core.LocateProgram();
    core.Timer(0x4002);
    EXPECT_EQ(launcher.launched, std::vector<std::string>{"/opt/vorlix/bin/VorlixDaze"});
}

}  // namespace
}  // namespace vorlix
