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

TEST(Utf16Test, IsUtf8TellsWellFormedTextFromBytesThatWouldBeReplaced) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"/usr/bin/x y", true},
        {"Profil \xc3\xa4 \xef\xbf\xbd \xf0\x9f\x96\xb1", true},  // U+FFFD itself is fine
        {"\xff", false},
        {"caf\xe9", false},           // Latin-1
        {"\xc3", false},              // cut short
        {"\xc0\xaf", false},          // overlong '/'
        {"\xed\xa0\x80", false},      // a surrogate
        {"\xf4\x90\x80\x80", false},  // above U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsUtf8(c.text), c.valid) << c.text;
    }
}

}  // namespace
}  // namespace vorlix
