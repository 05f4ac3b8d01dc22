#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "shared/ProductIds.h"
#include "shared/ProgramInfo.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::TempDir;

// The build installed into a temporary folder with the prefix /usr, as the package stages it.
class InstalledLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_stage = new TempDir;
        ChildProcess install({VORLIX_CMAKE_COMMAND, "--install", VORLIX_BUILD_DIR, "--prefix", "/usr"},
                             {"DESTDIR=" + s_stage->Path()});
        s_installStatus = install.Wait(120000);
        s_installOutput = install.Output();
    }
    static void TearDownTestSuite() {
        delete s_stage;
        s_stage = nullptr;
    }
    void SetUp() override { ASSERT_EQ(s_installStatus, 0) << s_installOutput; }

    static std::string Staged(const std::string& path) { return s_stage->Path() + "/" + path; }

    static TempDir* s_stage;
    static int s_installStatus;
    static std::string s_installOutput;
};

TempDir* InstalledLayoutTest::s_stage = nullptr;
int InstalledLayoutTest::s_installStatus = -1;
std::string InstalledLayoutTest::s_installOutput;

enum class EKind { File, Program, Link };

struct SEntry {
    std::string path;
    EKind kind;
    std::string target;  // what a link points to
};

std::vector<SEntry> ExpectedEntries() {
    std::vector<SEntry> entries;
    std::vector<std::string> programs{"vorlixctl", "vorlix-virtual-mouse"};
#if VORLIX_GUI
    programs.insert(programs.end(), {"VorlixDaze", "VorlixMonitor"});
    entries.push_back({"usr/lib/vorlix-daze/libVorlixOsd.so", EKind::File, ""});
#endif
    for (const std::string& program : programs) {
        entries.push_back({"usr/lib/vorlix-daze/" + program, EKind::Program, ""});
        entries.push_back({"usr/bin/" + program, EKind::Link, "../lib/vorlix-daze/" + program});
    }
    const std::string aliases = "60-vorlix-daze-aliases.conf";
    const std::vector<SEntry> fixed{
        {"usr/lib/vorlix-daze/Languages", EKind::Link, "../../share/vorlix-daze/Languages"},
        {"usr/lib/vorlix-daze/HELP", EKind::Link, "../../share/vorlix-daze/HELP"},
        {"usr/lib/vorlix-daze/fonts/" + aliases, EKind::Link,
         "../../../share/fontconfig/conf.avail/" + aliases},
        {"etc/fonts/conf.d/" + aliases, EKind::Link, "/usr/share/fontconfig/conf.avail/" + aliases},
        {"usr/share/fontconfig/conf.avail/" + aliases, EKind::File, ""},
        {"usr/share/vorlix-daze/Languages/English.txt", EKind::File, ""},
        {"usr/share/vorlix-daze/Languages/German.txt", EKind::File, ""},
        {"usr/share/vorlix-daze/HELP/Information_en.html", EKind::File, ""},
        {"usr/share/vorlix-daze/HELP/Information_de.html", EKind::File, ""},
        {"usr/lib/udev/rules.d/70-vorlix-daze.rules", EKind::File, ""},
        {"usr/share/applications/com.vorlix.VorlixDaze.desktop", EKind::File, ""},
        {"usr/share/metainfo/com.vorlix.VorlixDaze.metainfo.xml", EKind::File, ""},
        {"usr/share/icons/hicolor/scalable/apps/com.vorlix.VorlixDaze.svg", EKind::File, ""},
        {"usr/share/man/man1/vorlixctl.1.gz", EKind::File, ""},
        {"usr/share/man/man1/vorlix-virtual-mouse.1.gz", EKind::File, ""},
        {"usr/share/man/man1/VorlixDaze.1.gz", EKind::File, ""},
        {"usr/share/man/man1/VorlixMonitor.1.gz", EKind::File, ""},
        {"usr/share/doc/vorlix-daze/copyright", EKind::File, ""},
        {"usr/share/doc/vorlix-daze/changelog.gz", EKind::File, ""},
    };
    entries.insert(entries.end(), fixed.begin(), fixed.end());
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        entries.push_back(
            {"usr/share/icons/hicolor/" + folder + "/apps/com.vorlix.VorlixDaze.png", EKind::File, ""});
    }
    return entries;
}

TEST_F(InstalledLayoutTest, InstallsExactlyTheSuiteWhereItsProgramsLook) {
    std::set<std::string> expected;
    for (const SEntry& entry : ExpectedEntries()) {
        expected.insert(entry.path);
        const std::string path = Staged(entry.path);
        struct stat info {};
        ASSERT_EQ(lstat(path.c_str(), &info), 0) << entry.path << " is missing";
        switch (entry.kind) {
            case EKind::Link: {
                ASSERT_TRUE(S_ISLNK(info.st_mode)) << entry.path;
                EXPECT_EQ(fs::read_symlink(path).string(), entry.target) << entry.path;
                if (entry.target[0] != '/') {  // a relative link must land on something in the package
                    EXPECT_TRUE(fs::exists(path)) << entry.path << " -> " << entry.target << " dangles";
                }
                break;
            }
            case EKind::Program:
                EXPECT_TRUE(S_ISREG(info.st_mode) && (info.st_mode & 0111) == 0111) << entry.path;
                break;
            case EKind::File:
                EXPECT_TRUE(S_ISREG(info.st_mode) && (info.st_mode & 0111) == 0) << entry.path;
                break;
        }
    }
    // Nothing else: no tests, test data, benchmarks, build tools or developer files. The monitor's
    // autostart entry is the one file whose name the monitor decides.
    for (auto it = fs::recursive_directory_iterator(s_stage->Path());
         it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && !it->is_symlink()) {
            continue;
        }
        const std::string relative = it->path().lexically_relative(s_stage->Path()).string();
        const bool autostart = relative.rfind("etc/xdg/autostart/", 0) == 0 && relative.ends_with(".desktop");
        EXPECT_TRUE(expected.count(relative) == 1 || autostart) << relative << " should not be installed";
        if (it->is_symlink()) {
            it.disable_recursion_pending();
        }
    }
}

TEST_F(InstalledLayoutTest, UdevRuleNamesTheBuiltIdsAndSortsBeforeTheSeatRules) {
    std::ifstream in(Staged("usr/lib/udev/rules.d/70-vorlix-daze.rules"));
    const std::string rules{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    char vendor[64];
    char product[64];
    std::snprintf(vendor, sizeof vendor, "ATTRS{idVendor}==\"%04x\"", kVendorId);
    std::snprintf(product, sizeof product, "ATTRS{idProduct}==\"%04x\"", kProductId);
    EXPECT_NE(rules.find(vendor), std::string::npos) << rules;
    EXPECT_NE(rules.find(product), std::string::npos) << rules;
    EXPECT_NE(rules.find("TAG+=\"uaccess\""), std::string::npos);
    // uaccess is applied by 73-seat-late.rules; only rules read before it can tag a node.
    EXPECT_LT(std::string("70-vorlix-daze.rules"), std::string("73-seat-late.rules"));
}

TEST_F(InstalledLayoutTest, ProgramsStartedThroughTheirLinksFindTheirLanguageFiles) {
    TempDir home;
    const std::vector<std::string> env{"HOME=" + home.Path(), "XDG_CONFIG_HOME=" + home / "config",
                                       "XDG_RUNTIME_DIR=" + home.Path(), "LC_ALL=", "LC_MESSAGES="};
    ChildProcess version({Staged("usr/bin/vorlixctl"), "--version"}, env);
    EXPECT_EQ(version.Wait(), 0);
    EXPECT_EQ(version.Output(), CProgramInfo::VersionLine("vorlixctl") + "\n");

    // The German message table is read only from the installed Languages folder: no store value names
    // an installation folder and the current folder holds none.
    std::vector<std::string> german = env;
    german.push_back("LANG=de_DE.UTF-8");
    ChildProcess show({Staged("usr/bin/vorlixctl"), "macro", "show", "NoSuchMacro"}, german);
    EXPECT_EQ(show.Wait(), 1);
    EXPECT_NE(show.Output().find("FEHLER"), std::string::npos) << show.Output();

    std::vector<std::string> english = env;
    english.push_back("LANG=C");
    ChildProcess shown({Staged("usr/bin/vorlixctl"), "macro", "show", "NoSuchMacro"}, english);
    EXPECT_EQ(shown.Wait(), 1);
    EXPECT_EQ(shown.Output().find("FEHLER"), std::string::npos) << shown.Output();
}

}  // namespace
}  // namespace vorlix
