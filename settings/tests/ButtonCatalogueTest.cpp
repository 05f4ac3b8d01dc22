#include <gtest/gtest.h>

#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/ButtonCatalogue.h"
#include "settings/FactoryDefaults.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

// Profile 1 loaded with its factory buttons.
class ButtonCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        const CFactoryDefaults defaults;
        for (const auto& pair : defaults.Profile(kProfile)) {
            image.CellRef(pair.address) = {1, 0, pair.value};
        }
    }
    void SetSlot(int button, std::array<int, 5> bytes) {
        for (int i = 0; i < 5; ++i) {
            image.CellRef(map::SlotAddress(kProfile, button) + i) = {1, 0, bytes[static_cast<size_t>(i)]};
        }
    }
    static constexpr int kProfile = 1;
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    CIcQT47 image{nullptr, clock, waiter};
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CButtonCatalogue catalogue{image, &store};
};

TEST_F(ButtonCatalogueTest, OnlyLeftClickCannotBeGivenAway) {
    EXPECT_EQ(catalogue.AssignFunction(0, kProfile, 3, false), 0);
    EXPECT_EQ(catalogue.AssignFunction(0, kProfile, 3, true), 0);
    EXPECT_FALSE(catalogue.SlotPending(0, kProfile));
    EXPECT_EQ(catalogue.AssignFunction(0, kProfile, CButtonCatalogue::kClick, true), 1);
    // A second left click frees the first.
    EXPECT_EQ(catalogue.AssignFunction(4, kProfile, CButtonCatalogue::kClick, true), 1);
    EXPECT_EQ(catalogue.AssignFunction(0, kProfile, 3, true), 1);
    EXPECT_EQ(catalogue.SlotIndex(0, kProfile), 3);
    EXPECT_TRUE(catalogue.SlotPending(0, kProfile));
    EXPECT_EQ(catalogue.AssignFunction(4, kProfile, 2, true), 0);
    EXPECT_EQ(catalogue.AssignFunction(1, kProfile, 13, true), 0);
    EXPECT_EQ(catalogue.AssignFunction(8, kProfile, 1, true), 0);
}

TEST_F(ButtonCatalogueTest, SameFunctionMarksOnlyUnreadBytes) {
    EXPECT_EQ(catalogue.AssignFunction(3, kProfile, 5, true), 1);
    EXPECT_FALSE(catalogue.SlotPending(3, kProfile));
    image.CellRef(map::SlotAddress(kProfile, 3) + 2).valid = 0;
    catalogue.AssignFunction(3, kProfile, 5, true);
    EXPECT_TRUE(catalogue.SlotPending(3, kProfile));
}

TEST_F(ButtonCatalogueTest, LookupGivesNameAndDisplayType) {
    store.WriteText(store::ButtonMacroName(kProfile, 8), u"Reload");
    store.WriteText(store::ButtonProgramName(kProfile, 3), u"editor");
    struct Case {
        int button;
        std::array<int, 5> slot;
        const char16_t* name;
        ButtonDisplayType type;
    };
    const Case cases[] = {
        {0, {1, 1, 0, 0, 0}, u"CLICK", ButtonDisplayType::Default},
        {1, {1, 1, 0, 0, 0}, u"CLICK", ButtonDisplayType::SingleKey},
        {7, {255, 0, 0, 0, 0}, u"BUTTON OFF", ButtonDisplayType::Default},
        {6, {255, 0, 0, 0, 0}, u"BUTTON OFF", ButtonDisplayType::SingleKey},
        {7, {6, 0, 0, 0, 0}, u"Reload", ButtonDisplayType::Macro},
        {6, {6, 0, 0, 0, 0}, u"MACRO KEY", ButtonDisplayType::Macro},
        {2, {15, 0, 0, 0, 0}, u"editor", ButtonDisplayType::Launcher},
        {5, {9, 0, 0, 0, 0}, u"SENSITIVITY-UP", ButtonDisplayType::Default},
        {2, {4, 1, 2, 6, 2}, u"DOUBLE CLICK", ButtonDisplayType::SingleKey},
        {2, {3, 233, 0, 0, 0}, u"VOLUMN DOWN", ButtonDisplayType::SingleKey},
    };
    for (const Case& c : cases) {
        SetSlot(c.button, c.slot);
        const auto shown = catalogue.LookupSlot(c.button, kProfile);
        ASSERT_TRUE(shown.has_value()) << c.button;
        EXPECT_EQ(shown->name, c.name);
        EXPECT_EQ(shown->type, c.type);
    }
    for (const auto& slot :
         {std::array<int, 5>{1, 32, 0, 0, 0}, {4, 1, 2, 6, 3}, {2, 0, 0, 0, 0}, {13, 0, 0, 0, 0}}) {
        SetSlot(2, slot);
        EXPECT_FALSE(catalogue.LookupSlot(2, kProfile).has_value()) << slot[0] << "," << slot[1];
        EXPECT_EQ(catalogue.SlotIndex(2, kProfile), -1);
    }
    EXPECT_FALSE(catalogue.LookupSlot(0, 5).has_value());
}

TEST(ButtonCatalogueTableTest, ListMappingsAndNames) {
    const int positions[] = {1, 2, 3, 4, 5, 6, 8, 9, 11, 12};
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(CButtonCatalogue::ListPositionToIndex(p), positions[p]);
        EXPECT_EQ(CButtonCatalogue::IndexToListPosition(positions[p]), p);
    }
    EXPECT_EQ(CButtonCatalogue::ListPositionToIndex(10), 1);
    EXPECT_EQ(CButtonCatalogue::ListPositionToIndex(-1), 1);
    for (int index : {0, 7, 10, 13, -1}) {
        EXPECT_EQ(CButtonCatalogue::IndexToListPosition(index), -1);
    }
    EXPECT_EQ(CButtonCatalogue::FindByName("scroll button"), 7);
    EXPECT_EQ(CButtonCatalogue::FindByName("Volumn Up"), 11);
    EXPECT_EQ(CButtonCatalogue::FindByName("SCROLL"), -1);
    const int defaults[] = {1, 3, 7, 5, 6, 8, 9, 0};
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(CButtonCatalogue::DefaultFunctionIndex(b), defaults[b]);
    }
}

}  // namespace
}  // namespace vorlix
