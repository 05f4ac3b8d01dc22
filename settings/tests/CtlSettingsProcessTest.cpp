#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "platform/InstanceLock.h"
#include "platform/UserPaths.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// vorlixctl against vorlix-virtual-mouse processes, with the test's own config and runtime folders.
class CtlSettingsProcessTest : public ::testing::Test {
protected:
    // Starts a virtual mouse keeping its memory in a state file; returns its socket.
    std::string StartMouse(const std::string& name, const std::string& count = "1") {
        const std::string socket = temp / (name + ".sock");
        auto mouse = std::make_unique<ChildProcess>(
            std::vector<std::string>{ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket,
                                     "serve", "--state", temp / (name + ".state"), "--mice", count});
        EXPECT_TRUE(mouse->WaitForOutput("serving")) << mouse->Output();
        mice.push_back(std::move(mouse));
        return socket;
    }
    // Stops every mouse so its state file holds its final memory.
    void StopMice() {
        for (auto& mouse : mice) {
            mouse->Kill(SIGTERM);
            mouse->Wait();
        }
    }
    std::vector<uint8_t> State(const std::string& name) const {
        std::ifstream in(temp / (name + ".state"), std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    int Ctl(const std::string& socket, const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(argv, {"VORLIX_VIRTUAL_MOUSE=" + socket, "XDG_CONFIG_HOME=" + temp.Path(),
                                  "XDG_RUNTIME_DIR=" + temp.Path(), "HOME=" + temp.Path(), "LC_ALL=C"});
        const int status = child.Wait(60000);
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    int Peek(const std::string& socket, unsigned address, int mouse = 0) {
        ChildProcess child({ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket, "peek",
                            std::to_string(address), "--mouse", std::to_string(mouse)});
        EXPECT_EQ(child.Wait(), 0);
        return std::stoi(child.Output());
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    testing::TempDir temp;
    std::vector<std::unique_ptr<ChildProcess>> mice;
};

TEST_F(CtlSettingsProcessTest, ChangesGoThroughTheSessionRules) {
    const std::string mouse = StartMouse("a");
    std::string out;
    EXPECT_EQ(Ctl(mouse, {"dpi", "2", "1", "825"}, &out), 0) << out;
    EXPECT_EQ(Peek(mouse, 512 + 3), 16);
    EXPECT_EQ(Peek(mouse, 512 + 4), 16);
    EXPECT_EQ(Ctl(mouse, {"dpi", "2", "4", "9000"}, &out), 0) << out;
    EXPECT_EQ(Peek(mouse, 512 + 18), 164);
    EXPECT_EQ(Ctl(mouse, {"rate", "3", "125"}), 0);
    EXPECT_EQ(Peek(mouse, 768) & 0x0F, 8);
    EXPECT_EQ(Peek(mouse, 25), 0x50);  // a change never moves the active profile

    // The only left click stays, and nothing is written.
    EXPECT_EQ(Ctl(mouse, {"button", "1", "1", "RIGHT BUTTON"}, &out), 1);
    EXPECT_TRUE(Has(out, "No L-Button!")) << out;
    EXPECT_EQ(Peek(mouse, 256 + 55), 1);
    EXPECT_EQ(Ctl(mouse, {"button", "1", "2", "click"}), 0);
    EXPECT_EQ(Ctl(mouse, {"button", "1", "1", "right", "button"}, &out), 0) << out;
    EXPECT_EQ(Peek(mouse, 256 + 55), 2);
    EXPECT_EQ(Ctl(mouse, {"button", "1", "3", "MACRO KEY"}, &out), 2);
    EXPECT_TRUE(Has(out, "vorlixctl macro bind 1 3 NAME")) << out;
    EXPECT_EQ(Ctl(mouse, {"button", "2", "4", "Launch", "--program", "/opt/tools/run-me.sh"}, &out), 0)
        << out;
    EXPECT_EQ(Ctl(mouse, {"store", "get", "PF1T4 AP Name"}, &out), 0);
    EXPECT_EQ(out, "run-me\n");
    EXPECT_EQ(Ctl(mouse, {"profile", "3"}), 0);
    EXPECT_EQ(Peek(mouse, 25), 0x52);
    EXPECT_EQ(Ctl(mouse, {"profile", "6"}, &out), 2);

    EXPECT_EQ(Ctl(mouse, {"dump", "--json"}, &out), 0) << out;
    EXPECT_TRUE(Has(out, "\"active_profile\": 3")) << out;
    EXPECT_TRUE(Has(out, "{\"level\": 1, \"x\": 16, \"y\": 16, \"dpi\": 800}")) << out;
    EXPECT_TRUE(Has(out,
                    "\"function\": \"LAUNCH\", \"kind\": 15, \"macro_name\": null, "
                    "\"program\": \"/opt/tools/run-me.sh\", \"program_name\": \"run-me\""))
        << out;
    EXPECT_EQ(Ctl(mouse, {"reset", "2"}), 0);
    EXPECT_EQ(Peek(mouse, 512 + 3), 4);

    // While the configuration program runs, changes are refused.
    std::string error;
    CInstanceLock lock;
    ASSERT_EQ(lock.Acquire(temp / "vorlix-daze", "Qz vIVEDUD VORLIX DAZE", &error),
              CInstanceLock::Result::Acquired)
        << error;
    EXPECT_EQ(Ctl(mouse, {"liftoff", "1", "5"}, &out), 1);
    EXPECT_TRUE(Has(out, "VorlixDaze is running")) << out;
    EXPECT_EQ(Peek(mouse, 256 + 1), 0x26);
    EXPECT_EQ(Ctl(mouse, {"dump"}, &out), 0) << out;
}

TEST_F(CtlSettingsProcessTest, SeveralMiceNeedTheChoiceOfOne) {
    const std::string pair = StartMouse("pair", "2");
    std::string out;
    EXPECT_EQ(Ctl(pair, {"liftoff", "1", "9"}, &out), 1);
    EXPECT_TRUE(Has(out, "--mouse 1\t2401: Vorlix Daze Gaming Mouse")) << out;
    // Mice are numbered from 1, as list shows them.
    EXPECT_EQ(Ctl(pair, {"liftoff", "1", "9", "--mouse", "2"}, &out), 0) << out;
    EXPECT_EQ(Peek(pair, 257, 1), 0x29);
    EXPECT_EQ(Peek(pair, 257, 0), 0x26);
}

TEST_F(CtlSettingsProcessTest, ExportImportedIntoAnotherMouseIsByteIdentical) {
    const std::string first = StartMouse("first");
    const std::string second = StartMouse("second");
    ASSERT_EQ(Ctl(first, {"led", "4", "2", "1", "2", "3"}), 0);
    ASSERT_EQ(Ctl(first, {"liftoff", "5", "30"}), 0);
    ASSERT_EQ(Ctl(first, {"profile", "2"}), 0);
    ASSERT_EQ(Ctl(first, {"button", "1", "8", "launch", "--program", "/usr/bin/x y"}), 0);
    const std::string file = temp / "settings.txt";
    std::string out;
    ASSERT_EQ(Ctl(first, {"export", file}, &out), 0) << out;

    // A damaged file is refused, naming the line, before anything is written.
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string damaged = text;
    damaged.replace(damaged.find("block 020 "), 12, "block 020 1g");
    std::ofstream(temp / "damaged.txt") << damaged;
    EXPECT_EQ(Ctl(second, {"import", temp / "damaged.txt"}, &out), 1);
    EXPECT_TRUE(Has(out, "line 10: \"1g\" is not a byte")) << out;
    std::string otherFamily = text;
    otherFamily.replace(otherFamily.find("family 0x2401"), 13, "family 0x2901");
    std::ofstream(temp / "other.txt") << otherFamily;
    EXPECT_EQ(Ctl(second, {"import", temp / "other.txt"}, &out), 1);
    EXPECT_TRUE(Has(out, "line 3: family 0x2901")) << out;

    ASSERT_EQ(Ctl(second, {"import", file}, &out), 0) << out;
    StopMice();
    const std::vector<uint8_t> a = State("first");
    const std::vector<uint8_t> b = State("second");
    ASSERT_EQ(a.size(), 4032u);
    ASSERT_EQ(b.size(), 4032u);
    EXPECT_EQ(a[25], 0x51);
    EXPECT_EQ(b[25], a[25]);
    for (unsigned p = 0; p < 5; ++p) {
        const unsigned base = 256 * (p + 1);
        EXPECT_TRUE(std::equal(a.begin() + base, a.begin() + base + 149, b.begin() + base))
            << "profile " << p;
    }
    EXPECT_EQ(a[1280 + 1], 0x20 | 30);
}

}  // namespace
}  // namespace vorlix
