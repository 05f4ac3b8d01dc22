#include <gtest/gtest.h>

#include <set>

#include "ui/skin/core/FrameStrip.h"
#include "ui/skin/core/SkinTable.h"
#include "ui/skin/core/SliderGeometry.h"

namespace vorlix {
namespace {

TEST(FrameStrip, FrameSizeFollowsTheStripDirection) {
    EXPECT_EQ(FrameSizeOf(156, 27, true).width, 39);
    EXPECT_EQ(FrameSizeOf(156, 27, true).height, 27);
    EXPECT_EQ(FrameSizeOf(39, 108, false).width, 39);
    EXPECT_EQ(FrameSizeOf(39, 108, false).height, 27);
}

TEST(FrameStrip, PressedWinsOverHoverOverPlainLook) {
    EXPECT_EQ(FrameFor(true, false, false), EFrame::Normal);
    EXPECT_EQ(FrameFor(false, false, false), EFrame::Disabled);
    EXPECT_EQ(FrameFor(true, false, true), EFrame::Hover);
    EXPECT_EQ(FrameFor(true, true, true), EFrame::Pressed);
}

TEST(SliderGeometry, PositionsAndPixelsRoundTripAtBothEnds) {
    const SSliderGeometry cases[] = {
        {340, 22, 4, 4, 1, 10, false}, {300, 22, 0, 0, 1, 164, false},  {238, 9, 0, 0, 0, 233, false},
        {190, 18, 2, 2, 0, 31, true},  {100, 10, 5, 5, -20, 20, false},
    };
    for (const SSliderGeometry& g : cases) {
        for (int pos : {g.min, g.max}) {
            EXPECT_EQ(g.PixelToPos(g.PosToPixel(pos)), pos) << g.length << " " << pos;
        }
        // The thumb's centre (or leading edge) at each end of its travel.
        EXPECT_EQ(g.PosToPixel(g.min), g.FirstPixel());
        EXPECT_EQ(g.PosToPixel(g.max), g.FirstPixel() + g.FreeLength());
    }
}

TEST(SliderGeometry, FollowsTheFormulas) {
    const SSliderGeometry g{340, 22, 4, 6, 1, 10, false};  // free length 308
    EXPECT_EQ(g.PosToPixel(5), 11 + 4 + 4 * 308 / 9);  // half the thumb + start margin + share of the travel
    EXPECT_EQ(g.PixelToPos(15 + 154), 1 + 154 * 9 / 308);
    EXPECT_EQ(g.PixelToPos(0), 1);      // before the start: clamped to min
    EXPECT_EQ(g.PixelToPos(1000), 10);  // past the end: clamped to max
    EXPECT_EQ(g.PosToPixel(99), g.PosToPixel(10));
    SSliderGeometry edge = g;
    edge.fromLeadingEdge = true;  // measured from the thumb's leading edge
    EXPECT_EQ(edge.PixelToPos(4 + 154), 1 + 154 * 9 / 308);
}

TEST(SliderGeometry, DegenerateRangeOrLengthDoesNotDivideByZero) {
    const SSliderGeometry oneValue{200, 20, 0, 0, 7, 7, false};
    EXPECT_EQ(oneValue.PosToPixel(7), 10);
    EXPECT_EQ(oneValue.PixelToPos(150), 7);
    const SSliderGeometry tooShort{20, 16, 3, 3, 0, 100, false};
    EXPECT_EQ(tooShort.FreeLength(), 0);
    EXPECT_EQ(tooShort.PosToPixel(100), tooShort.FirstPixel());
    EXPECT_EQ(tooShort.PixelToPos(19), 0);
    EXPECT_EQ(tooShort.ClampPixel(50), tooShort.FirstPixel());
}

TEST(SkinTable, IdsAreUniqueAndEveryPlaceFitsItsWindow) {
    std::set<int> ids;
    for (const SBitmapInfo& info : BitmapTable()) {
        ASSERT_LE(info.first, info.last);
        for (int id = info.first; id <= info.last; ++id) {
            EXPECT_TRUE(ids.insert(id).second) << "id " << id << " listed twice";
        }
        if (info.kind == EKind::StripH) {
            EXPECT_EQ(info.width % kFrameCount, 0) << info.first;
        }
        if (info.kind == EKind::StripV) {
            EXPECT_EQ(info.height % kFrameCount, 0) << info.first;
        }
    }
    for (const SPlace& place : PlaceTable()) {
        const SBitmapInfo* window = FindBitmap(place.window);
        ASSERT_NE(window, nullptr) << place.window;
        EXPECT_GE(place.x, 0);
        EXPECT_GE(place.y, 0);
        EXPECT_LE(place.x + place.width, window->width) << place.window << "/" << place.control;
        EXPECT_LE(place.y + place.height, window->height) << place.window << "/" << place.control;
    }
    // The hot-spots' skins and masks share one size per button.
    for (int k = 0; k < 8; ++k) {
        const SBitmapInfo* mask = FindBitmap(kHotSpotMask + k);
        for (int base : {kHotSpotNormal, kHotSpotHover, kHotSpotSelected, kHotSpotPressed}) {
            EXPECT_EQ(FindBitmap(base + k)->width, mask->width);
            EXPECT_EQ(FindBitmap(base + k)->height, mask->height);
        }
    }
}

}  // namespace
}  // namespace vorlix
