#include <gtest/gtest.h>

#include <functional>

#include "platform/MouseLock.h"
#include "shared/FakeClock.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

constexpr const char* kMouse = "/dev/hidraw3";

// A fake clock that runs an action at the first pause, as another process would while we wait.
class ActingClock final : public IClock {
public:
    uint64_t NowMs() override { return clock.NowMs(); }
    void SleepMs(uint32_t ms) override {
        clock.SleepMs(ms);
        if (action) {
            std::function<void()> run = std::move(action);
            action = nullptr;
            run();
        }
    }
    CFakeClock clock;
    std::function<void()> action;
};

TEST(MouseLockTest, OneHolderPerMouseAndTheOtherWaitsItsBoundOnly) {
    testing::TempDir dir;
    CFakeClock clock;
    CMouseLock first(clock);
    CMouseLock second(clock);
    ASSERT_EQ(first.Acquire(dir.Path(), kMouse, 0), CMouseLock::Result::Acquired);
    EXPECT_TRUE(CMouseLock::IsHeldByAnyone(dir.Path(), kMouse));
    EXPECT_EQ(first.Acquire(dir.Path(), kMouse, 0), CMouseLock::Result::Acquired);

    EXPECT_EQ(second.Acquire(dir.Path(), kMouse, 1000), CMouseLock::Result::Busy);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(clock.TotalSleptMs(), 1000u);
    for (const uint32_t pause : clock.Sleeps()) {
        EXPECT_LE(pause, CMouseLock::kRetryMs);
    }
    clock.ClearSleeps();
    EXPECT_EQ(second.Acquire(dir.Path(), kMouse, 0), CMouseLock::Result::Busy);
    EXPECT_TRUE(clock.Sleeps().empty());

    // Another mouse has its own lock.
    EXPECT_EQ(second.Acquire(dir.Path(), "/dev/hidraw4", 0), CMouseLock::Result::Acquired);
    EXPECT_NE(CMouseLock::LockPath(dir.Path(), kMouse), CMouseLock::LockPath(dir.Path(), "/dev/hidraw4"));

    first.Release();
    EXPECT_FALSE(CMouseLock::IsHeldByAnyone(dir.Path(), kMouse));
    EXPECT_EQ(second.Acquire(dir.Path(), kMouse, 0), CMouseLock::Result::Acquired);
    EXPECT_EQ(second.DevicePath(), kMouse);
}

TEST(MouseLockTest, AWaiterGetsTheLockWhenTheHolderLetsGo) {
    testing::TempDir dir;
    ActingClock clock;
    CMouseLock holder(clock);
    CMouseLock waiter(clock);
    ASSERT_EQ(holder.Acquire(dir.Path(), kMouse, 0), CMouseLock::Result::Acquired);
    clock.action = [&] { holder.Release(); };
    EXPECT_EQ(waiter.Acquire(dir.Path(), kMouse, 30000), CMouseLock::Result::Acquired);
    EXPECT_EQ(clock.clock.TotalSleptMs(), CMouseLock::kRetryMs);
}

TEST(MouseLockTest, AnUnusableRuntimeFolderIsAnError) {
    CFakeClock clock;
    CMouseLock lock(clock);
    std::string error;
    EXPECT_EQ(lock.Acquire("/nonexistent/folder", kMouse, 1000, &error), CMouseLock::Result::Error);
    EXPECT_NE(error.find("cannot open the lock file"), std::string::npos) << error;
    EXPECT_TRUE(clock.Sleeps().empty());
}

}  // namespace
}  // namespace vorlix
