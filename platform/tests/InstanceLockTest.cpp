#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/InstanceLock.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

constexpr const char* kName = "Qz vIVEDUD VORLIX DAZE";

TEST(InstanceLockTest, OneHolderAtATime) {
    testing::TempDir dir;
    CInstanceLock first;
    CInstanceLock second;
    EXPECT_FALSE(CInstanceLock::IsHeldByAnyone(dir.Path(), kName));
    ASSERT_EQ(first.Acquire(dir.Path(), kName), CInstanceLock::Result::Acquired);
    EXPECT_TRUE(CInstanceLock::IsHeldByAnyone(dir.Path(), kName));
    EXPECT_EQ(second.Acquire(dir.Path(), kName), CInstanceLock::Result::HeldElsewhere);
    EXPECT_EQ(second.Acquire(dir.Path(), "VORLIX DAZE Monitor"), CInstanceLock::Result::Acquired);
    first.Release();
    EXPECT_EQ(second.Acquire(dir.Path(), kName), CInstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, KilledHolderLeavesNoStaleLock) {
    testing::TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        CInstanceLock lock;
        const bool ok = lock.Acquire(dir.Path(), kName) == CInstanceLock::Result::Acquired;
        (void)!write(ready[1], ok ? "1" : "0", 1);
        pause();
        _exit(0);
    }
    char flag = 0;
    ASSERT_EQ(read(ready[0], &flag, 1), 1);
    ASSERT_EQ(flag, '1');
    CInstanceLock mine;
    EXPECT_EQ(mine.Acquire(dir.Path(), kName), CInstanceLock::Result::HeldElsewhere);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_EQ(mine.Acquire(dir.Path(), kName), CInstanceLock::Result::Acquired);
    close(ready[0]);
    close(ready[1]);
}

TEST(InstanceLockTest, MissingFolderIsAClearError) {
    CInstanceLock lock;
    std::string error;
    EXPECT_EQ(lock.Acquire("/nonexistent/vorlix", kName, &error), CInstanceLock::Result::Error);
    EXPECT_NE(error.find("/nonexistent/vorlix"), std::string::npos);
}

}  // namespace
}  // namespace vorlix
