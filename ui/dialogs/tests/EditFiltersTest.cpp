#include <gtest/gtest.h>

#include "ui/dialogs/core/EditFilters.h"

namespace vorlix {
namespace {

using namespace editfilter;

struct SFilterCase {
    std::u16string typed;
    long max;
    std::u16string kept;
};

TEST(EditFilters, NumberBoxKeepsPlainNumbersWithinTheirRange) {
    const SFilterCase cases[] = {
        {u"", 255, u""},          {u"0", 255, u"0"},
        {u"7", 255, u"7"},        {u"255", 255, u"255"},
        {u"256", 255, u"255"},    {u"300", 255, u"255"},
        {u"999", 255, u"255"},    {u"05", 255, u"0"},
        {u"12a", 255, u"12"},     {u"a", 255, u""},
        {u"1a2", 255, u"1"},      {u"-3", 255, u""},
        {u"9000", 8200, u"8200"}, {u"825", 8200, u"825"},
        {u"9999", 5000, u"5000"}, {u"99999999999", 5000, u"5000"},
        {u"12 ", 5000, u"12"},
    };
    for (const SFilterCase& c : cases) {
        EXPECT_EQ(Number(c.typed, c.max), c.kept) << std::string(c.typed.begin(), c.typed.end());
    }
}

TEST(EditFilters, CountBoxShowsAndStoresOneConsistentRange) {
    // Shown count = stored value + 1, 1..255; a stored 255 has no count to show and is shown as 255.
    const std::pair<int, std::u16string> shown[] = {
        {0, u"1"}, {4, u"5"}, {254, u"255"}, {255, u"255"}, {-5, u"1"}};
    for (const auto& [stored, text] : shown) {
        EXPECT_EQ(CountText(stored), text) << stored;
    }
    const std::pair<std::u16string, int> stored[] = {
        {u"", 0}, {u"0", 0}, {u"1", 0}, {u"2", 1}, {u"255", 254}, {u"300", 254}, {u"12x", 11},
    };
    for (const auto& [text, value] : stored) {
        EXPECT_EQ(CountValue(text), value) << std::string(text.begin(), text.end());
    }
    // Every storable value survives show-and-OK unchanged.
    for (int value = 0; value <= 254; ++value) {
        ASSERT_EQ(CountValue(Count(CountText(value))), value);
    }
}

TEST(EditFilters, NameBoxDropsWhatAFileNameCannotCarry) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Fire", u"Fire"},
        {u"a/b", u"ab"},
        {u"tab\there", u"tabhere"},
        {u"ÄÖÜ macro", u"ÄÖÜ macro"},
        {u"123456789012345678901234", u"12345678901234567890"},
    };
    for (const auto& [typed, kept] : cases) {
        EXPECT_EQ(Name(typed, 20), kept);
    }
}

TEST(EditFilters, DelayParserFollowsTheEditorsRules) {
    const std::pair<std::u16string, std::optional<long>> cases[] = {
        {u"", 0},
        {u"0", 0},
        {u"150", 150},
        {u"0x1F", 31},
        {u"0XfF", 255},
        {u"1x", {}},
        {u"12a", {}},
        {u"-20", -20},
        {u"5-3", -3},
        {u"+7", 7},
        {u"10 20", 20},
        {u"10  ", 0},
        {u"10 ,20", 20},
        {u"1,2", 2},
        {u"ms", {}},
        {u"0x", 0},
        {u"99999999999999", 1'000'000'000L},
    };
    for (const auto& [text, parsed] : cases) {
        EXPECT_EQ(ParseNumber(text), parsed) << std::string(text.begin(), text.end());
    }
}

}  // namespace
}  // namespace vorlix
