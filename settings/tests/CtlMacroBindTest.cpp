#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/InstanceLock.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// vorlixctl macro bind, export and import against vorlix-virtual-mouse processes; every run has its own
// home (with its macro library), config and runtime folders.
class CtlMacroBindTest : public ::testing::Test {
protected:
    std::string StartMouse(const std::string& name) {
        const std::string socket = temp / (name + ".sock");
        auto mouse = std::make_unique<ChildProcess>(std::vector<std::string>{
            ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket, "serve"});
        EXPECT_TRUE(mouse->WaitForOutput("serving")) << mouse->Output();
        mice.push_back(std::move(mouse));
        return socket;
    }
    // Runs vorlixctl as the user of home, in the locale given.
    int Ctl(const std::string& home, const std::string& socket, const std::vector<std::string>& args,
            std::string* output = nullptr, const std::string& locale = "C") {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(
            argv, {"VORLIX_VIRTUAL_MOUSE=" + socket, "HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                   "XDG_RUNTIME_DIR=" + home, "LC_ALL=" + locale});
        const int status = child.Wait(60000);
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    int Peek(const std::string& socket, unsigned address) {
        ChildProcess child({ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket, "peek",
                            std::to_string(address)});
        EXPECT_EQ(child.Wait(), 0);
        return std::stoi(child.Output());
    }
    // A macro file: 'A' press with 100 ms, release, and "Copy".
    std::string WriteMacroFile(const std::string& name) {
        const std::string code("\x04\x01\x64\x00\x84\x83\x82\x70\x06\x86\xF0", 11);
        std::string file("\x46\x22\xA1\x3B\x00\x01\x01\x00\x00", 9);
        std::string header(48, '\0');
        header[0] = 5;
        header[2] = 1;
        header[3] = 11;
        const std::string path = temp / name;
        std::ofstream(path, std::ios::binary) << file + header + code;
        return path;
    }
    // A user's home folder, which also serves as the runtime folder.
    std::string Home(const std::string& name) {
        const std::string home = temp / name;
        std::filesystem::create_directories(home);
        return home;
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    testing::TempDir temp;
    std::vector<std::unique_ptr<ChildProcess>> mice;
};

TEST_F(CtlMacroBindTest, BindWritesScriptSlotAndStoreValues) {
    const std::string mouse = StartMouse("a");
    const std::string home = Home("home");
    std::string out;
    ASSERT_EQ(Ctl(home, mouse, {"macro", "import", WriteMacroFile("Burst.MAC")}, &out), 0) << out;

    EXPECT_EQ(Ctl(home, mouse, {"macro", "bind", "2", "3", "burst", "--loops", "3"}, &out), 0) << out;
    EXPECT_TRUE(mice[0]->WaitForOutput("stored script 21")) << mice[0]->Output();
    EXPECT_EQ(Peek(mouse, 512 + 54 + 10), 6);
    EXPECT_EQ(Ctl(home, mouse, {"store", "get", "PF1T3 Macro Name"}, &out), 0);
    EXPECT_EQ(out, "Burst\n");
    EXPECT_EQ(Ctl(home, mouse, {"store", "get", "PF1T3 Macro Mode"}, &out), 0);
    EXPECT_EQ(out, std::to_string(4 | 2 << 8) + "\n");
    EXPECT_EQ(Ctl(home, mouse, {"macro", "bind", "1", "8", "Burst", "--until-next"}, &out), 0) << out;
    EXPECT_EQ(Ctl(home, mouse, {"store", "get", "PF0T8 Macro Mode"}, &out), 0);
    EXPECT_EQ(out, std::to_string(4 | 255 << 8) + "\n");
    EXPECT_EQ(Ctl(home, mouse, {"dump"}, &out), 0);
    EXPECT_TRUE(Has(out, "button 3    MACRO KEY \"Burst\"")) << out;

    // Refusals: a missing macro, bad usage, VorlixDaze running.
    EXPECT_EQ(Ctl(home, mouse, {"macro", "bind", "2", "4", "Gone"}, &out), 1);
    EXPECT_EQ(out, "vorlixctl: FAILURE: Can't find the file path: Gone\n");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"2", "9", "Burst"},
                                                {"6", "1", "Burst"},
                                                {"2", "3", "Burst", "--once", "0"},
                                                {"2", "3", "Burst", "--once", "1", "--hold", "2"},
                                                {"2", "3"},
                                                {"2", "3", "Burst", "--loops"}}) {
        std::vector<std::string> args{"macro", "bind"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Ctl(home, mouse, args, &out), 2) << out;
    }
    std::string error;
    CInstanceLock lock;
    ASSERT_EQ(lock.Acquire(home + "/vorlix-daze", "Qz vIVEDUD VORLIX DAZE", &error),
              CInstanceLock::Result::Acquired)
        << error;
    EXPECT_EQ(Ctl(home, mouse, {"macro", "bind", "2", "4", "Burst"}, &out), 1);
    EXPECT_TRUE(Has(out, "VorlixDaze is running")) << out;
    EXPECT_EQ(Peek(mouse, 512 + 54 + 15), 1);
}

TEST_F(CtlMacroBindTest, ExportCarriesTheMacroIntoAnotherLibraryAndMouse) {
    const std::string first = StartMouse("first");
    const std::string second = StartMouse("second");
    const std::string home = Home("one");
    const std::string other = Home("two");
    std::string out;
    ASSERT_EQ(Ctl(home, first, {"macro", "import", WriteMacroFile("Burst.MAC")}, &out), 0) << out;
    ASSERT_EQ(Ctl(home, first, {"macro", "bind", "5", "2", "Burst", "--hold", "4"}, &out), 0) << out;
    const std::string file = temp / "settings.txt";
    ASSERT_EQ(Ctl(home, first, {"export", file}, &out), 0) << out;

    ASSERT_EQ(Ctl(other, second, {"import", file}, &out), 0) << out;
    EXPECT_TRUE(mice[1]->WaitForOutput("stored script 77")) << mice[1]->Output();
    EXPECT_EQ(Peek(second, 1280 + 54 + 5), 6);
    EXPECT_EQ(Ctl(other, second, {"macro", "show", "Burst"}, &out), 0);
    EXPECT_EQ(out, "1\t'A'\t100ms\n2\t'A'\t0ms\n3\tCopy\t0ms\n");
    EXPECT_EQ(Ctl(other, second, {"store", "get", "PF4T2 Macro Mode"}, &out), 0);
    EXPECT_EQ(out, std::to_string(7 | 3 << 8) + "\n");

    // Without the macro file the export names the button.
    ASSERT_EQ(Ctl(home, first, {"macro", "delete", "Burst"}), 0);
    EXPECT_EQ(Ctl(home, first, {"export", "-"}, &out), 1);
    EXPECT_TRUE(Has(out, "profile 5 button 2 runs the macro \"Burst\", but its macro file is missing"))
        << out;
}

TEST_F(CtlMacroBindTest, TextsComeFromTheUsersLanguage) {
    const std::string home = Home("home");
    std::string out;
    EXPECT_EQ(Ctl(home, "", {"macro", "new", "a/b"}, &out, "de_DE.UTF-8"), 1);
    EXPECT_TRUE(Has(out, "vorlixctl: FEHLER: Dateipfad nicht gefunden: a/b")) << out;
    EXPECT_EQ(Ctl(home, "", {"macro", "decode", "83 82 70 06 86 F0 01 D0 07"}, &out, "de_DE.UTF-8"), 0);
    EXPECT_EQ(out, "1\tKopieren\t2.0Sek.\n");
    EXPECT_EQ(Ctl(home, "", {"macro", "decode", "83 82 70 06 86 F0 01 D0 07"}, &out), 0);
    EXPECT_EQ(out, "1\tCopy\t2.0sec\n");
}

}  // namespace
}  // namespace vorlix
