#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "tests/support/TempDir.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/dialogs/tests/DialogTestSupport.h"
#include "ui/skin/ColorCombox.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/HoverButtonEx2.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix::testing {
namespace {

class SkinDlgTest : public ::testing::Test, protected SDialogParts {
protected:
    bool Visible(int id) const { return !dlg.Control(id)->isHidden(); }
    QString Label() const {
        return qobject_cast<CHoverButtonEx2*>(dlg.Control(skinctl::kListLabel))->Label();
    }
    void Type(const QString& typed) {
        dlg.Edit()->clear();
        QTest::keyClicks(dlg.Edit(), typed);
    }
};

TEST_F(SkinDlgTest, EveryPageLaysOutItsPictureAndControlsAndAnswersUnattended) {
    // ctest runs offscreen: the default runner answers in place of a person.
    struct SCase {
        int page;
        int answer;
        std::vector<int> shown;
        std::vector<int> hidden;
    };
    const SCase cases[] = {
        {125, kModalCancel, {1, 2, 1809}, {999, 1807, 1808, 1084, 1004}},
        {156, kModalCancel, {1, 2, 1004}, {999, 1807, 1809, 1084}},
        {248, kModalCancel, {1, 2}, {999, 1807, 1809, 1004}},
        {251, kModalOk, {1, 999}, {2, 1807, 1809}},
        {287, kModalCancel, {1, 2, 999}, {1807, 1809}},
        {352, kModalCancel, {1, 2}, {999, 1809}},
        {353, kModalOk, {1, 999}, {2, 1809}},
        {447, kModalOk, {1}, {2, 999}},
        {448, kModalOk, {1}, {2, 999}},
        {469, kModalCancel, {1, 2, 1807, 1808}, {999, 1084, 1809}},
        {470, kModalCancel, {1, 2, 1807, 1808, 1084, 1085, 1086, 1087}, {999, 1809}},
        {474, kModalCancel, {1, 2, 1809}, {999, 1807, 1084}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.page);
        dlg.page = c.page;
        dlg.text = u"Text";
        dlg.path = "/nonexistent/";
        EXPECT_EQ(dlg.DoModal(), c.answer);
        EXPECT_FALSE(dlg.isVisible());
        const SBitmapInfo* picture = FindBitmap(c.page);
        EXPECT_EQ(dlg.size(), QSize(picture->width, picture->height));
        EXPECT_FALSE(dlg.mask().isEmpty());
        for (int id : c.shown) {
            EXPECT_TRUE(Visible(id)) << id;
        }
        for (int id : c.hidden) {
            EXPECT_FALSE(Visible(id)) << id;
        }
        const SPlace* ok = FindPlace(c.page, skinctl::kOk);
        EXPECT_EQ(dlg.Control(skinctl::kOk)->pos(), QPoint(ok->x, ok->y));
    }
    EXPECT_TRUE(dlg.Initialised());
}

TEST_F(SkinDlgTest, WarningPageWithoutTextHidesTheTextAndKeepsOk) {
    CScriptedModalRunner runner;
    runner.Answer(kModalOk);
    dlg.page = page::kWarning;
    dlg.text.clear();
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_FALSE(Visible(skinctl::kText));
    EXPECT_TRUE(Visible(skinctl::kOk));
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::Information);
    EXPECT_EQ(runner.requests[0].page, 251);
}

TEST_F(SkinDlgTest, FieldsPersistBetweenRuns) {
    CScriptedModalRunner runner;
    runner.Answer(kModalCancel).Answer(kModalOk);
    dlg.page = page::kSingleKey;
    dlg.value = 5;
    dlg.option = 2;
    dlg.DoModal();
    dlg.DoModal();
    EXPECT_EQ(dlg.page, page::kSingleKey);
    EXPECT_EQ(dlg.value, 5);
    EXPECT_EQ(dlg.option, 2);
    EXPECT_EQ(dlg.text, u"BACKWARD");
}

TEST_F(SkinDlgTest, CountPageFiltersTypingAndStoresCountMinusOne) {
    struct SCase {
        int start;
        const char* typed;  // nullptr: leave the shown count as it is
        QString shown;
        int answer;
        int stored;
    };
    const SCase cases[] = {
        {9, nullptr, "10", kModalOk, 9},      {254, nullptr, "255", kModalOk, 254},
        {255, nullptr, "255", kModalOk, 254}, {3, "300", "255", kModalOk, 254},
        {3, "0", "0", kModalOk, 0},           {3, "1", "1", kModalOk, 0},
        {3, "12", "12", kModalOk, 11},        {3, "7a", "7", kModalOk, 6},
        {3, "05", "0", kModalOk, 0},          {3, "99", "99", kModalCancel, 3},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed != nullptr ? c.typed : "as shown");
        CScriptedModalRunner runner;
        dlg.page = page::kRepeatCount;
        dlg.value = c.start;
        runner.Answer(c.answer, [&] {
            if (c.typed != nullptr) {
                Type(c.typed);
            }
            EXPECT_EQ(dlg.Edit()->text(), c.shown);
        });
        EXPECT_EQ(dlg.DoModal(), c.answer);
        EXPECT_EQ(dlg.value, c.stored);
    }
}

TEST_F(SkinDlgTest, NamePageProposesTheTextAndReturnsTheTypedName) {
    CScriptedModalRunner runner;
    dlg.page = page::kNewMacro;
    dlg.text = u"Proposed";
    runner.Answer(kModalOk, [&] {
        EXPECT_EQ(dlg.Edit()->text(), "Proposed");
        EXPECT_EQ(dlg.Edit()->maxLength(), 20);
        Type("Fire/Burst 1");
    });
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(dlg.text, u"FireBurst 1");
    // Cancel leaves the field as the caller set it.
    runner.Answer(kModalCancel, [&] { Type("Other"); });
    dlg.text = u"Kept";
    EXPECT_EQ(dlg.DoModal(), kModalCancel);
    EXPECT_EQ(dlg.text, u"Kept");
}

TEST_F(SkinDlgTest, SingleKeyListMapsPositionsToCatalogueEntries) {
    dlg.page = page::kSingleKey;
    struct SCase {
        int value;
        int preselected;
        QString label;
    };
    // Catalogue 3 "RIGHT BUTTON" is list position 2; "SCROLL BUTTON" (7) and "VOLUMN UP" (11) are not
    // offered; 0 and 13 are outside the catalogue's list.
    const SCase cases[] = {{3, 2, "RIGHT BUTTON"},
                           {1, 0, "CLICK"},
                           {9, 7, "SENSITIVITY-DOWN"},
                           {7, -1, ""},
                           {11, -1, ""},
                           {0, -1, ""},
                           {13, -1, ""}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.value);
        CScriptedModalRunner runner;
        dlg.value = c.value;
        runner.Answer(kModalCancel, [&] {
            EXPECT_EQ(dlg.List()->count(), 8);
            EXPECT_EQ(dlg.List()->currentIndex(), c.preselected);
            EXPECT_EQ(Label(), c.label);
        });
        dlg.DoModal();
    }
    CScriptedModalRunner runner;
    runner.Answer(kModalOk, [&] { dlg.List()->setCurrentIndex(6); });
    dlg.value = 3;
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(dlg.value, 8);
    EXPECT_EQ(dlg.text, u"SENSITIVITY-UP");
}

class MacroPageTest : public SkinDlgTest {
protected:
    void Make(const std::string& file) { std::ofstream(library / file) << "x"; }
    std::vector<QString> Entries() const {
        std::vector<QString> entries;
        for (int i = 0; i < dlg.List()->count(); ++i) {
            entries.push_back(dlg.List()->itemText(i));
        }
        return entries;
    }
    TempDir library;
};

TEST_F(MacroPageTest, ListsTheLibraryAndPreselectsTheButtonsMacro) {
    Make("Fire.Mac");
    Make("Burst.MAC");
    Make("notmac");
    Make(".mac");
    std::filesystem::create_directory(library / "Folder.mac");
    const auto cwd = std::filesystem::current_path();
    CScriptedModalRunner runner;
    dlg.page = page::kMacroKey;
    dlg.path = library / "Fire.Mac";
    dlg.option = 0;
    runner.Answer(kModalCancel, [&] {
        std::vector<QString> entries = Entries();
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (std::vector<QString>{"Burst", "Fire"}));
        EXPECT_EQ(dlg.List()->currentText(), "Fire");
        EXPECT_EQ(Label(), "Fire");
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.text, u"Fire");
    EXPECT_EQ(dlg.path, library.Path());
    EXPECT_EQ(std::filesystem::current_path(), cwd);

    // Choosing an entry returns its name.
    runner.Answer(kModalOk, [&] { dlg.List()->setCurrentIndex(dlg.List()->findText("Burst")); });
    dlg.path = library / "Fire.Mac";
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(dlg.text, u"Burst");
}

TEST_F(MacroPageTest, MissingMacroOrEmptyLibraryOpensWithNoSelection) {
    struct SCase {
        int files;
        const char* path;
        int listed;
    };
    const SCase cases[] = {{0, "", 0}, {1, "Gone.mac", 1}, {51, "", 50}, {1, "m0.mac", 1}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.files);
        std::filesystem::remove_all(library.Path());
        std::filesystem::create_directory(library.Path());
        for (int i = 0; i < c.files; ++i) {
            Make("m" + std::to_string(i) + ".mac");
        }
        CScriptedModalRunner runner;
        dlg.page = page::kMacroKey;
        dlg.path = library / c.path;
        const bool found = std::string(c.path) == "m0.mac";
        runner.Answer(kModalOk, [&] {
            EXPECT_EQ(dlg.List()->count(), c.listed);
            EXPECT_EQ(dlg.List()->currentIndex() >= 0, found);
            EXPECT_EQ(Label(), found ? "m0" : "");
        });
        EXPECT_EQ(dlg.DoModal(), kModalOk);
        EXPECT_EQ(dlg.text, found ? u"m0" : u"");
    }
}

TEST_F(MacroPageTest, RadiosChooseTheOptionAndMultipleLoopsAsksForTheCount) {
    CScriptedModalRunner runner;
    dlg.page = page::kMacroKey;
    dlg.path = library.Path() + "/";
    dlg.option = 0;
    dlg.value = 4;
    runner.Answer(kModalOk, [&] {
        ClickControl(&dlg, 1086);
        EXPECT_EQ(dlg.option, 2);
        ClickControl(&dlg, 1085);  // opens the nested count page
    });
    // The nested page shows the count 5 and takes 12.
    runner.Answer(kModalOk, [&] {
        ASSERT_NE(dlg.Nested(), nullptr);
        EXPECT_EQ(dlg.Nested()->page, page::kRepeatCount);
        EXPECT_EQ(dlg.Nested()->Edit()->text(), "5");
        dlg.Nested()->Edit()->clear();
        QTest::keyClicks(dlg.Nested()->Edit(), "12");
    });
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(dlg.option, 1);
    EXPECT_EQ(dlg.value, 11);
    EXPECT_EQ(dlg.Nested(), nullptr);
    ASSERT_EQ(runner.requests.size(), 2u);
    EXPECT_EQ(runner.requests[1].page, page::kRepeatCount);

    // Cancel on the nested page keeps the count.
    runner.Answer(kModalCancel, [&] { ClickControl(&dlg, 1085); }).Answer(kModalCancel);
    EXPECT_EQ(dlg.DoModal(), kModalCancel);
    EXPECT_EQ(dlg.value, 11);
    EXPECT_TRUE(runner.AllAnswered());
}

TEST_F(SkinDlgTest, FirmwarePageStartsOnceAndCannotBeClosedUntilTheUpdateEnds) {
    CScriptedModalRunner runner;
    int started = 0;
    dlg.page = page::kFirmwareUpdate;
    dlg.onStartUpdate = [&] { ++started; };
    runner.ShowForReal([&] {
        QTimer::singleShot(0, &dlg, [&] {
            EXPECT_TRUE(dlg.isVisible());
            ClickControl(&dlg, skinctl::kOk);
            ClickControl(&dlg, skinctl::kOk);
            EXPECT_EQ(started, 1);
            EXPECT_TRUE(dlg.UpdateStarted());
            // Esc, the close button and a close request all leave the update running.
            QTest::keyClick(&dlg, Qt::Key_Escape);
            EXPECT_FALSE(ClickControl(&dlg, skinctl::kCancel));
            dlg.close();
            EXPECT_TRUE(dlg.isVisible());
            dlg.SetProgress(60);
            dlg.UpdateFinished();
        });
    });
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(dlg.UpdateStarted());
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::FirmwareUpdate);

    // Before Start the close button ends the page.
    runner.ShowForReal([&] { QTimer::singleShot(0, &dlg, [&] { ClickControl(&dlg, skinctl::kCancel); }); });
    EXPECT_EQ(dlg.DoModal(), kModalCancel);
    EXPECT_EQ(started, 1);
}

TEST_F(SkinDlgTest, FirmwareOfferIsNeverAcceptedUnattended) {
    for (const int offered : {page::kQuestion, page::kInformation}) {
        dlg.page = offered;
        dlg.text = u"Update the firmware?";
        EXPECT_EQ(dlg.DoModalAs(ModalKind::FirmwareOffer), kModalCancel) << offered;
    }
}

TEST_F(SkinDlgTest, ARunNeverReentersTheOpenDialog) {
    CScriptedModalRunner runner;
    int inner = -1;
    dlg.page = page::kQuestion;
    runner.Answer(kModalOk, [&] {
        EXPECT_TRUE(dlg.IsRunning());
        inner = dlg.DoModal();
    });
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    EXPECT_EQ(inner, kModalCancel);
    EXPECT_EQ(runner.requests.size(), 1u);
    EXPECT_FALSE(dlg.IsRunning());
}

TEST_F(SkinDlgTest, DragsFromAnywhereAndDrawsItsListAndBoxesInTheirColours) {
    dlg.page = page::kSingleKey;
    dlg.Prepare();
    dlg.move(100, 100);
    const QPoint start = dlg.mapToGlobal(QPoint(200, 20));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(200, 20), QPointF(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(230, 60), QPointF(start + QPoint(30, 40)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &move);
    EXPECT_EQ(dlg.pos(), QPoint(130, 140));

    EXPECT_EQ(dlg.List()->TextColour(), QColor(240, 240, 240));
    EXPECT_EQ(dlg.List()->BackgroundColour(), QColor(75, 75, 75));
    EXPECT_EQ(dlg.List()->SelectedTextColour(), QColor(255, 255, 255));
    EXPECT_EQ(dlg.List()->SelectedBackgroundColour(), QColor(150, 16, 15));
    EXPECT_EQ(dlg.List()->TextFormat(), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(dlg.List()->font(), fontList);
    EXPECT_EQ(dlg.Edit()->font(), fontText);
    EXPECT_EQ(qobject_cast<QLabel*>(dlg.Control(skinctl::kText))->font(), fontText);
}

}  // namespace
}  // namespace vorlix::testing
