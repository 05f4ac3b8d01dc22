#include <gtest/gtest.h>

#include "shared/ProgramInfo.h"
#include "tests/support/ChildProcess.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// Runs a built program with one argument and no display at all: a program that opened a window or
// made its application object before answering would fail here instead of answering.
int RunWithoutDisplay(const std::string& program, const std::string& arg, std::string& output) {
    ChildProcess child({ChildProcess::BinDir() + "/" + program, arg},
                       {"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="});
    const int status = child.Wait();
    output = child.Output();
    return status;
}

TEST(ProgramOptionsTest, EveryProgramAnswersHelpAndVersionAndEnds) {
    std::vector<std::string> programs{"vorlixctl", "vorlix-virtual-mouse", "langgen"};
#if VORLIX_GUI
    programs.insert(programs.end(), {"vorlix-skin-viewer", "vorlix-artgen", "VorlixDaze", "VorlixMonitor"});
#endif
    for (const std::string& program : programs) {
        std::string output;
        EXPECT_EQ(RunWithoutDisplay(program, "--version", output), 0) << program << ": " << output;
        EXPECT_EQ(output, CProgramInfo::VersionLine(program) + "\n");
        EXPECT_EQ(RunWithoutDisplay(program, "--help", output), 0) << program << ": " << output;
        EXPECT_EQ(output.rfind("usage: " + program + " ", 0), 0u) << output;
    }
}

}  // namespace
}  // namespace vorlix
