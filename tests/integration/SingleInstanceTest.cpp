#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include "platform/DatagramPoster.h"
#include "platform/UserStore.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

class SingleInstanceTest : public ::testing::Test {
protected:
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args = {}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/VorlixDaze"};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<ChildProcess>(
            argv,
            std::vector<std::string>{"XDG_CONFIG_HOME=" + config.Path(), "XDG_RUNTIME_DIR=" + runtime.Path(),
                                     "HOME=" + config.Path(), "QT_QPA_PLATFORM=offscreen", "VORLIX_TRACE=1"});
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

TEST_F(SingleInstanceTest, HiddenStartWaitsForShowAndLoadsOnce) {
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
