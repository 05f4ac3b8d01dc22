#include <gtest/gtest.h>

#include "osd/OsdNotificationView.h"

namespace vorlix {
namespace {

// Where no notice window can be shown, the desktop's notification says what the picture would have.
TEST(OsdNotificationText, EachPictureKindReadsAsItsLine) {
    constexpr int B = osdpic::kBlankDigit;
    const std::pair<SOsdPicture, const char*> cases[] = {
        {{300, false, {}}, "Profile 1"},
        {{304, false, {}}, "Profile 5"},
        {{317, true, {305 + 1, 305 + 6, 305, 305}}, "Level 2: 1600 DPI"},
        {{316, true, {B, B, B, B}}, "Level 1: 0 DPI"},
        {{319, true, {B, 305 + 8, 305, 305}}, "Level 4: 800 DPI"},
        {{326, false, {}}, "Report rate 125 Hz"},
        {{329, false, {}}, "Report rate 1000 Hz"},
        {{320, false, {}}, "Back"},
        {{321, false, {}}, "Forward"},
        {{322, false, {}}, "Normal mode"},
        {{323, false, {}}, "Battle mode"},
        {{324, false, {}}, "Locked"},
        {{325, false, {}}, "Unlocked"},
        {{305, false, {}}, ""},
    };
    for (const auto& [picture, text] : cases) {
        EXPECT_EQ(COsdNotificationView::Text(picture).toStdString(), text) << picture.id;
    }
}

}  // namespace
}  // namespace vorlix
