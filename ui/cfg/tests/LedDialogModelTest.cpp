// The LED dialog's decisions: the colour square's arithmetic, zones, picking and the marker, and the
// command sequences of Apply, OK and Cancel against an in-process virtual mouse.
#include <gtest/gtest.h>

#include <vector>

#include "ui/cfg/core/ColourSquare.h"
#include "ui/cfg/core/LedDialogModel.h"
#include "ui/cfg/tests/CfgFixture.h"

namespace vorlix::testing {
namespace {

using Colour = CLedDialogModel::Colour;

TEST(ColourSquare, CornersAndColumnsDivideTowardsZero) {
    struct SCase {
        uint32_t hue;
        int column;
        int row;
        uint32_t pixel;
    };
    const SCase cases[] = {
        {0xFF0000, 233, 0, 0xFE0000},  // 255 + (-21 × 1) / 234 keeps 255; green and blue start at 1
        {0xFF0000, 0, 0, 0xE9E9E9},    // 234 each, all three lose 1
        {0xFF0000, 233, 233, 0x150000}, {0x000000, 233, 0, 0x000101},  // sum 3: only red loses 1 ...
        {0x000000, 233, 1, 0x000001},                                  // ... then green
        {0x000000, 233, 5, 0x000000},                                  // and never below 0
        {0x00FF00, 116, 0, 0x75F475},
    };
    CColourSquare square;
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.column * 1000 + c.row);
        square.Draw(c.hue);
        EXPECT_EQ(square.Pixel(c.column, c.row), c.pixel);
    }
}

// A background of the dialog's size: grey, a red-to-blue hue column and one marked pixel past the
// square's corner.
struct SBackground {
    static constexpr int kWidth = 680;
    static constexpr int kHeight = 579;
    SBackground() : pixels(static_cast<size_t>(kWidth * kHeight), 0x202020) {
        for (int p = 0; p <= 233; ++p) {
            Set(619, 150 + p, p < 100 ? 0xFF0000 : 0x0000FF);
        }
        Set(589, 384, 0x123456);
        Set(589, 200, 0x654321);
    }
    void Set(int x, int y, uint32_t rgb) { pixels[static_cast<size_t>(y * kWidth + x)] = rgb; }
    SPixelView View() const { return {pixels.data(), kWidth, kHeight, kWidth}; }
    std::vector<uint32_t> pixels;
};

class LedModelTest : public CfgFixture {
protected:
    void SetUp() override {
        CfgFixture::SetUp();
        model = std::make_unique<CLedDialogModel>(*device, clock);
        ASSERT_TRUE(model->Open(0));
    }
    bool Click(int x, int y, bool plain = true) { return model->Pick(x, y, plain, background.View()); }

    SBackground background;
    std::unique_ptr<CLedDialogModel> model;
};

TEST_F(LedModelTest, ZonesPairTheSidesAndPicksNeedAZone) {
    EXPECT_FALSE(Click(400, 200));  // no zone yet
    EXPECT_FALSE(model->ApplyEnabled());
    EXPECT_TRUE(model->SelectZone(1741));
    EXPECT_EQ(model->Record(), 1);
    EXPECT_TRUE(model->ZoneShownSelected(1744));
    EXPECT_FALSE(model->SelectZone(1744));  // the partner: the selection stays
    EXPECT_EQ(model->Zone(), 1741);
    EXPECT_FALSE(model->SelectZone(1745));
    EXPECT_TRUE(model->SelectZone(1742));
    EXPECT_EQ(model->Record(), 2);
    EXPECT_FALSE(model->ZoneShownSelected(1741));
}

TEST_F(LedModelTest, PickingTakesTheShownColourAndMovesTheMarker) {
    EXPECT_EQ(model->Marker(), (CLedDialogModel::SPoint{584, 155}));
    ASSERT_TRUE(model->SelectZone(1740));
    // Top right of the red square.
    EXPECT_TRUE(Click(588, 150));
    EXPECT_EQ(model->After(), (Colour{254, 0, 0}));
    EXPECT_EQ(model->Before(), (Colour{0xFF, 0, 0}));
    EXPECT_TRUE(model->ApplyEnabled());
    EXPECT_EQ(model->Marker(), (CLedDialogModel::SPoint{584, 155}));
    // The last row and column show the background.
    EXPECT_TRUE(Click(589, 384));
    EXPECT_EQ(model->After(), (Colour{0x12, 0x34, 0x56}));
    EXPECT_EQ(model->Before(), (Colour{254, 0, 0}));
    EXPECT_EQ(model->Marker(), (CLedDialogModel::SPoint{584, 379}));
    EXPECT_TRUE(Click(589, 200));
    EXPECT_EQ(model->After(), (Colour{0x65, 0x43, 0x21}));
    // Only plain left clicks inside the area count.
    for (const auto& [x, y, plain] : {std::tuple{400, 200, false},
                                      {590, 200, true},
                                      {400, 385, true},
                                      {354, 200, true},
                                      {400, 149, true}}) {
        EXPECT_FALSE(Click(x, y, plain));
    }
    EXPECT_EQ(model->After(), (Colour{0x65, 0x43, 0x21}));
    // The hue comes from the background's column.
    model->MoveHue(150, background.View());
    EXPECT_EQ(model->Square().Hue(), 0x0000FFu);
    EXPECT_TRUE(Click(355 + 233, 150));
    EXPECT_EQ(model->After(), (Colour{0, 0, 254}));
}

TEST_F(LedModelTest, ApplyPreviewsAllTwelveBytesAndStoresNothing) {
    ASSERT_TRUE(model->SelectZone(1740));
    ASSERT_TRUE(Click(588, 150));
    model->Apply();
    Sent expected;
    const int offsets[] = {39, 40, 41, 43, 44, 45, 47, 48, 49, 51, 52, 53};
    for (const int offset : offsets) {
        const bool wheel = offset < 42;
        expected.push_back(Effect(offset, offset % 4 == 3 ? (wheel ? 254 : 0xFF) : 0));
    }
    expected.push_back(kLightEnd);
    EXPECT_EQ(Commands(), expected);
    EXPECT_EQ(TenMsPauses(), 12u);
    EXPECT_EQ(Peek(0, kB0 + 39), 0xFF);
    EXPECT_EQ(Cell(kB0 + 39).value, 0xFF);
    EXPECT_FALSE(Cell(kB0 + 39).changed);
    EXPECT_EQ(model->Zone(), CLedDialogModel::kNoZone);
    EXPECT_FALSE(model->ApplyEnabled());
}

TEST_F(LedModelTest, OkWritesOnlyTheBytesThatDiffer) {
    ASSERT_TRUE(model->SelectZone(1742));
    ASSERT_TRUE(Click(355, 150));  // (233, 233, 233) for record 2
    model->Ok();
    std::vector<uint8_t> writes;
    for (const auto& bytes : Commands()) {
        if (bytes[0] == 0xDE) {
            writes.push_back(bytes[1]);
        }
    }
    // Record 2's red was 0xFF; green and blue were 0.
    EXPECT_EQ(writes, (std::vector<uint8_t>{kB0 + 47 - 256, kB0 + 48 - 256, kB0 + 49 - 256}));
    EXPECT_EQ(Effects().size(), 13u);
    EXPECT_EQ(Effects().back(), kLightEnd);
    EXPECT_EQ((std::vector<uint8_t>{Peek(0, kB0 + 47), Peek(0, kB0 + 48), Peek(0, kB0 + 49)}),
              (std::vector<uint8_t>{233, 233, 233}));
    EXPECT_TRUE(Cell(kB0 + 48).valid);
    EXPECT_FALSE(Cell(kB0 + 48).changed);
}

TEST_F(LedModelTest, OkKeepsAPickWhoseWriteFailedAsAnEdit) {
    ASSERT_TRUE(model->SelectZone(1743));
    ASSERT_TRUE(Click(355, 150));
    transport->HideMouse(0, true);
    model->Ok();
    EXPECT_EQ(Cell(kB0 + 52).value, 233);
    EXPECT_TRUE(Cell(kB0 + 52).changed);
    EXPECT_FALSE(Cell(kB0 + 39).changed);  // a byte the mouse holds already is not touched
}

TEST_F(LedModelTest, CancelAfterTwoPicksShowsTheOpeningColour) {
    ASSERT_TRUE(model->SelectZone(1740));
    ASSERT_TRUE(Click(588, 150));
    ASSERT_TRUE(Click(355, 150));
    EXPECT_EQ(model->Before(), (Colour{254, 0, 0}));
    model->Cancel();
    EXPECT_EQ(Commands(), (Sent{Effect(39, 0xFF), Effect(40, 0), Effect(41, 0), kLightEnd}));
    EXPECT_EQ(TenMsPauses(), 3u);
}

TEST_F(LedModelTest, CancelWithNothingPickedOrTheMouseGoneSendsNothing) {
    model->Cancel();
    EXPECT_TRUE(Commands().empty());
    ASSERT_TRUE(model->SelectZone(1740));
    ASSERT_TRUE(Click(355, 150));
    transport->HideMouse(0, true);
    model->Cancel(true);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(LedModelTest, ProfileSwitchTakesTheNewProfilesColoursAsOpening) {
    ASSERT_TRUE(model->SelectZone(1740));
    ASSERT_TRUE(Click(355, 150));
    EXPECT_TRUE(model->OnNotice(devnotice::kProfileOrResolution, 0x80 | 1 << 4));
    EXPECT_EQ(model->Profile(), 1);
    EXPECT_EQ(model->Current(0), (Colour{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(model->Opening(0), (Colour{0xFF, 0xFF, 0x00}));
    model->Cancel();
    EXPECT_TRUE(Commands().empty());
    // Level notices are answered without action; other kinds are not the dialog's; profiles the mouse
    // does not have are ignored.
    EXPECT_TRUE(model->OnNotice(devnotice::kProfileOrResolution, 1 << 4 | 2));
    EXPECT_TRUE(model->OnNotice(devnotice::kProfileOrResolution, 0x80 | 7 << 4));
    EXPECT_EQ(model->Profile(), 1);
    EXPECT_FALSE(model->OnNotice(devnotice::kReportInterval, 1));
    for (const int profile : {-1, 5, 9}) {
        EXPECT_FALSE(CLedDialogModel(*device, clock).Open(profile));
    }
}

}  // namespace
}  // namespace vorlix::testing
