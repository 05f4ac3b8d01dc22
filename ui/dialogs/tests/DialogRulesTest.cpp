#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {
namespace {

TEST(ModalRun, UnattendedAnswersNeverAcceptMoreThanInformation) {
    const std::pair<ModalKind, int> cases[] = {
        {ModalKind::Information, kModalOk},        {ModalKind::Question, kModalCancel},
        {ModalKind::Choice, kModalCancel},         {ModalKind::MouseChoice, kModalCancel},
        {ModalKind::FileChooser, kModalCancel},    {ModalKind::FirmwareOffer, kModalCancel},
        {ModalKind::FirmwareUpdate, kModalCancel},
    };
    for (const auto& [kind, answer] : cases) {
        EXPECT_EQ(UnattendedAnswer({kind, 0, {}}), answer) << static_cast<int>(kind);
    }
}

TEST(ModalRun, DefaultRunnerShowsOnlyWhenAPersonCanAnswer) {
    int shown = 0;
    const auto show = [&shown] {
        ++shown;
        return kModalOk;
    };
    SetUnattendedProbe([] { return true; });
    EXPECT_EQ(ModalRunner().Run({ModalKind::FirmwareUpdate, 156, {}}, show), kModalCancel);
    EXPECT_EQ(ModalRunner().Run({ModalKind::Information, 251, {}}, show), kModalOk);
    EXPECT_EQ(shown, 0);
    SetUnattendedProbe([] { return false; });
    EXPECT_EQ(ModalRunner().Run({ModalKind::FirmwareUpdate, 156, {}}, show), kModalOk);
    EXPECT_EQ(shown, 1);
    SetUnattendedProbe(nullptr);
}

TEST(ModalRun, EnvironmentDecidesWhenNoProbeIsSet) {
    const char* saved = std::getenv("VORLIX_UNATTENDED");
    ::setenv("VORLIX_UNATTENDED", "1", 1);
    EXPECT_TRUE(IsUnattendedRun());
    ::unsetenv("VORLIX_UNATTENDED");
    // ctest runs every test on the offscreen platform.
    EXPECT_TRUE(IsUnattendedRun());
    if (saved != nullptr) {
        ::setenv("VORLIX_UNATTENDED", saved, 1);
    }
}

TEST(ModalRun, ScopeInstallsAndRestoresARunner) {
    struct CFixed final : IModalRunner {
        int Run(const SModalRequest&, const std::function<int()>&) override { return 7; }
    } fixed;
    IModalRunner* before = &ModalRunner();
    {
        CModalRunnerScope scope(fixed);
        EXPECT_EQ(ModalRunner().Run({}, {}), 7);
    }
    EXPECT_EQ(&ModalRunner(), before);
}

TEST(SkinPages, EveryPageHasItsPictureAndItsButtonsHaveTheirPlaces) {
    for (const SSkinPage& p : SkinPages()) {
        SCOPED_TRACE(p.id);
        const SBitmapInfo* picture = FindBitmap(p.id);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->key, EKey::Dialog);
        EXPECT_NE(FindPlace(p.id, skinctl::kOk), nullptr);
        EXPECT_EQ(FindPlace(p.id, skinctl::kCancel) != nullptr, p.cancelBitmap != 0);
        EXPECT_EQ(FindPlace(p.id, skinctl::kText) != nullptr, p.text);
        EXPECT_EQ(FindPlace(p.id, skinctl::kList) != nullptr, p.list);
        EXPECT_EQ(FindPlace(p.id, skinctl::kEdit) != nullptr, p.edit);
    }
    EXPECT_EQ(FindSkinPage(124), nullptr);
}

TEST(SkinPages, RadioPictures) {
    const int expected[][2] = {{271, 268}, {272, 269}, {273, 270}, {473, 472}};
    for (int option = 0; option < kRadioCount; ++option) {
        EXPECT_EQ(RadioBitmap(option, false), expected[option][0]);
        EXPECT_EQ(RadioBitmap(option, true), expected[option][1]);
    }
    EXPECT_EQ(RadioBitmap(4, true), 0);
    EXPECT_EQ(RadioBitmap(-1, false), 0);
}

TEST(SkinPages, MacroPathGivesFolderAndName) {
    struct SCase {
        const char* path;
        const char* folder;
        std::u16string name;
    };
    const SCase cases[] = {
        {"/home/u/Documents/VORLIX DAZE/Fire.Mac", "/home/u/Documents/VORLIX DAZE", u"Fire"},
        {"/lib/FIRE.MAC", "/lib", u"FIRE"},
        {"/lib/a.mac", "/lib", u"a"},
        {"/lib/Grüße.mac", "/lib", u"Grüße"},
        {"/lib/", "/lib/", u""},
        {"/lib/.mac", "/lib/.mac", u""},
        {"/lib/firemac", "/lib/firemac", u""},
        {".mac", ".mac", u""},
        {"", "", u""},
    };
    for (const SCase& c : cases) {
        const SMacroPath split = SplitMacroPath(c.path);
        EXPECT_EQ(split.folder, c.folder) << c.path;
        EXPECT_EQ(split.name, c.name) << c.path;
    }
    EXPECT_EQ(FindExact({u"fire", u"Fire"}, u"Fire"), 1);
    EXPECT_EQ(FindExact({u"fire"}, u"FIRE"), -1);
}

TEST(SkinPages, LauncherStartsInTheStoredProgramsFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "/usr/bin", ""},
        {"/opt/game/run game;x", "/opt/game", "run game;x"},
        {"/bin", "/", "bin"},
        {"plainname", "/usr/bin", "plainname"},
    };
    for (const auto& [stored, folder, file] : cases) {
        const SLauncherStart start = LauncherStart(stored);
        EXPECT_EQ(start.folder, folder) << stored;
        EXPECT_EQ(start.file, file) << stored;
    }
}

TEST(SkinPages, MessagesGoToThePageOnlyWhenItIsFreeAndTheTextFits) {
    struct SCase {
        int number;
        bool initialised;
        bool open;
        std::size_t length;
        EMessageRoute route;
    };
    const SCase cases[] = {
        {1, true, false, 39, EMessageRoute::SkinnedPage}, {1, true, false, 40, EMessageRoute::SystemBox},
        {1, false, false, 5, EMessageRoute::SystemBox},   {1, true, true, 5, EMessageRoute::SystemBox},
        {19, true, false, 0, EMessageRoute::SkinnedPage}, {20, true, false, 5, EMessageRoute::None},
        {-1, true, false, 5, EMessageRoute::None},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(MessageRoute(c.number, c.initialised, c.open, c.length), c.route)
            << c.number << " " << c.length;
    }
}

}  // namespace
}  // namespace vorlix
