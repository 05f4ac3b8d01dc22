#include <gtest/gtest.h>

#include "shared/Utf16.h"

namespace vorlix {
namespace {

TEST(Utf16Test, RoundTripsAllPlanes) {
    const std::string text = "Profil ä ✓ 鼠标 🖱";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 16u);  // the mouse emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf16Test, InvalidInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x9C"), u"\uFFFD");                                // cut short
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");                                // overlong '/'
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

}  // namespace
}  // namespace vorlix
