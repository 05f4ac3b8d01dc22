#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

// The tool on a KDE session whose configuration lives in a temporary home, with no bus and no X server.
class PointerToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv{testing::ChildProcess::BinDir() + "/vorlix-pointer"};
        argv.insert(argv.end(), args.begin(), args.end());
        testing::ChildProcess tool(argv, {"HOME=" + m_home.Path(), "XDG_CONFIG_HOME=" + m_home.Path(),
                                          "XDG_CURRENT_DESKTOP=KDE", "XDG_SESSION_TYPE=x11", "DISPLAY=",
                                          "DBUS_SESSION_BUS_ADDRESS=", "XDG_RUNTIME_DIR=" + m_home.Path()});
        const int status = tool.Wait();
        if (output != nullptr) {
            *output = tool.Output();
        }
        return status;
    }

    testing::TempDir m_home;
};

TEST_F(PointerToolTest, ApplyThenRestoreGivesTheDesktopItsOwnValuesBack) {
    std::ofstream(m_home / "kdeglobals") << "[KDE]\nDoubleClickInterval=450\nWheelScrollLines=4\n";
    EXPECT_EQ(Run({"restore"}), 1);  // nothing recorded yet

    ASSERT_EQ(Run({"apply", "15", "700", "page"}), 0);
    EXPECT_EQ(testing::ReadFileText(m_home / "kdeglobals"),
              "[KDE]\nDoubleClickInterval=700\nWheelScrollLines=10\n");
    std::string shown;
    ASSERT_EQ(Run({"show"}, &shown), 0);
    EXPECT_NE(shown.find("desktop: KDE Plasma (X11)"), std::string::npos) << shown;
    EXPECT_NE(shown.find("double-click   450 ms"), std::string::npos) << shown;

    ASSERT_EQ(Run({"restore"}), 0);
    EXPECT_EQ(testing::ReadFileText(m_home / "kdeglobals"),
              "[KDE]\nDoubleClickInterval=450\nWheelScrollLines=4\n");
    EXPECT_EQ(testing::ReadFileText(m_home / "kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=0\n");
}

TEST_F(PointerToolTest, BadArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases{
        {}, {"apply", "x", "500", "3"}, {"apply", "10"}, {"nonsense"}};
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << (args.empty() ? "" : args[0]);
    }
}

}  // namespace
}  // namespace vorlix
