// The advanced settings dialog as the user drives it: sliders released with the mouse, the DPI box typed
// into, buttons clicked, commands and notices posted to its endpoint; against an in-process virtual mouse
// with the fake clock.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "lang/TextTables.h"
#include "platform/DatagramPoster.h"
#include "platform/qt/PublishedEndpoint.h"
#include "tests/support/TempDir.h"
#include "ui/cfg/SkinCfgDlg.h"
#include "ui/cfg/tests/CfgFixture.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/tests/ScriptedModalRunner.h"
#include "ui/skin/BitmapSlider.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix::testing {
namespace {

class CfgDialogTest : public CfgFixture {
protected:
    void SetUp() override {
        CfgFixture::SetUp();
        store.WriteDword(store::kConfigureHandle, 5);
        dlg = std::make_unique<CSkinCfgDlg>(*device, clock, pointer, store, poster, host, texts, font);
        ASSERT_TRUE(dlg->Prepare(0));
        dlg->show();
        Clear();
    }
    CBitmapSlider* Slider(int id) const { return static_cast<CBitmapSlider*>(dlg->Control(id)); }
    CSkinEdit* Box() const { return static_cast<CSkinEdit*>(dlg->Control(CSkinCfgDlg::kDpiBox)); }
    QPoint Thumb(CBitmapSlider* slider) const {
        const int centre = slider->ThumbCentre();
        return slider->height() > slider->width() ? QPoint(slider->width() / 2, centre)
                                                  : QPoint(centre, slider->height() / 2);
    }
    // Puts the thumb on the position and presses and releases the mouse on it.
    void Release(int id, int position) {
        CBitmapSlider* slider = Slider(id);
        slider->SetPos(position);
        QTest::mousePress(slider, Qt::LeftButton, {}, Thumb(slider));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, Thumb(slider));
        ASSERT_EQ(slider->Pos(), position);
    }
    void Type(const QString& text) {
        Box()->setFocus();
        Box()->selectAll();
        QTest::keyClicks(Box(), text);
    }
    void Click(int id) { QTest::mouseClick(dlg->Control(id), Qt::LeftButton); }
    // Level 1, DPI 825, 125 Hz, lift-off 10.
    void Edit() {
        Release(CSkinCfgDlg::kLevelSlider, 1);
        Type(QStringLiteral("825"));
        Click(CSkinCfgDlg::kFirstPolling);
        Release(CSkinCfgDlg::kLiftOffSlider, 10);
    }

    SAppFirst app;
    CTextTables texts;
    QFont font{QStringLiteral("DejaVu Sans"), 12};
    std::unique_ptr<CSkinCfgDlg> dlg;
};

TEST_F(CfgDialogTest, EditsTakeEffectAtOnceAndApplyPutsThemIntoEffectInOrder) {
    Edit();
    const std::array<uint8_t, 5> readLevelByte = {0xDF, 0x02, 0x01, 0x00, 0x00};
    EXPECT_EQ(Commands(), (Sent{readLevelByte, Effect(2, 0x40), Effect(0, 0x08), LiftOff(0x2A), LiftOff(0x2A),
                                LiftOff(0x2A)}));
    EXPECT_EQ(Cell(kB0 + 3).value, 16);
    EXPECT_EQ(Cell(kB0 + 4).value, 16);
    EXPECT_EQ(Slider(CSkinCfgDlg::kDpiSlider)->Pos(), 164 + 1 - 16);

    Clear();
    Click(CSkinCfgDlg::kApply);
    Sent expected{Effect(0, 0x08), Effect(1, 0x2A), Effect(2, 0x40), Effect(3, 16), Effect(4, 16)};
    for (int round = 0; round < 3; ++round) {
        expected.push_back(LevelEffect(0));
        expected.push_back(LiftOff(0x2A));
    }
    EXPECT_EQ(Commands(), expected);
    EXPECT_EQ(TenMsPauses(), 11u);
    EXPECT_EQ(Box()->text(), QStringLiteral("800"));
    ASSERT_EQ(poster.posts.size(), 1u);
    EXPECT_EQ(poster.posts[0].message, msg::kOsdNotice);
    EXPECT_EQ(poster.posts[0].kind, osd::kProfileOrResolution);
    EXPECT_EQ(poster.posts[0].value, 0u | 16u << 8 | 16u << 16);
    // Apply stores nothing.
    EXPECT_EQ(Peek(0, kB0), 0x01);
    EXPECT_TRUE(Cell(kB0).changed);
}

TEST_F(CfgDialogTest, OkStoresTheBytesInTheMouse) {
    Edit();
    Click(CSkinCfgDlg::kOk);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const std::vector<uint8_t> expected = {0x08, 0x2A, 0x40, 16, 16};
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Peek(0, kB0 + static_cast<unsigned>(i)), expected[i]);
        EXPECT_TRUE(Cell(kB0 + static_cast<int>(i)).valid);
        EXPECT_FALSE(Cell(kB0 + static_cast<int>(i)).changed);
    }
    EXPECT_EQ(store.ReadDword(store::kConfigureHandle), -1);
    EXPECT_EQ(poster.posts.size(), 1u);
}

TEST_F(CfgDialogTest, CancelAfterApplyRestoresTheOpeningValues) {
    struct SCase {
        const char* how;
        std::function<void()> cancel;
    };
    const SCase cases[] = {
        {"button", [this] { Click(CSkinCfgDlg::kCancel); }},
        {"escape", [this] { QTest::keyClick(dlg.get(), Qt::Key_Escape); }},
        {"close", [this] { dlg->close(); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.how);
        SetUp();
        Edit();
        Click(CSkinCfgDlg::kApply);
        Clear();
        c.cancel();
        EXPECT_EQ(Commands(), (Sent{Effect(0, 0x01), Effect(1, 0x26), Effect(2, 0x42), Effect(3, 4),
                                    Effect(4, 4), LevelEffect(2), LiftOff(0x26), LiftOff(0x26)}));
        EXPECT_EQ(Cell(kB0).value, 0x01);
        EXPECT_EQ(Cell(kB0 + 2).value, 0x42);
        EXPECT_EQ(Cell(kB0 + 3).value, 4);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_EQ(store.ReadDword(store::kConfigureHandle), -1);
    }
}

TEST_F(CfgDialogTest, ResetSendsOnlyTheDifferingBytes) {
    Click(CSkinCfgDlg::kFirstPolling + 1);  // 250 Hz
    Clear();
    Click(CSkinCfgDlg::kReset);
    EXPECT_EQ(Commands(), (Sent{Effect(0, 0x01), LevelEffect(2)}));
    EXPECT_TRUE(dlg->Control(CSkinCfgDlg::kApply)->isEnabled());
    EXPECT_EQ(Slider(CSkinCfgDlg::kCursorSlider)->Pos(), 5);
    EXPECT_EQ(Slider(CSkinCfgDlg::kScrollSlider)->Pos(), 3);
}

TEST_F(CfgDialogTest, DpiBoxStopsAtTheVariantsHighestDpi) {
    Type(QStringLiteral("9000"));
    EXPECT_EQ(Box()->text(), QStringLiteral("8200"));
    EXPECT_EQ(Slider(CSkinCfgDlg::kDpiSlider)->Pos(), 1);
    EXPECT_EQ(Cell(map::LevelAddress(0, 2)).value, 164);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(CfgDialogTest, ADragSendsNothingUntilItEnds) {
    CBitmapSlider* slider = Slider(CSkinCfgDlg::kLiftOffSlider);
    slider->SetPos(0);
    const QPoint start = Thumb(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, start);
    QTest::mouseMove(slider, start + QPoint(60, 0));
    QTest::mouseMove(slider, start + QPoint(90, 0));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Cell(kB0 + 1).value, 0x26);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(90, 0));
    const int released = slider->Pos();
    EXPECT_GT(released, 0);
    EXPECT_EQ(Effects(),
              (Sent{LiftOff(0x20 | released), LiftOff(0x20 | released), LiftOff(0x20 | released)}));
    EXPECT_EQ(TenMsPauses(), 2u);
}

// The whole run: published as "Configure Handle", the posted commands act as clicks and the monitor's
// notices reach the dialog; the unattended answer cancels.
TEST_F(CfgDialogTest, RunPublishesItselfAndTakesPostedCommandsAndNotices) {
    dlg->hide();
    TempDir runtime;
    CDatagramPoster sender(runtime.Path());
    CScriptedModalRunner runner;
    runner.ShowForReal([&] {
        QTimer::singleShot(0, dlg.get(), [&] {
            const auto handle = static_cast<WindowHandle>(store.ReadDword(store::kConfigureHandle));
            sender.Post(handle, msg::kCommand, CSkinCfgDlg::kFirstPolling + 2, 0);   // 500 Hz
            sender.Post(handle, msg::kDeviceNotice, devnotice::kReportInterval, 4);  // 250 Hz on the mouse
            sender.Post(handle, msg::kCommand, CSkinCfgDlg::kOk, 0);
        });
        QTimer::singleShot(5000, dlg.get(), [&] { dlg->reject(); });
    });
    EXPECT_EQ(dlg->Run(0, runtime.Path()), kModalOk);
    EXPECT_EQ(Effects(), (Sent{Effect(0, 0x02)}));
    EXPECT_EQ(Peek(0, kB0), 0x01);  // stored as the mouse holds it: 250 Hz, nothing written
    EXPECT_EQ(Cell(kB0).value, 0x04);
    EXPECT_FALSE(Cell(kB0).changed);
    EXPECT_EQ(store.ReadDword(store::kConfigureHandle), -1);

    // Unattended: opened and cancelled without a word to the mouse.
    Clear();
    CScriptedModalRunner unattended;
    unattended.Answer(kModalCancel);
    EXPECT_EQ(dlg->Run(1, runtime.Path()), kModalCancel);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(dlg->EndProfile(), 1);
}

}  // namespace
}  // namespace vorlix::testing
