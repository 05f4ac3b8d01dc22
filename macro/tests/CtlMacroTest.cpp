#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

class CtlMacroTest : public ::testing::Test {
protected:
    // Runs vorlixctl macro with the test's own home folder; returns the exit status.
    int Ctl(const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl", "macro"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(
            argv, {"HOME=" + home.Path(), "XDG_CONFIG_HOME=" + home.Path() + "/.config", "LC_ALL=C"});
        const int status = child.Wait();
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    std::string Library() const { return home.Path() + "/Documents/VORLIX DAZE"; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    testing::TempDir home;
};

TEST_F(CtlMacroTest, DecodeTakesBytesInAnyGrouping) {
    const std::string expected = "1\t'A'\t100ms\n2\t'A'\t0ms\n";
    std::string out;
    EXPECT_EQ(Ctl({"decode", "04", "01", "64", "00", "84"}, &out), 0);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(Ctl({"decode", "0x04,0x01 0x64, 0x00,0x84"}, &out), 0);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(Ctl({"decode", "0401640084"}, &out), 0);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(Ctl({"decode", "04", "0x4"}, &out), 2);
    EXPECT_NE(out.find("odd number"), std::string::npos);
    EXPECT_EQ(Ctl({"decode", "0g"}), 2);
    EXPECT_EQ(Ctl({"decode"}), 2);
}

TEST_F(CtlMacroTest, LibraryRoundTrip) {
    std::string out;
    EXPECT_EQ(Ctl({"new", "Fire"}), 0);
    EXPECT_EQ(Read(Library() + "/Fire.Mac"), std::string("\x46\x22\xA1\0\0\x01\x01\0\0", 9));
    EXPECT_EQ(Ctl({"new", "FIRE"}, &out), 1);
    EXPECT_EQ(out, "vorlixctl: Macro exist!FIRE\n");
    EXPECT_EQ(Ctl({"new", "../escape"}, &out), 1);
    EXPECT_NE(out.find("FAILURE: Can't find the file path: ../escape"), std::string::npos);

    // A file with stale command bytes: the export writes what the editor's "Save as file" would.
    std::string body(48, '\0');
    body[0] = 5;
    body[2] = 1;
    body[3] = 9;
    const std::string code("\x04\x01\x64\x00\x84\x83\x80\x00\x00", 9);
    const std::string file = std::string("\x46\x22\x01", 3) + static_cast<char>(57) +
                             std::string("\0\x01\x01\xFA\0", 5) + body + code;
    std::ofstream(home / "Burst.MAC", std::ios::binary) << file;
    EXPECT_EQ(Ctl({"import", home / "Burst.MAC"}, &out), 0);
    EXPECT_EQ(out, "Burst\n");
    EXPECT_EQ(Read(Library() + "/Burst.Mac"), file);
    EXPECT_EQ(Ctl({"import", home / "Burst.MAC"}, &out), 1);
    EXPECT_EQ(out, "vorlixctl: Macro exist!Burst\n");
    EXPECT_EQ(Ctl({"list"}, &out), 0);
    EXPECT_EQ(out, "Burst\nFire\n");

    const std::string shown = "1\t'A'\t100ms\n2\t'A'\t0ms\n3\tPage UP\t0ms\n";
    EXPECT_EQ(Ctl({"show", "burst"}, &out), 0);
    EXPECT_EQ(out, shown);
    EXPECT_EQ(Ctl({"show", home / "Burst.MAC"}, &out), 0);
    EXPECT_EQ(out, shown);
    EXPECT_EQ(Ctl({"export", "Burst", home / "out.mac"}, &out), 0);
    std::string written = file;
    written[2] = '\xA1';
    written.replace(57 + 7, 2, "\x4B\xCB");
    EXPECT_EQ(Read(home / "out.mac"), written);

    EXPECT_EQ(Ctl({"delete", "burst"}), 0);
    EXPECT_EQ(Ctl({"list"}, &out), 0);
    EXPECT_EQ(out, "Fire\n");
    EXPECT_EQ(Ctl({"show", "Burst"}, &out), 1);
    EXPECT_EQ(out, "vorlixctl: FAILURE: Can't find the file path: Burst\n");
    EXPECT_EQ(Ctl({"show"}), 2);
}

// The editor's choosers list 50 macros: the tool refuses a 51st as the editor does.
TEST_F(CtlMacroTest, AFiftyFirstMacroIsRefused) {
    ASSERT_EQ(Ctl({"new", "first"}), 0);
    for (int i = 1; i < 50; ++i) {
        std::ofstream(Library() + "/m" + std::to_string(i) + ".Mac", std::ios::binary)
            << std::string("\x46\x22\xA1\0\0\x01\x01\0\0", 9);
    }
    std::ofstream(home / "Extra.mac", std::ios::binary) << std::string("\x46\x22\xA1\0\0\x01\x01\0\0", 9);
    std::string out;
    const std::string refusal =
        "vorlixctl: Buffer Full! The macro library holds 50 macros, the most it lists.\n";
    EXPECT_EQ(Ctl({"new", "Extra"}, &out), 1);
    EXPECT_EQ(out, refusal);
    EXPECT_EQ(Ctl({"import", home / "Extra.mac"}, &out), 1);
    EXPECT_EQ(out, refusal);
    EXPECT_EQ(Ctl({"show", "Extra"}, &out), 1);
    EXPECT_EQ(Ctl({"delete", "m7"}), 0);
    EXPECT_EQ(Ctl({"new", "Extra"}), 0);
}

}  // namespace
}  // namespace vorlix
