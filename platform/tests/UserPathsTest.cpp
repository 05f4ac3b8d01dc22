#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/UserPaths.h"
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

}  // namespace
}  // namespace vorlix
