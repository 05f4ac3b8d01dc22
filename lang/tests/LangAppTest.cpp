// The configuration program in the user's language: the German file beside the executable.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include "platform/UserStore.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

class LangAppTest : public ::testing::Test {
protected:
    std::unique_ptr<ChildProcess> Start(const std::string& locale,
                                        const std::vector<std::string>& args = {}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/VorlixDaze"};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<ChildProcess>(
            argv,
            std::vector<std::string>{"XDG_CONFIG_HOME=" + config.Path(), "XDG_RUNTIME_DIR=" + runtime.Path(),
                                     "HOME=" + config.Path(), "QT_QPA_PLATFORM=offscreen", "VORLIX_TRACE=1",
                                     "LC_ALL=", "LC_MESSAGES=", "LANG=" + locale});
    }

    // A second start that finds no published window reports message 0 under the message caption.
    std::string TooManyInstancesText(const std::string& locale) {
        auto first = Start(locale, {"/Automation"});
        EXPECT_TRUE(first->WaitForOutput("vorlix-trace: hidden")) << first->Output();
        CUserStore store(config.Path() + "/Vorlix Daze/store.sqlite3");
        EXPECT_EQ(store.Store().DeleteValue(store::kProcessHandle), 1);
        auto second = Start(locale);
        EXPECT_EQ(second->Wait(), 0);
        first->Kill(SIGTERM);
        first->Wait();
        return second->Output();
    }

    testing::TempDir config;
    testing::TempDir runtime;
};

TEST_F(LangAppTest, GermanLocaleUsesTheGermanFileBesideTheProgram) {
    const std::string output = TooManyInstancesText("de_DE.UTF-8");
    EXPECT_NE(output.find("vorlix-trace: language file in use"), std::string::npos) << output;
    EXPECT_NE(output.find("Qz vIVEDUD VORLIX DAZE MELDUNG: ZU VIELE INSTANZEN!"), std::string::npos)
        << output;
}

}  // namespace
}  // namespace vorlix
