#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/pointer/KdeConfigFile.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(KdeConfigFileTest, SetChangesOnlyTheOneKey) {
    const struct {
        const char* name;
        const char* before;
        const char* group;
        const char* key;
        bool accepted;
        const char* after;
    } cases[] = {
        {"new file", "", "Mouse", "Accel", true, "[Mouse]\nAccel=0.5\n"},
        {"replaces in place", "# mine\n[Mouse]\nA=1\nAccel=0\nB=2\n", "Mouse", "Accel", true,
         "# mine\n[Mouse]\nA=1\nAccel=0.5\nB=2\n"},
        {"adds at the group's end", "[Mouse]\nA=1\n\n[KDE]\nB=2\n", "Mouse", "Accel", true,
         "[Mouse]\nA=1\nAccel=0.5\n\n[KDE]\nB=2\n"},
        {"adds the group", "[KDE]\nB=2\n", "Mouse", "Accel", true, "[KDE]\nB=2\n\n[Mouse]\nAccel=0.5\n"},
        {"same key in another group untouched", "[KDE]\nAccel=9\n[Mouse]\nAccel=1\n", "Mouse", "Accel", true,
         "[KDE]\nAccel=9\n[Mouse]\nAccel=0.5\n"},
        {"nested group is another group", "[Libinput][1][2][Mouse]\nAccel=1\n", "Mouse", "Accel", true,
         "[Libinput][1][2][Mouse]\nAccel=1\n\n[Mouse]\nAccel=0.5\n"},
        {"immutable key", "[Mouse]\nAccel[$i]=1\n", "Mouse", "Accel", false, "[Mouse]\nAccel[$i]=1\n"},
        {"immutable group", "[Mouse][$i]\nAccel=1\n", "Mouse", "Accel", false, "[Mouse][$i]\nAccel=1\n"},
        {"immutable file", "[$i]\n[Mouse]\nAccel=1\n", "Mouse", "Accel", false, "[$i]\n[Mouse]\nAccel=1\n"},
    };
    for (const auto& c : cases) {
        testing::TempDir dir;
        const std::string path = dir / "kcminputrc";
        if (*c.before != '\0') {
            WriteAll(path, c.before);
        }
        CKdeConfigFile file(path);
        ASSERT_TRUE(file.Load()) << c.name;
        EXPECT_EQ(file.Set(c.group, c.key, "0.5"), c.accepted) << c.name;
        file.Save();
        EXPECT_EQ(testing::ReadFileText(path), c.after) << c.name;
    }
}

TEST(KdeConfigFileTest, GetReadsTheGroupsValue) {
    testing::TempDir dir;
    WriteAll(dir / "kdeglobals", "[General]\nDoubleClickInterval=1\n[KDE]\n DoubleClickInterval = 700 \n");
    CKdeConfigFile file(dir / "kdeglobals");
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.Get("KDE", "DoubleClickInterval"), "700");
    EXPECT_EQ(file.Get("KDE", "WheelScrollLines"), std::nullopt);
    EXPECT_EQ(file.Get("Missing", "DoubleClickInterval"), std::nullopt);
}

TEST(KdeConfigFileTest, ReadOnlyFileIsLeftAloneAndModeIsKept) {
    testing::TempDir dir;
    const std::string locked = dir / "locked";
    WriteAll(locked, "[Mouse]\nAccel=1\n");
    chmod(locked.c_str(), 0444);
    CKdeConfigFile file(locked);
    ASSERT_TRUE(file.Load());
    ASSERT_TRUE(file.Set("Mouse", "Accel", "0"));
    EXPECT_EQ(file.Save(), CKdeConfigFile::SaveResult::ReadOnly);
    EXPECT_EQ(testing::ReadFileText(locked), "[Mouse]\nAccel=1\n");

    const std::string shared = dir / "shared";
    WriteAll(shared, "[Mouse]\n");
    chmod(shared.c_str(), 0640);
    CKdeConfigFile other(shared);
    ASSERT_TRUE(other.Load());
    ASSERT_TRUE(other.Set("Mouse", "Accel", "0"));
    EXPECT_EQ(other.Save(), CKdeConfigFile::SaveResult::Saved);
    struct stat info {};
    ASSERT_EQ(stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Nothing changed: nothing written.
    EXPECT_EQ(other.Save(), CKdeConfigFile::SaveResult::Unchanged);
}

}  // namespace
}  // namespace vorlix
