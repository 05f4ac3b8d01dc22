// The loading overlay: creation, frame advance, shape and placement.
#include <gtest/gtest.h>

#include "ui/skin/OsdProgress.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

std::vector<int> FrameIds() {
    std::vector<int> ids;
    for (int id = 405; id <= 416; ++id) {
        ids.push_back(id);
    }
    return ids;
}

TEST(OsdProgress, CreatedHiddenWithTwelveFrames) {
    SkinTestApp();
    COsdProgress overlay;
    EXPECT_EQ(overlay.ShowFrame(0), 0);  // not created yet
    ASSERT_EQ(overlay.Create(FrameIds(), 417), 1);
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(overlay.FrameCount(), 12);
    EXPECT_EQ(overlay.CurrentFrame(), 0);
    EXPECT_FALSE(overlay.isEnabled());
    EXPECT_NEAR(overlay.windowOpacity(), 220 / 255.0, 0.01);
}

TEST(OsdProgress, AdvanceWrapsAndAnIndexPastTheEndDoesNothing) {
    SkinTestApp();
    COsdProgress overlay;
    overlay.Create(FrameIds(), 417);
    ASSERT_EQ(overlay.ShowFrame(11), 1);
    const QImage eleventh = overlay.Picture().toImage();
    overlay.Advance();
    EXPECT_EQ(overlay.CurrentFrame(), 0);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.ShowFrame(12), 0);
    EXPECT_EQ(overlay.CurrentFrame(), 0);
    EXPECT_NE(overlay.Picture().toImage(), eleventh);
    // A negative index composes the current frame again.
    EXPECT_EQ(overlay.ShowFrame(-1), 1);
    EXPECT_EQ(overlay.CurrentFrame(), 0);
}

TEST(OsdProgress, ShapedByThePureGreenKeyWithTheCaptionInside) {
    SkinTestApp();
    COsdProgress overlay;
    overlay.Create(FrameIds(), 417);
    ASSERT_EQ(overlay.ShowFrame(3), 1);
    EXPECT_EQ(overlay.size(), QSize(172, 172));
    EXPECT_FALSE(overlay.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(overlay.mask().contains(QPoint(86, 86)));  // the caption's middle
    // A missing frame picture leaves the overlay as it was.
    COsdProgress broken;
    broken.Create({405, 99999}, 417);
    ASSERT_EQ(broken.ShowFrame(0), 1);
    EXPECT_EQ(broken.ShowFrame(1), 0);
    EXPECT_EQ(broken.CurrentFrame(), 0);
}

TEST(OsdProgress, StartCentresOnTheMainWindowAndStopHides) {
    SkinTestApp();
    QWidget main;
    main.setGeometry(100, 50, 990, 760);
    main.show();
    COsdProgress overlay;
    overlay.Create(FrameIds(), 417);
    overlay.Start(&main);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_TRUE(overlay.IsRunning());
    EXPECT_EQ(overlay.FrameTimer().interval(), 83);  // about 12 frames a second
    const QPoint offset = overlay.geometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    overlay.Stop();
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_FALSE(overlay.IsRunning());
}

}  // namespace
}  // namespace vorlix
