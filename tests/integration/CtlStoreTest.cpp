#include <gtest/gtest.h>

#include <fstream>

#include "platform/UserStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

class CtlStoreTest : public ::testing::Test {
protected:
    // Runs vorlixctl with the test's own config folder; returns the exit status.
    int Ctl(const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(argv, {"XDG_CONFIG_HOME=" + config.Path()});
        const int status = child.Wait();
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    std::string StoreFile() const { return config.Path() + "/Vorlix Daze/store.sqlite3"; }

    testing::TempDir config;
};

TEST_F(CtlStoreTest, SetGetListDelete) {
    std::string out;
    EXPECT_EQ(Ctl({"store", "set", "Disable System Tray", "--dword", "1"}), 0);
    EXPECT_EQ(Ctl({"store", "set", "Language", "--dword", "0x0407"}), 0);
    EXPECT_EQ(Ctl({"store", "set", "Configure Handle", "--dword", "-1"}), 0);
    EXPECT_EQ(Ctl({"store", "set", "Path", "--text", "/opt/Vorlix Daze"}), 0);
    EXPECT_EQ(Ctl({"store", "get", "language"}, &out), 0);
    EXPECT_EQ(out, "1031\n");
    EXPECT_EQ(Ctl({"store", "get", "Configure Handle"}, &out), 0);
    EXPECT_EQ(out, "-1\n");
    EXPECT_EQ(Ctl({"store", "list"}, &out), 0);
    EXPECT_EQ(out,
              "Configure Handle\tdword\t-1\nDisable System Tray\tdword\t1\nLanguage\tdword\t1031\n"
              "Path\ttext\t/opt/Vorlix Daze\n");
    EXPECT_EQ(Ctl({"store", "delete", "Path"}), 0);
    EXPECT_EQ(Ctl({"store", "delete", "Path"}, &out), 1);
    EXPECT_NE(out.find("no value named \"Path\""), std::string::npos);

    CUserStore store(StoreFile());
    std::u16string text;
    EXPECT_EQ(store.Store().ReadText("Path", text), 0);
    EXPECT_EQ(store.Store().ReadDword("Disable System Tray"), 1);
}

TEST_F(CtlStoreTest, GetOfAMissingValueFailsAndCreatesNothing) {
    std::string out;
    EXPECT_EQ(Ctl({"store", "get", "Process Handle"}, &out), 1);
    EXPECT_NE(out.find("no value named"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(StoreFile()));
    EXPECT_EQ(Ctl({"store", "set", "A", "--dword", "1"}), 0);
    EXPECT_EQ(Ctl({"store", "get", "Process Handle"}), 1);
    EXPECT_EQ(Ctl({"store", "list"}, &out), 0);
    EXPECT_EQ(out, "A\tdword\t1\n");
}

TEST_F(CtlStoreTest, BadUsageIsRefused) {
    const std::vector<std::vector<std::string>> calls = {
        {"store"},
        {"store", "set", "A", "--dword", "12x"},
        {"store", "set", "A", "--dword", "4294967296"},
        {"store", "set", "A", "--text", std::string(1024, 'x')},
        {"store", "set", "A", "--float", "1"},
        {"nonsense"},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(Ctl(call), 2) << ::testing::PrintToString(call);
    }
    EXPECT_FALSE(std::filesystem::exists(StoreFile()));
}

TEST_F(CtlStoreTest, CorruptStoreIsReportedAndKept) {
    std::filesystem::create_directories(config.Path() + "/Vorlix Daze");
    std::ofstream(StoreFile()) << std::string(4096, 'z');
    std::string out;
    EXPECT_EQ(Ctl({"store", "list"}, &out), 1);
    EXPECT_NE(out.find("cannot be used"), std::string::npos) << out;
    EXPECT_NE(out.find("not a database"), std::string::npos) << out;
    EXPECT_EQ(Ctl({"store", "set", "A", "--dword", "1"}, &out), 1);
    EXPECT_EQ(std::filesystem::file_size(StoreFile()), 4096u);
}

}  // namespace
}  // namespace vorlix
