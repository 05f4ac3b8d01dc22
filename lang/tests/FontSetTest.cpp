#include <gtest/gtest.h>

#include "lang/FontSet.h"

namespace vorlix {
namespace {

TEST(FontSetTest, Font0SizeFollowsTheIconTitleFont) {
    const struct {
        int height;
        double points;
    } cases[] = {
        {0, 15},    {-9, 15},   {-10, 10.9}, {-12, 10.9}, {-13, 9},  {-15, 9}, {-16, 7.5},
        {-18, 7.5}, {-19, 5.5}, {-24, 5.5},  {-25, 10},   {-80, 10}, {12, 15},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CFontSet::PointSizeForIconTitleHeight(c.height), c.points) << c.height;
    }
    EXPECT_EQ(CFontSet::PixelHeightAt96Dpi(9), -12);
    EXPECT_EQ(CFontSet::PixelHeightAt96Dpi(10.5), -14);
}

TEST(FontSetTest, DescribesTheSevenWindowFonts) {
    CTextTables tables;
    tables.SetFont(0, {u"Liberation Sans", -30, 5, 900});
    const auto fonts = CFontSet::Describe(tables, -12);
    EXPECT_EQ(fonts[0].face, u"Liberation Sans");
    EXPECT_DOUBLE_EQ(fonts[0].pointSize, 10.9);
    EXPECT_EQ(fonts[0].height, 0) << "font 0 is made from its point size alone";
    for (int i = 1; i < CTextTables::kFontCount; ++i) {
        SFontDescription expected;
        expected.face = tables.Font(i).name;
        expected.height = tables.Font(i).height;
        expected.weight = tables.Font(i).weight;
        EXPECT_EQ(fonts[i], expected) << i;
    }
    EXPECT_EQ(fonts[1].face, u"Arial Rounded MT Bold");
    EXPECT_EQ(fonts[1].height, 20);
    EXPECT_EQ(fonts[1].weight, 700);
    EXPECT_EQ(fonts[1].pitchAndFamily, 0x22);
    EXPECT_EQ(fonts[1].clipPrecision, 0x10);
    EXPECT_EQ(fonts[1].outPrecision, 2);
    EXPECT_EQ(fonts[1].quality, 1);
}

}  // namespace
}  // namespace vorlix
