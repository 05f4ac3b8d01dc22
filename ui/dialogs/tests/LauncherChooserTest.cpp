#include <gtest/gtest.h>

#include <QFileDialog>
#include <filesystem>
#include <fstream>

#include "tests/support/TempDir.h"
#include "ui/dialogs/LauncherChooser.h"
#include "ui/dialogs/tests/DialogTestSupport.h"

namespace vorlix::testing {
namespace {

class LauncherChooserTest : public ::testing::Test, protected SAppFirst {
protected:
    std::string MakeProgram(const std::string& fileName) {
        const std::string file = folder / fileName;
        std::ofstream(file) << "#!/bin/sh\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        return file;
    }
    QFileDialog* Chooser() const { return TopLevel<QFileDialog>("LauncherChooser"); }
    TempDir folder;
    std::string path = "unchanged";
    std::string name = "unchanged";
};

TEST_F(LauncherChooserTest, StartsInTheStoredProgramsFolderAndReturnsTheChosenFile) {
    const std::string stored = MakeProgram("run game;x");
    CScriptedModalRunner runner;
    runner.Answer(kModalOk, [&] {
        QFileDialog* chooser = Chooser();
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->directory().absolutePath().toStdString(), folder.Path());
        EXPECT_EQ(chooser->nameFilters(), (QStringList{"Programs (*)", "All files (*)"}));
        EXPECT_TRUE(chooser->filter() & QDir::Executable);
        EXPECT_TRUE(chooser->testOption(QFileDialog::DontUseNativeDialog));
    });
    EXPECT_TRUE(ChooseProgram(stored, path, name));
    EXPECT_EQ(path, stored);
    EXPECT_EQ(name, "run game;x");
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::FileChooser);
}

TEST_F(LauncherChooserTest, CancelOrNothingChosenChangesNothing) {
    CScriptedModalRunner runner;
    runner.Answer(kModalCancel, [&] { EXPECT_EQ(Chooser()->directory().absolutePath(), "/usr/bin"); });
    EXPECT_FALSE(ChooseProgram("", path, name));
    // OK with the proposed file gone chooses nothing.
    runner.Answer(kModalOk);
    EXPECT_FALSE(ChooseProgram(folder / "gone", path, name));
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(name, "unchanged");
}

TEST_F(LauncherChooserTest, UnattendedRunChoosesNothing) {
    EXPECT_FALSE(ChooseProgram(MakeProgram("tool"), path, name));
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(Chooser(), nullptr);
}

}  // namespace
}  // namespace vorlix::testing
