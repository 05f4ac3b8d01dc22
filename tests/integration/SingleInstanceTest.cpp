#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

#include "platform/DatagramPoster.h"
#include "platform/UserStore.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SessionFixture.h"
#include "tests/support/TempDir.h"
#include "virtualmouse/socket/VirtualMouseServer.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

class SingleInstanceTest : public ::testing::Test {
protected:
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args = {},
                                        const std::vector<std::string>& extraEnv = {}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/VorlixDaze"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> env{"XDG_CONFIG_HOME=" + config.Path(),
                                     "XDG_RUNTIME_DIR=" + runtime.Path(),
                                     "HOME=" + config.Path(),
                                     "QT_QPA_PLATFORM=offscreen",
                                     "VORLIX_TRACE=1",
                                     "LANG=C",
                                     "LC_ALL=",
                                     "LC_MESSAGES="};
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());
        return std::make_unique<ChildProcess>(argv, env);
    }
    // The transfers one connect and full load takes, run in-process on a fresh virtual mouse.
    static uint64_t TransfersOfOneLoad() {
        auto mice = std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{});
        auto transport = std::make_shared<CVirtualTransport>(mice);
        CFakeClock clock;
        CClockTransferWaiter waiter(clock);
        CMemoryStoreBackend backend;
        CRegStore store(backend);
        testing::CRecordingPoster poster;
        testing::CRecordingOwner owner;
        CHidClient hid(transport);
        CIcQT47 device(transport, clock, waiter);
        CDeviceSession session(owner, hid, device, store, poster, clock);
        return session.Connect() == 1 && session.Ready() ? mice->TransferCount() : 0;
    }
    // Polls, bounded, until the mouse has seen at least the given number of transfers.
    static bool WaitForTransfers(const CVirtualMouseSet& mice, uint64_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (mice.TransferCount() < count) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    int32_t Read(const char* name) {
        CUserStore store(config.Path() + "/Vorlix Daze/store.sqlite3");
        return store.Store().ReadDword(name);
    }
    void Post(uint32_t message, uint32_t wParam) {
        CDatagramPoster poster(runtime.Path() + "/vorlix-daze");
        EXPECT_TRUE(poster.Post(static_cast<WindowHandle>(Read(store::kProcessHandle)), message, wParam, 0));
    }

    testing::TempDir config;
    testing::TempDir runtime;
};

TEST_F(SingleInstanceTest, SecondStartHandsOverAndFirstKeepsItsHandles) {
    auto first = Start();
    ASSERT_TRUE(first->WaitForOutput("vorlix-trace: device session opened")) << first->Output();
    const int32_t handle = Read(store::kProcessHandle);
    EXPECT_TRUE(store::IsWindowHandle(handle));
    EXPECT_EQ(Read(store::kCurrentDialog), 0);

    auto second = Start({"--some-other-argument"});
    EXPECT_EQ(second->Wait(), 0);
    EXPECT_NE(second->Output().find("handed over"), std::string::npos) << second->Output();
    EXPECT_EQ(second->Output().find("published"), std::string::npos);
    ASSERT_TRUE(first->WaitForOutput("show command")) << first->Output();
    EXPECT_EQ(Read(store::kProcessHandle), handle);
    EXPECT_EQ(Read(store::kCurrentDialog), 0);

    Post(msg::kClose, 0);
    EXPECT_EQ(first->Wait(), 0);
    EXPECT_NE(first->Output().find("handles withdrawn"), std::string::npos);
    EXPECT_EQ(Read(store::kProcessHandle), -1);
    EXPECT_EQ(Read(store::kCurrentDialog), -1);
}

TEST_F(SingleInstanceTest, HiddenStartOpensTheSessionOnlyOnShow) {
    for (const char* sw : {"-AUTOMATION", "/automation"}) {
        auto app = Start({sw});
        ASSERT_TRUE(app->WaitForOutput("vorlix-trace: hidden")) << app->Output();
        EXPECT_EQ(app->Count("device session opened"), 0u);
        Post(msg::kCommand, msg::kShowCommandId);
        ASSERT_TRUE(app->WaitForOutput("device session opened (automation)")) << app->Output();
        Post(msg::kCommand, msg::kShowCommandId);
        ASSERT_TRUE(app->WaitForOutput("show command", 10000, 2)) << app->Output();
        Post(msg::kClose, 0);
        EXPECT_EQ(app->Wait(), 0);
        EXPECT_EQ(app->Count("device session opened"), 1u) << app->Output();
    }
}

// The load itself, as the mouse sees it: nothing reaches the mouse while the start is hidden, the
// first "Show" loads it, and a second "Show" does not load it again. A load is measured on the same
// virtual mouse by the device session that the configuration program runs.
TEST_F(SingleInstanceTest, HiddenStartLoadsTheMouseOnceOnShow) {
    auto mice = std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{});
    const uint64_t oneLoad = TransfersOfOneLoad();
    ASSERT_GT(oneLoad, 0u);
    CVirtualMouseServer server(mice, runtime.Path() + "/mouse.sock");
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    auto app = Start({"/Automation"}, {"VORLIX_VIRTUAL_MOUSE=" + runtime.Path() + "/mouse.sock"});
    ASSERT_TRUE(app->WaitForOutput("vorlix-trace: hidden")) << app->Output();
    EXPECT_EQ(mice->TransferCount(), 0u);
    Post(msg::kCommand, msg::kShowCommandId);
    EXPECT_TRUE(WaitForTransfers(*mice, oneLoad)) << mice->TransferCount() << " of " << oneLoad;
    Post(msg::kCommand, msg::kShowCommandId);
    ASSERT_TRUE(app->WaitForOutput("show command", 10000, 2)) << app->Output();
    Post(msg::kClose, 0);
    EXPECT_EQ(app->Wait(), 0);
    server.Stop();
    EXPECT_GE(mice->TransferCount(), oneLoad);
    EXPECT_LT(mice->TransferCount(), 2 * oneLoad) << "the mouse was loaded twice";
}

TEST_F(SingleInstanceTest, RunningInstanceWithoutHandleMeansTooManyInstances) {
    auto first = Start({"/Automation"});
    ASSERT_TRUE(first->WaitForOutput("vorlix-trace: hidden"));
    CUserStore store(config.Path() + "/Vorlix Daze/store.sqlite3");
    ASSERT_EQ(store.Store().DeleteValue(store::kProcessHandle), 1);
    auto second = Start();
    EXPECT_EQ(second->Wait(), 0);
    EXPECT_NE(second->Output().find("TOO MANY INSTANCES!"), std::string::npos) << second->Output();
    EXPECT_TRUE(first->WaitForOutput("hidden"));
}

TEST_F(SingleInstanceTest, ThreeStartsAtOnceLeaveExactlyOneRunning) {
    std::vector<std::unique_ptr<ChildProcess>> apps;
    for (int i = 0; i < 3; ++i) {
        apps.push_back(Start({"/Automation"}));
    }
    int running = 0;
    for (auto& app : apps) {
        if (app->WaitForOutput("vorlix-trace: hidden", 5000)) {
            ++running;
        } else {
            EXPECT_EQ(app->Wait(), 0) << app->Output();
        }
    }
    EXPECT_EQ(running, 1);
    Post(msg::kClose, 0);
    for (auto& app : apps) {
        EXPECT_EQ(app->Wait(), 0);
    }
    EXPECT_EQ(Read(store::kProcessHandle), -1);
}

TEST_F(SingleInstanceTest, KilledInstanceLeavesNoStaleLock) {
    auto first = Start({"/Automation"});
    ASSERT_TRUE(first->WaitForOutput("vorlix-trace: hidden"));
    const int32_t stale = Read(store::kProcessHandle);
    first->Kill(SIGKILL);
    first->Wait();
    auto second = Start({"/Automation"});
    ASSERT_TRUE(second->WaitForOutput("vorlix-trace: hidden")) << second->Output();
    EXPECT_NE(Read(store::kProcessHandle), stale);
    Post(msg::kClose, 0);
    EXPECT_EQ(second->Wait(), 0);
}

}  // namespace
}  // namespace vorlix
