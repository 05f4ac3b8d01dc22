#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

TEST(UserPathsTest, ConfigFolderFollowsXdgWithHomeFallback) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    {
        ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(CUserPaths::ConfigDir(), home.Path() + "/.config/Vorlix Daze");
    }
    ScopedEnv set("XDG_CONFIG_HOME", "/etc/xdg-of-user");
    EXPECT_EQ(CUserPaths::StoreFile(), "/etc/xdg-of-user/Vorlix Daze/store.sqlite3");
}

TEST(UserPathsTest, RuntimeFolderIsPrivateAndFallsBackWhenUnset) {
    TempDir runtime;
    {
        ScopedEnv set("XDG_RUNTIME_DIR", runtime.Path().c_str());
        const std::string dir = CUserPaths::RuntimeDir();
        EXPECT_EQ(dir, runtime.Path() + "/vorlix-daze");
        struct stat info {};
        ASSERT_EQ(stat(dir.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    ScopedEnv unset("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(CUserPaths::RuntimeDir(), "/tmp/vorlix-daze-" + std::to_string(getuid()));
    ScopedEnv missing("XDG_RUNTIME_DIR", "/nonexistent/run/user");
    EXPECT_EQ(CUserPaths::RuntimeDir(), "/tmp/vorlix-daze-" + std::to_string(getuid()));
}

TEST(UserPathsTest, PrivateFolderCheckRefusesLinksAndOpenFolders) {
    TempDir dir;
    std::string error;
    ASSERT_EQ(mkdir((dir / "open").c_str(), 0777), 0);
    chmod((dir / "open").c_str(), 0777);
    EXPECT_FALSE(CUserPaths::EnsurePrivateDir(dir / "open", &error));
    EXPECT_NE(error.find("open to other users"), std::string::npos);
    ASSERT_EQ(mkdir((dir / "real").c_str(), 0700), 0);
    ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
    EXPECT_FALSE(CUserPaths::EnsurePrivateDir(dir / "link", &error));
    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(CUserPaths::EnsurePrivateDir(dir / "file", &error));
    EXPECT_TRUE(CUserPaths::EnsurePrivateDir(dir / "fresh", &error));
}

TEST(UserPathsTest, DocumentsFolderFromUserDirs) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(CUserPaths::DocumentsDir(), home.Path() + "/Documents");
    std::filesystem::create_directories(home / ".config");
    std::ofstream(home / ".config/user-dirs.dirs") << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(CUserPaths::DocumentsDir(), home.Path() + "/Dokumente");
}

// Problems the programs carry on after reach the user once per process, through the platform layer.
class PlatformReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUserPaths::SetReportSink([this](const std::string& line) { lines.push_back(line); });
    }
    void TearDown() override { CUserPaths::SetReportSink({}); }
    std::vector<std::string> lines;
};

TEST_F(PlatformReportTest, UnusableRuntimeFolderIsReportedOnceBeforeTheFallback) {
    TempDir base;
    const std::string file = base.Path() + "/not-a-folder";
    std::ofstream(file) << "x";
    const std::string fallback = "/tmp/vorlix-daze-" + std::to_string(getuid());
    struct Case {
        const char* what;
        std::string value;
        const char* reason;
    };
    const Case cases[] = {
        {"a file", file, "is not a folder"},
        {"a missing path", base.Path() + "/gone", "cannot inspect"},
        {"a relative path", "run/user", "not an absolute path"},
    };
    for (const Case& c : cases) {
        CUserPaths::SetReportSink([this](const std::string& line) { lines.push_back(line); });
        lines.clear();
        ScopedEnv env("XDG_RUNTIME_DIR", c.value.c_str());
        EXPECT_EQ(CUserPaths::RuntimeDir(), fallback) << c.what;
        EXPECT_EQ(CUserPaths::RuntimeDir(), fallback) << c.what;
        ASSERT_EQ(lines.size(), 1u) << c.what;
        EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(fallback), std::string::npos) << lines[0];
    }
    // A usable folder, or no variable at all, is nothing to report.
    CUserPaths::SetReportSink([this](const std::string& line) { lines.push_back(line); });
    lines.clear();
    {
        ScopedEnv env("XDG_RUNTIME_DIR", base.Path().c_str());
        EXPECT_EQ(CUserPaths::RuntimeDir(), base.Path() + "/vorlix-daze");
    }
    ScopedEnv unset("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(CUserPaths::RuntimeDir(), fallback);
    EXPECT_TRUE(lines.empty()) << lines[0];
}

TEST_F(PlatformReportTest, DamagedStoreIsReportedOnceAndKept) {
    TempDir dir;
    const std::string path = dir.Path() + "/store.sqlite3";
    std::ofstream(path) << std::string(4096, 'z');
    {
        ScopedEnv trace("VORLIX_TRACE", "1");
        CUserStore user(path);
        EXPECT_EQ(user.Store().ReadDword("Process Handle"), -1);
        EXPECT_EQ(user.Store().WriteDword("Process Handle", 5), 0);
        CUserStore again(path);
        EXPECT_EQ(again.Store().ReadDword("OSD Handle"), -1);
    }
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
    EXPECT_NE(lines[0].find("the store " + path + " cannot be used"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("not a database"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "vorlix-trace: store unusable");
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(in.tellg(), 4096);

    // A healthy store, created or reused, reports nothing.
    lines.clear();
    CUserPaths::SetReportSink([this](const std::string& line) { lines.push_back(line); });
    CUserStore fresh(dir.Path() + "/fresh/store.sqlite3");
    EXPECT_EQ(fresh.Store().WriteDword("A", 1), 1);
    EXPECT_EQ(fresh.Store().ReadDword("A"), 1);
    EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace vorlix
