#include <gtest/gtest.h>

#include <vector>

#include "ui/skin/core/BitmapRegion.h"

namespace vorlix {
namespace {

// A small picture filled with one colour; tests paint single pixels into it.
struct Canvas {
    Canvas(int w, int h, std::uint32_t fill, int pad = 0) : width(w), height(h), stride(w + pad) {
        pixels.assign(static_cast<std::size_t>(stride) * h, fill | 0xFF000000u);
    }
    void Set(int x, int y, std::uint32_t rgb) { pixels[static_cast<std::size_t>(y) * stride + x] = rgb; }
    SPixelView View() const { return SPixelView{pixels.data(), width, height, stride}; }
    int width;
    int height;
    int stride;
    std::vector<std::uint32_t> pixels;
};

TEST(BitmapRegion, AllKeyPictureGivesEmptyRegion) {
    for (std::uint32_t key : {kDialogKey, kNoticeKey, kOverlayKey}) {
        Canvas canvas(37, 11, key);
        CRectListSink sink;
        EXPECT_EQ(BitmapRegion(canvas.View(), key, sink), 0u);
        EXPECT_TRUE(sink.Rects().empty());
        EXPECT_EQ(sink.Batches(), 0);
    }
}

TEST(BitmapRegion, MatchesTheKeyExactly) {
    // Near-key colours, and black and white in a notice picture, are inside.
    struct Case {
        std::uint32_t key;
        std::uint32_t pixel;
    };
    const Case cases[] = {
        {kDialogKey, Rgb(0, 64, 1)},   {kDialogKey, Rgb(1, 64, 0)},   {kDialogKey, Rgb(0, 63, 0)},
        {kNoticeKey, Rgb(0, 0, 0)},    {kNoticeKey, Rgb(16, 16, 16)}, {kNoticeKey, Rgb(255, 255, 255)},
        {kNoticeKey, Rgb(64, 64, 65)}, {kOverlayKey, Rgb(0, 254, 0)},
    };
    for (const Case& c : cases) {
        Canvas canvas(5, 3, c.key);
        canvas.Set(2, 1, c.pixel);
        CRectListSink sink;
        ASSERT_EQ(BitmapRegion(canvas.View(), c.key, sink), 1u) << std::hex << c.pixel;
        EXPECT_EQ(sink.Rects()[0], (SRect{2, 1, 3, 2}));
    }
}

TEST(BitmapRegion, IgnoresTheAlphaByteAndRowPadding) {
    Canvas canvas(4, 2, kDialogKey, 3);
    canvas.Set(1, 0, 0x00FFFFFFu);
    canvas.Set(4, 0, Rgb(200, 0, 0));  // padding: never read
    canvas.Set(0, 1, 0x7F004000u);     // the key with another alpha is still the key
    CRectListSink sink;
    BitmapRegion(canvas.View(), kDialogKey, sink);
    EXPECT_EQ(sink.Rects(), (std::vector<SRect>{{1, 0, 2, 1}}));
}

TEST(BitmapRegion, EmitsMaximalRunsPerRowTopDown) {
    // Row 0: inside at 0..1 and 3 (reaching the last column); row 1: all inside; row 2: all key.
    Canvas canvas(4, 3, Rgb(10, 10, 10));
    canvas.Set(2, 0, kDialogKey);
    for (int x = 0; x < 4; ++x) {
        canvas.Set(x, 2, kDialogKey);
    }
    CRectListSink sink;
    EXPECT_EQ(BitmapRegion(canvas.View(), kDialogKey, sink), 3u);
    EXPECT_EQ(sink.Rects(), (std::vector<SRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 1, 4, 2}}));
}

TEST(BitmapRegion, MergesInBatchesOf3000) {
    // Every other pixel inside: 50 runs per row, 130 rows = 6500 rectangles in batches 3000, 3000, 500.
    Canvas canvas(100, 130, kDialogKey);
    for (int y = 0; y < 130; ++y) {
        for (int x = 0; x < 100; x += 2) {
            canvas.Set(x, y, 0);
        }
    }
    struct CountingSink : IRegionSink {
        std::vector<std::size_t> sizes;
        void Merge(const SRect*, std::size_t count) override { sizes.push_back(count); }
    } sink;
    EXPECT_EQ(BitmapRegion(canvas.View(), kDialogKey, sink), 6500u);
    EXPECT_EQ(sink.sizes, (std::vector<std::size_t>{3000, 3000, 500}));
}

TEST(BitmapRegion, EmptyOrBrokenViewGivesNothing) {
    CRectListSink sink;
    EXPECT_EQ(BitmapRegion(SPixelView{}, kDialogKey, sink), 0u);
    std::uint32_t pixel = 0;
    EXPECT_EQ(BitmapRegion(SPixelView{&pixel, 2, 1, 1}, kDialogKey, sink), 0u);  // stride shorter than a row
    EXPECT_EQ(sink.Batches(), 0);
}

TEST(MaskRegion, OnlyExactWhiteIsOutside) {
    Canvas canvas(6, 2, kTransparentWhite);
    canvas.Set(1, 0, Rgb(254, 255, 255));  // near-white is inside
    canvas.Set(2, 0, Rgb(0, 0, 0));
    canvas.Set(5, 1, Rgb(0, 64, 0));  // a run reaching the last column includes it
    CRectListSink sink;
    EXPECT_EQ(MaskRegion(canvas.View(), sink), 2u);
    EXPECT_EQ(sink.Rects(), (std::vector<SRect>{{1, 0, 3, 1}, {5, 1, 6, 2}}));
}

}  // namespace
}  // namespace vorlix
