// Dragging the bitmap sliders with the mouse and the notifications they send.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "ui/skin/BitmapSliderEx2.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

struct Notice {
    int message;
    int id;
    int pos;
    bool operator==(const Notice&) const = default;
};

std::vector<Notice> Notices(const QSignalSpy& spy) {
    std::vector<Notice> out;
    for (const QList<QVariant>& args : spy) {
        out.push_back({args[0].toInt(), args[1].toInt(), args[2].toInt()});
    }
    return out;
}

// The double-click slider of the performance dialog: 340 × 30, thumb 22, range 1..10.
struct SliderFixture : ::testing::Test {
    void SetUp() override {
        slider = new CBitmapSlider(&window, 1045);
        slider->setGeometry(0, 0, 340, 30);
        slider->SetBitmapChannel(177);
        slider->SetBitmapThumb(178, 179);
        slider->SetRange(1, 10);
        slider->SetMargin(4, 4);
        window.show();
    }
    QPoint At(int pixel) const { return QPoint(pixel, 15); }
    SAppFirst app;
    QWidget window;
    CBitmapSlider* slider = nullptr;
};

TEST_F(SliderFixture, DragSendsDownMovingAndReleasedWithTheControlId) {
    slider->SetPos(1);
    QSignalSpy spy(slider, &CBitmapSlider::Notify);
    const int start = slider->ThumbCentre();
    QTest::mousePress(slider, Qt::LeftButton, {}, At(start + 3));  // on the thumb: no jump
    EXPECT_TRUE(slider->IsDragging());
    QTest::mouseMove(slider, At(start + 3 + 200));
    QTest::mouseMove(slider, At(start + 3 + 201));  // too small a step to change the position
    QTest::mouseRelease(slider, Qt::LeftButton, {}, At(start + 3 + 201));
    const int dragged = slider->Geometry().PixelToPos(start + 200);
    EXPECT_EQ(Notices(spy),
              (std::vector<Notice>{{0x28D3, 1045, 1}, {0x28D1, 1045, dragged}, {0x28D2, 1045, dragged}}));
}

TEST_F(SliderFixture, ClickAwayFromTheThumbJumpsAndTheEndsAreReached) {
    slider->SetPos(5);
    QSignalSpy spy(slider, &CBitmapSlider::Notify);
    QTest::mousePress(slider, Qt::LeftButton, {}, At(339));
    EXPECT_EQ(slider->Pos(), 10);
    QTest::mouseMove(slider, At(-50));  // dragged past the start: clamped to min
    EXPECT_EQ(slider->Pos(), 1);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, At(-50));
    EXPECT_EQ(Notices(spy).back(), (Notice{0x28D2, 1045, 1}));
    // A disabled slider ignores the mouse.
    slider->setEnabled(false);
    QTest::mouseClick(slider, Qt::LeftButton, {}, At(300));
    EXPECT_EQ(slider->Pos(), 1);
}

TEST_F(SliderFixture, TinyControlOrOneValueRangeNeverDividesByZero) {
    slider->SetRange(3, 3);
    QTest::mouseClick(slider, Qt::LeftButton, {}, At(300));
    EXPECT_EQ(slider->Pos(), 3);
    slider->SetRange(0, 31);
    slider->resize(20, 30);  // shorter than thumb and margins
    QTest::mousePress(slider, Qt::LeftButton, {}, At(15));
    QTest::mouseMove(slider, At(18));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, At(18));
    EXPECT_EQ(slider->Pos(), 0);
    slider->grab();
}

TEST(BitmapSliderEx, VerticalTwoPartSliderTracksTheThumbFromTheTop) {
    SkinTestApp();
    QWidget window;
    auto* dpi = new CBitmapSliderEx(&window, 1806);
    dpi->setGeometry(0, 0, 44, 300);
    dpi->SetVertical(true);
    dpi->SetBitmapChannel(468);
    dpi->SetBitmapChannelStart(467);
    dpi->SetBitmapThumb(2003);
    dpi->SetRange(1, 164);
    window.show();
    QTest::mouseClick(dpi, Qt::LeftButton, {}, QPoint(22, 0));
    EXPECT_EQ(dpi->Pos(), 1);
    QTest::mouseClick(dpi, Qt::LeftButton, {}, QPoint(22, 299));
    EXPECT_EQ(dpi->Pos(), 164);
    // The two channel pictures meet at the thumb.
    dpi->SetPos(82);
    const QImage shown = dpi->grab().toImage();
    const int split = dpi->ThumbCentre();
    EXPECT_NE(shown.pixel(22, split - 20), shown.pixel(22, split + 20));
}

TEST(BitmapSliderEx2, HorizontalPositionIsMeasuredFromTheThumbsLeadingEdge) {
    SkinTestApp();
    QWidget window;
    auto* slider = new CBitmapSliderEx2(&window, 1);
    slider->setGeometry(0, 0, 190, 30);
    slider->SetBitmapThumb(236);
    slider->SetRange(0, 31);
    window.show();
    for (int pos : {0, 31}) {
        EXPECT_EQ(slider->Geometry().PixelToPos(slider->Geometry().PosToPixel(pos)), pos);
    }
    EXPECT_EQ(slider->Geometry().PosToPixel(17), 17 * (190 - 18) / 31);
    // Dragging the thumb's leading edge to a pixel gives that pixel's position.
    slider->SetPos(0);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(9, 15));  // on the thumb's centre
    QTest::mouseMove(slider, QPoint(9 + 100, 15));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(9 + 100, 15));
    EXPECT_EQ(slider->Pos(), 100 * 31 / 172);
}

}  // namespace
}  // namespace vorlix
