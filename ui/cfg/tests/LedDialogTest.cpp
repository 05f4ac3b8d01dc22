// The LED dialog as the user drives it: zone buttons, the hue slider and clicks on the colour square,
// against an in-process virtual mouse with the fake clock; and what it draws.
#include <gtest/gtest.h>

#include <QTest>

#include "lang/TextTables.h"
#include "ui/cfg/SkinLedDlg.h"
#include "ui/cfg/tests/CfgFixture.h"
#include "ui/dialogs/tests/ScriptedModalRunner.h"
#include "ui/skin/BitmapSlider.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix::testing {
namespace {

class LedDialogTest : public CfgFixture {
protected:
    void SetUp() override {
        CfgFixture::SetUp();
        dlg = std::make_unique<CSkinLedDlg>(*device, clock, store, texts);
        ASSERT_TRUE(dlg->Prepare(0));
        dlg->show();
        Clear();
    }
    void Click(int id) { QTest::mouseClick(dlg->Control(id), Qt::LeftButton); }
    void ClickAt(int x, int y, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(dlg.get(), Qt::LeftButton, modifiers, QPoint(x, y));
    }
    void Hue(int position) {
        auto* slider = static_cast<CBitmapSlider*>(dlg->Control(CSkinLedDlg::kHueSlider));
        slider->SetPos(position);
        const QPoint thumb(slider->width() / 2, slider->ThumbCentre());
        QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb);
    }
    QRgb Shown(int x, int y) const { return dlg->grab().toImage().pixel(x, y) & 0xFFFFFF; }
    std::vector<int> Writes() const {
        std::vector<int> writes;
        for (const auto& bytes : Commands()) {
            if (bytes[0] == 0xDE) {
                writes.push_back(bytes[1] | bytes[2] << 8);
            }
        }
        return writes;
    }

    SAppFirst app;
    CTextTables texts;
    std::unique_ptr<CSkinLedDlg> dlg;
};

TEST_F(LedDialogTest, WheelPickedRedAndAppliedWithoutStoring) {
    Click(1740);
    Hue(0);
    EXPECT_EQ(dlg->Model().Square().Hue(), 0xFF0000u);
    EXPECT_FALSE(dlg->Control(CSkinLedDlg::kApply)->isEnabled());
    ClickAt(588, 150);
    EXPECT_EQ(dlg->Model().After(), (CLedDialogModel::Colour{254, 0, 0}));
    EXPECT_TRUE(dlg->Control(CSkinLedDlg::kApply)->isEnabled());
    // The swatches: before red, after the pick.
    EXPECT_EQ(Shown(420, 420), 0xFF0000u);
    EXPECT_EQ(Shown(560, 420), 0xFE0000u);

    Click(CSkinLedDlg::kApply);
    const Sent commands = Commands();
    ASSERT_EQ(commands.size(), 13u);
    EXPECT_EQ(commands[0], Effect(39, 254));
    EXPECT_EQ(commands[3], Effect(43, 0xFF));
    EXPECT_EQ(commands.back(), kLightEnd);
    EXPECT_EQ(Peek(0, kB0 + 39), 0xFF);
    EXPECT_FALSE(Cell(kB0 + 39).changed);
    EXPECT_FALSE(dlg->Control(CSkinLedDlg::kApply)->isEnabled());
}

TEST_F(LedDialogTest, OkWritesOnlyWhatDiffers) {
    Click(1744);  // right side: record 1
    ClickAt(355, 150);
    Click(CSkinLedDlg::kOk);
    EXPECT_EQ(Writes(), (std::vector<int>{kB0 + 43, kB0 + 44, kB0 + 45}));
    EXPECT_EQ(Peek(0, kB0 + 44), 233);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(store.ReadDword(store::kLedEditHandle), -1);
}

TEST_F(LedDialogTest, TwoPicksThenCancelShowTheOpeningColourAgain) {
    Click(1742);
    ClickAt(588, 150);
    ClickAt(400, 300);
    Clear();
    Click(CSkinLedDlg::kCancel);
    EXPECT_EQ(Commands(), (Sent{Effect(47, 0xFF), Effect(48, 0), Effect(49, 0), kLightEnd}));
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(LedDialogTest, LastRowAndColumnTakeTheBackgroundAndModifiedClicksNothing) {
    const QImage background = CSkinImages::Image(CSkinLedDlg::kBackground);
    Click(1743);
    ClickAt(450, 250, Qt::ShiftModifier);
    ClickAt(450, 250, Qt::ControlModifier);
    EXPECT_FALSE(dlg->Control(CSkinLedDlg::kApply)->isEnabled());
    ClickAt(589, 384);
    const QRgb corner = background.pixel(589, 384);
    EXPECT_EQ(dlg->Model().After(), (CLedDialogModel::Colour{qRed(corner), qGreen(corner), qBlue(corner)}));
    ClickAt(589, 384 - 100);
    const QRgb column = background.pixel(589, 284);
    EXPECT_EQ(dlg->Model().After(), (CLedDialogModel::Colour{qRed(column), qGreen(column), qBlue(column)}));
    EXPECT_EQ(dlg->Model().Marker(), (CLedDialogModel::SPoint{584, 284}));
}

TEST_F(LedDialogTest, SquareHueColumnAndMarkerAreDrawn) {
    // The hue column of the picture is what the slider reads.
    const QImage background = CSkinImages::Image(CSkinLedDlg::kBackground);
    Hue(200);
    EXPECT_EQ(dlg->Model().Square().Hue(), background.pixel(619, 350) & 0xFFFFFF);
    Hue(0);
    const QImage shown = dlg->grab().toImage();
    EXPECT_EQ(shown.pixel(355, 150) & 0xFFFFFF, 0xE9E9E9u);
    EXPECT_EQ(shown.pixel(355 + 233, 150 + 100) & 0xFFFFFF, dlg->Model().Square().Pixel(233, 100));
    // The marker starts at the top right, its circle drawn in its own colour.
    int markerPixels = 0;
    for (int y = 150; y <= 160; ++y) {
        for (int x = 579; x <= 589; ++x) {
            markerPixels += (shown.pixel(x, y) & 0xFFFFFF) == 0xD6DACEu ? 1 : 0;
        }
    }
    EXPECT_GT(markerPixels, 10);
}

TEST_F(LedDialogTest, MouseLostClosesWithoutTalkingToIt) {
    Click(1740);
    ClickAt(355, 150);
    Clear();
    dlg->CancelForLostDevice();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    // A profile switch on the mouse brings that profile's colours.
    ASSERT_TRUE(dlg->Prepare(0));
    dlg->OnMessage(msg::kDeviceNotice, devnotice::kProfileOrResolution, 0x80 | 4 << 4);
    EXPECT_EQ(dlg->EndProfile(), 4);
    EXPECT_EQ(dlg->Model().Current(2), (CLedDialogModel::Colour{0, 0, 0xFF}));
}

}  // namespace
}  // namespace vorlix::testing
