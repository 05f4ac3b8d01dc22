#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "osd/core/OsdPicture.h"
#include "osd/core/OsdState.h"
#include "shared/FakeClock.h"

namespace vorlix {
namespace {

// Records what the state machine asks of the window, as one line per call.
class CRecordingView final : public IOsdView {
public:
    bool Prepare(const SOsdPicture& picture) override {
        prepared.push_back(picture);
        calls.push_back("prepare " + std::to_string(picture.id));
        return loadable;
    }
    void SetVisible(bool visible) override {
        calls.push_back(visible ? "show" : "hide");
        shown = visible;
    }
    std::vector<SOsdPicture> prepared;
    std::vector<std::string> calls;
    bool shown = false;
    bool loadable = true;
};

class OsdStateTest : public ::testing::Test {
protected:
    // Runs the state's timers up to now + ms, as the window's timer would.
    void Advance(uint64_t ms) {
        const uint64_t end = clock.NowMs() + ms;
        while (state.NextDeadlineMs() && *state.NextDeadlineMs() <= end) {
            clock.Advance(*state.NextDeadlineMs() - clock.NowMs());
            state.OnTimer();
        }
        clock.Advance(end - clock.NowMs());
    }
    CFakeClock clock;
    CRecordingView view;
    COsdState state{clock, view};
};

constexpr std::array<int, 4> kNoDigits{};
constexpr int B = osdpic::kBlankDigit;
constexpr int D(int digit) {
    return osdpic::kDigitFirst + digit;
}

TEST_F(OsdStateTest, EachNoticeKindPicksItsPicture) {
    struct Case {
        uint32_t kind, value;
        int handled;
        std::optional<SOsdPicture> picture;  // nullopt: nothing is prepared
    };
    const Case cases[] = {
        {0, 0x84, 1, SOsdPicture{300, false, kNoDigits}},
        {0, 0xC0, 1, SOsdPicture{304, false, kNoDigits}},
        {0, 0xD0, 1, std::nullopt},  // profile 5: no such picture
        {0, 0xF0, 1, std::nullopt},
        {0, 0x01 | (16 << 8) | (32 << 16), 1, SOsdPicture{317, true, {D(1), D(6), D(0), D(0)}}},
        {0, 0x03 | (16 << 16), 1, SOsdPicture{319, true, {B, D(8), D(0), D(0)}}},
        {0, 0x00, 1, SOsdPicture{316, true, {B, B, B, B}}},
        {0, 0x02 | (165 << 16), 1, SOsdPicture{318, true, {B, B, B, B}}},
        {0, 0x02 | (164 << 16), 1, SOsdPicture{318, true, {D(8), D(2), D(0), D(0)}}},
        {0, 0x04 | (16 << 16), 1, std::nullopt},  // level 5: would be the back arrow
        {1, 3, 1, SOsdPicture{320, false, kNoDigits}},
        {1, 4, 1, SOsdPicture{321, false, kNoDigits}},
        {1, 5, 1, std::nullopt},
        {7, 1, 1, SOsdPicture{324, false, kNoDigits}},
        {7, 0, 1, SOsdPicture{325, false, kNoDigits}},
        {8, 8, 1, SOsdPicture{326, false, kNoDigits}},
        {8, 4, 1, SOsdPicture{327, false, kNoDigits}},
        {8, 2, 1, SOsdPicture{328, false, kNoDigits}},
        {8, 1, 1, SOsdPicture{329, false, kNoDigits}},
        {8, 3, 1, std::nullopt},
        {9, 0, 1, SOsdPicture{322, false, kNoDigits}},
        {9, 7, 1, SOsdPicture{323, false, kNoDigits}},
        {5, 2, 1, std::nullopt},
        {6, 0x2401, 1, std::nullopt},
        {11, 1, 1, std::nullopt},
        {2, 0, 0, std::nullopt},
        {3, 0, 0, std::nullopt},
        {4, 0, 0, std::nullopt},
        {12, 0, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        view.prepared.clear();
        EXPECT_EQ(state.HandleNotice(c.kind, c.value), c.handled) << c.kind << " " << std::hex << c.value;
        if (c.picture) {
            EXPECT_EQ(view.prepared, std::vector<SOsdPicture>{*c.picture})
                << c.kind << " " << std::hex << c.value;
        } else {
            EXPECT_TRUE(view.prepared.empty()) << c.kind << " " << std::hex << c.value;
        }
    }
}

TEST_F(OsdStateTest, CurrentProfileIsRecordedWithoutShowingAndOnlyForExistingProfiles) {
    state.HandleNotice(5, 3);
    EXPECT_EQ(state.Profile(), 3);
    state.HandleNotice(5, 7);
    EXPECT_EQ(state.Profile(), 3);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(OsdStateTest, ShownForThreeSecondsAfterTheLastNoticeWithABlinkBetween) {
    state.HandleNotice(7, 1);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare 324", "show"}));
    Advance(1000);
    state.HandleNotice(7, 0);
    EXPECT_FALSE(view.shown);
    Advance(9);
    EXPECT_FALSE(view.shown);
    Advance(1);
    EXPECT_TRUE(view.shown);
    Advance(2999);
    EXPECT_TRUE(view.shown);  // 4009 ms after the first notice: still up
    Advance(1);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"prepare 324", "show", "prepare 325", "hide", "show", "hide"}));
    EXPECT_EQ(state.NextDeadlineMs(), std::nullopt);
}

TEST_F(OsdStateTest, DisabledPreparesThePictureButKeepsTheWindowHidden) {
    state.HandleNotice(10, 0);
    state.HandleNotice(0, 0x90);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare 301", "hide"}));
    EXPECT_FALSE(state.Visible());
    EXPECT_EQ(state.NextDeadlineMs(), std::nullopt);

    // Turned off while a notice is up: the next notice hides it at once.
    state.HandleNotice(10, 1);
    state.HandleNotice(1, 3);
    EXPECT_TRUE(view.shown);
    state.HandleNotice(10, 0);
    state.HandleNotice(1, 4);
    EXPECT_FALSE(view.shown);
}

TEST_F(OsdStateTest, APictureThatCannotBeLoadedShowsNothing) {
    view.loadable = false;
    state.HandleNotice(9, 1);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(state.NextDeadlineMs(), std::nullopt);
}

TEST(OsdPlacement, BottomCentreFiftyPixelsAboveTheEdge) {
    EXPECT_EQ(PlaceOnScreen(1280, 1024, 238, 74), (SOsdPlace{521, 900}));
    EXPECT_EQ(PlaceOnScreen(1920, 1080, 101, 41), (SOsdPlace{909, 989}));
}

}  // namespace
}  // namespace vorlix
