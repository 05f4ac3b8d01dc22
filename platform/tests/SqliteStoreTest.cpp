#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/SqliteStoreBackend.h"
#include "shared/RegStore.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

class SqliteStoreTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    std::string path = dir / "config/Vorlix Daze/store.sqlite3";
    CSqliteStoreBackend backend{path};
    CRegStore store{backend};
};

TEST_F(SqliteStoreTest, FreshAccountAndRoundTripsAcrossConnections) {
    EXPECT_EQ(store.ReadDword("Process Handle"), 0);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::others_all,
              std::filesystem::perms::none);
    ASSERT_EQ(store.WriteDword("Process Handle", 0xDEADBEEF), 1);
    ASSERT_EQ(store.WriteText("Path", u"/opt/vorlix daze ✓"), 1);

    CSqliteStoreBackend other(path);
    CRegStore second(other);
    EXPECT_EQ(static_cast<uint32_t>(second.ReadDword("process handle")), 0xDEADBEEFu);
    std::u16string text;
    ASSERT_EQ(second.ReadText("PATH", text), 1);
    EXPECT_EQ(text, u"/opt/vorlix daze ✓");
    EXPECT_EQ(second.ReadDword("Path"), -1);  // a text longer than 4 bytes
    EXPECT_EQ(second.DeleteValue("Path"), 1);
    EXPECT_EQ(store.ReadText("Path", text), 0);
}

TEST_F(SqliteStoreTest, AnEmptyTextReplacesTheOldValue) {
    ASSERT_EQ(store.WriteText("Path", u"/opt/old"), 1);
    ASSERT_EQ(store.WriteText("Path", u""), 1) << store.LastErrorText();
    std::u16string text = u"unchanged";
    ASSERT_EQ(store.ReadText("Path", text), 1);
    EXPECT_EQ(text, u"");
}

TEST_F(SqliteStoreTest, FileThatIsNotADatabaseIsNeverOverwritten) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const std::string junk(5000, 'j');
    std::ofstream(path) << junk;
    std::u16string text;
    EXPECT_EQ(store.ReadDword("Process Handle"), -1);
    EXPECT_EQ(store.WriteDword("Process Handle", 5), 0);
    EXPECT_EQ(store.WriteText("Path", u"x"), 0);
    EXPECT_EQ(store.ReadText("Path", text), 0);
    EXPECT_EQ(store.DeleteValue("Path"), 0);
    EXPECT_NE(store.LastErrorText().find("not a database"), std::string::npos) << store.LastErrorText();
    std::ifstream in(path);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, junk);
}

TEST_F(SqliteStoreTest, ConfigFolderUnderARegularFileFailsCleanly) {
    std::ofstream(dir / "blocker") << "x";
    CSqliteStoreBackend blocked(dir / "blocker/Vorlix Daze/store.sqlite3");
    CRegStore blockedStore(blocked);
    EXPECT_EQ(blockedStore.ReadDword("Process Handle"), 0);
    EXPECT_EQ(blockedStore.WriteDword("Process Handle", 1), 0);
    EXPECT_EQ(blockedStore.WriteText("Path", u"x"), 0);
    EXPECT_NE(blockedStore.LastErrorText().find("cannot create the folder"), std::string::npos);
}

TEST_F(SqliteStoreTest, ConcurrentWritersInSeveralProcessesLoseNothing) {
    ASSERT_EQ(store.WriteDword("seed", 1), 1);
    constexpr int kProcesses = 3;
    constexpr int kValues = 150;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            CSqliteStoreBackend own(path);
            CRegStore child(own);
            int failures = 0;
            for (int i = 0; i < kValues; ++i) {
                const std::string name = "P" + std::to_string(p) + " V" + std::to_string(i);
                failures += child.WriteDword(name, static_cast<uint32_t>(i * 7 + p)) == 1 ? 0 : 1;
                failures += child.ReadDword(name) == i * 7 + p ? 0 : 1;
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kValues; i += 37) {
            EXPECT_EQ(store.ReadDword("P" + std::to_string(p) + " V" + std::to_string(i)), i * 7 + p);
        }
    }
}

}  // namespace
}  // namespace vorlix
