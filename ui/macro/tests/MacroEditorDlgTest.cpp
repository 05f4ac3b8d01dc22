#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <vector>

#include "macro/MacroProgram.h"
#include "macro/MemoryMacroFileSystem.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/tests/DialogTestSupport.h"
#include "ui/macro/SkinLVCmdList.h"
#include "ui/macro/SkinMacroDlg.h"
#include "ui/macro/core/MacroEditorModel.h"
#include "ui/skin/ColorCombox.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/SkinListCtrl.h"

namespace vorlix {
namespace {

const std::string kFolder = "/home/u/Documents/VORLIX DAZE";
const std::vector<uint8_t> kEmptyMacro = {0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0};

// Input event codes of the keys the tests press (an X11 keycode is the code + 8).
constexpr quint32 kKeyA = 30, kKeyB = 48, kRightShift = 54, kPrintScreen = 99, kEscape = 1;

class MacroEditorDlgTest : public ::testing::Test {
protected:
    MacroEditorDlgTest() {
        files.CreateFolder(kFolder);
        files.files[kFolder + "/Keys.Mac"] = kEmptyMacro;
        CSkinMacroDlg::SParts parts;
        parts.texts = &ui.texts;
        parts.skinDlg = &ui.dlg;
        parts.files = &files;
        parts.folder = kFolder;
        parts.store = &store;
        parts.clock = &clock;
        parts.rowFont = ui.fontText;
        parts.secondFont = ui.fontList;
        editor = std::make_unique<CSkinMacroDlg>(parts);
        editor->Prepare();
        editor->show();
        editor->Model().ChooseMacro(0);
    }
    ~MacroEditorDlgTest() override { editor.reset(); }

    CHoverButtonEx* Button(int id) { return qobject_cast<CHoverButtonEx*>(editor->Control(id)); }
    void Click(int id) {
        QWidget* button = editor->Control(id);
        ASSERT_NE(button, nullptr) << id;
        ASSERT_TRUE(button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, 4));
    }
    void Key(QEvent::Type type, quint32 code, bool autoRepeat = false, uint64_t afterMs = 0) {
        clock.Advance(afterMs);
        QKeyEvent event(type, 0, Qt::NoModifier, code + 8, 0, 0, QString(), autoRepeat);
        QApplication::sendEvent(
            QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : editor.get(), &event);
    }
    void Type(quint32 code, uint64_t afterMs = 0) {
        Key(QEvent::KeyPress, code, false, afterMs);
        Key(QEvent::KeyRelease, code, false, afterMs);
    }
    void Wheel(QWidget* target, QPoint angle) {
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), angle, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
    std::vector<uint8_t> Code() {
        std::vector<uint8_t> out(4096);
        out.resize(
            static_cast<size_t>(editor->Program().Serialize(out.data(), static_cast<int>(out.size()))));
        return out;
    }
    std::vector<uint8_t> SavedCode() {
        const std::vector<uint8_t>& file = files.files[kFolder + "/Keys.Mac"];
        return file.size() < 57 ? std::vector<uint8_t>{}
                                : std::vector<uint8_t>(file.begin() + 57, file.end());
    }
    // The timing toggles as the user sets them: the default delay of ms, then "Configure the delay timing".
    void DefaultDelay(const char* ms) {
        Click(1092);
        auto* edit = qobject_cast<QLineEdit*>(editor->Control(1093));
        edit->selectAll();
        QTest::keyClicks(edit, ms);
        Click(1073);
    }
    void DropDelays() {
        Click(1091);
        Click(1073);
    }

    testing::SDialogParts ui;
    testing::CScriptedModalRunner runner;
    CMemoryMacroFileSystem files;
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CFakeClock clock;
    std::unique_ptr<CSkinMacroDlg> editor;
};

TEST_F(MacroEditorDlgTest, TypedKeysInDefaultDelayModeSaveExactlyTheExpectedBytes) {
    DefaultDelay("50");
    Click(1113);
    EXPECT_TRUE(editor->FilterInstalled());
    EXPECT_TRUE(Button(1114)->isEnabled());
    EXPECT_FALSE(Button(1)->isEnabled());
    Type(kKeyA, 700);
    Type(kKeyB, 20000);
    Click(1114);
    EXPECT_FALSE(editor->FilterInstalled());
    EXPECT_TRUE(Button(1728)->isEnabled()) << "STOP counts as an edit";
    Click(1);
    // The first pause has no line before it; the one the list shows after the last line is stored.
    EXPECT_EQ(SavedCode(), (std::vector<uint8_t>{0x04, 0x01, 50, 0, 0x84, 0x01, 50, 0, 0x05, 0x01, 50, 0,
                                                 0x85, 0x01, 50, 0}));
    const std::vector<uint8_t>& file = files.files[kFolder + "/Keys.Mac"];
    EXPECT_EQ(file[6], 1);
    EXPECT_EQ(file[7], 50);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(MacroEditorDlgTest, KeyboardRulesOfTheDesktopRecordTheRightMacro) {
    Click(1113);
    Key(QEvent::KeyRelease, kKeyB);  // held before RECORD: the release brings its press
    Key(QEvent::KeyPress, kKeyA, false, 100);
    // The desktop repeats a held key as release and press pairs.
    for (int i = 0; i < 3; ++i) {
        Key(QEvent::KeyRelease, kKeyA, true, 30);
        Key(QEvent::KeyPress, kKeyA, true, 0);
    }
    Key(QEvent::KeyRelease, kKeyA, false, 10);
    // Print Screen: the press the desktop sends is ignored; the release records both together.
    Key(QEvent::KeyPress, kPrintScreen, false, 15000);
    Key(QEvent::KeyRelease, kPrintScreen, false, 40);
    Key(QEvent::KeyPress, kRightShift, false, 0);
    Key(QEvent::KeyRelease, kRightShift, false, 0);
    // Escape is recorded, not acted on: the editor stays open.
    Type(kEscape);
    Click(1114);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Code(), (std::vector<uint8_t>{0x05, 0x85, 0x01, 100, 0, 0x04, 0x01, 100, 0, 0x84, 0x01, 0x10,
                                            0x27,  // the 15 s pause, recorded as 10 s
                                            0x46, 0xC6, 0x75, 0xF5, 0x29, 0xA9}));
}

TEST_F(MacroEditorDlgTest, MouseRulesOfTheDesktopRecordTheRightMacro) {
    auto& program = editor->Program();
    program.AppendPlain(0x04);
    program.AppendPlain(0x84);
    DropDelays();
    Click(1113);
    QWidget* viewport = editor->List()->viewport();
    const QPoint firstRow = editor->List()->visualItemRect(editor->List()->topLevelItem(0)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, firstRow);
    EXPECT_FALSE(editor->List()->topLevelItem(0)->isSelected()) << "the click was consumed";
    // A double click: desktops send the second press and a double click, or the double click alone.
    QTest::mousePress(viewport, Qt::RightButton, {}, firstRow);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, firstRow);
    QTest::mousePress(viewport, Qt::RightButton, {}, firstRow);
    QTest::mouseDClick(viewport, Qt::RightButton, {}, firstRow);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, firstRow);
    QTest::mousePress(viewport, Qt::MiddleButton, {}, firstRow);
    QTest::mouseRelease(viewport, Qt::MiddleButton, {}, firstRow);
    QTest::mouseDClick(viewport, Qt::MiddleButton, {}, firstRow);
    QTest::mouseRelease(viewport, Qt::MiddleButton, {}, firstRow);
    QTest::mouseClick(viewport, Qt::BackButton, {}, firstRow);
    Wheel(viewport, QPoint(120, 0));  // horizontal only: nothing
    Wheel(viewport, QPoint(0, 40));   // part of a notch
    Wheel(viewport, QPoint(0, 80));   // the notch is whole: one step away from the user
    Wheel(viewport, QPoint(0, -120));
    // The top band stands for the caption.
    QTest::mouseClick(editor.get(), Qt::LeftButton, {}, QPoint(300, 10));
    EXPECT_EQ(program.SelectedCount(), 1);
    EXPECT_EQ(program.SelectedLine(), program.Count() - 1) << "the last recorded line is selected";
    Click(1114);
    EXPECT_EQ(Code(), (std::vector<uint8_t>{0x04, 0x84, 0x78, 0xF8, 0x79, 0xF9, 0x79, 0xF9, 0x7A, 0xFA, 0x7A,
                                            0xFA, 0x7B, 0xFB, 0xFE, 0x7E, 0xF8, 0xF8}));
    EXPECT_FALSE(editor->Model().IsRecording()) << "the click on STOP stopped and was not recorded";
}

TEST_F(MacroEditorDlgTest, TheListFollowsTheProgramWithoutFeedingBack) {
    CSkinListCtrl* list = editor->List();
    auto& program = editor->Program();
    EXPECT_EQ(list->columnWidth(1), 125);
    EXPECT_EQ(list->columnWidth(2), 175);
    EXPECT_TRUE(list->isHeaderHidden());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(CSkinLVCmdList::IconResource(3), 905);
    EXPECT_EQ(CSkinLVCmdList::IconResource(5), 903);
    EXPECT_EQ(CSkinLVCmdList::IconResource(13), 910);
    EXPECT_EQ(CSkinLVCmdList::IconResource(14), 0);

    program.AppendPlain(0x04);
    program.AppendPlain(0x84);
    program.AppendPlain(0x78);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("'A'"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("'A'"));
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("3"));
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("0ms"));

    // Re-timing one line redraws that line only.
    editor->ListBinding()->ClearRowWrites();
    program.SelectOnly(1);
    program.SetDelayOfSelected(1500);
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("1.5sec"));
    EXPECT_EQ(editor->ListBinding()->RowWrites(), 1);

    // The user's selection reaches the program, and the buttons follow it.
    list->topLevelItem(2)->setSelected(true);
    EXPECT_EQ(program.SelectedCount(), 2);
    EXPECT_FALSE(Button(1075)->isEnabled()) << "ADJUST needs exactly one line";
    list->clearSelection();
    list->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(program.SelectedLine(), 0);
    EXPECT_EQ(program.CurrentLine(), 0);
    EXPECT_TRUE(Button(1079)->isEnabled());
    EXPECT_FALSE(Button(1078)->isEnabled());

    // Deleting renumbers; the row at the first deleted index is selected. Paired deletion (off in a
    // store the editor had to create) takes the release along.
    EXPECT_FALSE(editor->Model().PairedDeletion());
    Click(1094);
    EXPECT_TRUE(editor->Model().PairedDeletion());
    Click(1080);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("1"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("L-Button"));
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
}

TEST_F(MacroEditorDlgTest, CreateThroughTheNamePageAndCancelLeavesTheFileAsItWas) {
    runner.Answer(kModalOk, [this] { ui.dlg.Edit()->SetText16(u"Combo"); });
    Click(1081);
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].page, 125);
    EXPECT_EQ(files.files[kFolder + "/Combo.Mac"], kEmptyMacro);
    EXPECT_EQ(editor->MacroChooser()->count(), 2);
    EXPECT_EQ(editor->MacroChooser()->currentText(), QStringLiteral("Combo"));
    EXPECT_TRUE(Button(1113)->isEnabled());
    EXPECT_TRUE(Button(1728)->isEnabled()) << "a new macro counts as changed";

    editor->MacroChooser()->setCurrentIndex(1);
    editor->Program().AppendPlain(0x04);
    Click(2);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(files.files[kFolder + "/Combo.Mac"], kEmptyMacro) << "Cancel saves nothing";
}

TEST_F(MacroEditorDlgTest, AnUnattendedRunNeverBlocks) {
    testing::CScriptedModalRunner cancel;
    cancel.Answer(kModalCancel);
    EXPECT_FALSE(editor->Run());
    ASSERT_EQ(cancel.requests.size(), 1u);
    EXPECT_EQ(cancel.requests[0].what, "macro editor");
}

}  // namespace
}  // namespace vorlix
