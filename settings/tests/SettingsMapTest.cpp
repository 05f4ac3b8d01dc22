#include <gtest/gtest.h>

#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/FactoryDefaults.h"
#include "settings/Sensitivity.h"
#include "settings/SettingsMap.h"
#include "shared/FakeClock.h"

namespace vorlix {
namespace {

class SettingsMapTest : public ::testing::Test {
protected:
    // A cell as a load leaves it.
    void Loaded(int address, int value) {
        SCell& cell = image.CellRef(address);
        cell = {1, 0, value};
    }
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    CIcQT47 image{nullptr, clock, waiter};
    CSettingsMap map{image};
};

TEST(FactoryDefaultsTest, VariantStepSetsLevelsOfEveryProfile) {
    const CFactoryDefaults defaults(DeviceVariantOf(0x2401));
    const auto& profile2 = defaults.Profile(2);
    EXPECT_EQ(profile2[2].address, 770);
    EXPECT_EQ(profile2[2].value, 0x42);
    EXPECT_EQ(profile2[3].address, 771);
    EXPECT_EQ(profile2[3].value, 4);
    EXPECT_EQ(profile2[4].value, 4);

    CFactoryDefaults other(0);
    EXPECT_EQ(other.Block(4)[2], 0x42);
    EXPECT_EQ(other.Block(4)[3 + 5 * 3], 56);
    other.ApplyVariant(1);
    EXPECT_EQ(other.Block(1)[2], 0x41);
    EXPECT_EQ(other.Block(1)[3 + 5 * 3 + 1], 20);
    // Levels 4..6 are not part of the variant step.
    EXPECT_EQ(other.Block(1)[3 + 5 * 6], 164);
}

TEST(FactoryDefaultsTest, ProfilesDifferOnlyInLiftOffAndColours) {
    const CFactoryDefaults defaults;
    const auto first = defaults.Block(0);
    EXPECT_EQ(first[1], 0x26);
    EXPECT_EQ(DeviceVariantOf(0x1802), 1);
    EXPECT_EQ(DeviceVariantOf(0x2601), 0);
    const uint8_t colours[5][3] = {
        {0xFF, 0, 0}, {0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF}, {0, 0xFF, 0xFF}, {0, 0, 0xFF}};
    for (int p = 0; p < 5; ++p) {
        const auto block = defaults.Block(p);
        for (int k = 0; k < map::kBlockUsed; ++k) {
            const bool colour = k >= 38 && k < 54 && (k - 38) % 4 != 0;
            if (colour) {
                EXPECT_EQ(block[k], colours[p][(k - 38) % 4 - 1]) << "profile " << p << " offset " << k;
            } else if (k == 1) {
                EXPECT_EQ(block[k], p == 0 ? 0x26 : 0x2B);
            } else {
                EXPECT_EQ(block[k], first[k]) << "profile " << p << " offset " << k;
            }
        }
        EXPECT_EQ(defaults.Profile(p)[0].address, 256 * (p + 1));
    }
}

TEST_F(SettingsMapTest, LevelByteWithoutFourLevelsCountsAs0x40) {
    Loaded(256 + 2, 0x32);
    EXPECT_EQ(map.ActiveLevel(0), 0);
    map.SetActiveLevel(0, 1);
    EXPECT_EQ(image.Cell(258).value, 0x41);
    EXPECT_TRUE(image.Cell(258).changed);
    EXPECT_EQ(map.SetActiveLevel(0, 4), 0);
}

TEST_F(SettingsMapTest, PollingAndLiftOffKeepTheMouseOwnBits) {
    Loaded(512, 0x73);  // low nibble 3 is no rate
    EXPECT_EQ(map.ReportRateHz(1), 500);
    EXPECT_EQ(map.SetReportRateHz(1, 125), 1);
    EXPECT_EQ(image.Cell(512).value, 0x78);
    EXPECT_EQ(map.SetReportRateHz(1, 300), 0);

    Loaded(513, 0xC7);  // bit 5 clear: no value present; bit 6 kept, bit 7 dropped
    EXPECT_EQ(map.LiftOff(1), 16);
    map.SetLiftOff(1, 5);
    EXPECT_EQ(image.Cell(513).value, 0x65);
    EXPECT_EQ(map.LiftOff(1), 5);
    EXPECT_EQ(map.SetLiftOff(1, 32), 0);
}

TEST_F(SettingsMapTest, ProfileByteGivesProfileZeroWhenActiveIsNotAllowed) {
    for (const auto& [byte, active] :
         std::vector<std::pair<int, int>>{{0x53, 3}, {0x55, 0}, {0x00, 0}, {0x31, 1}}) {
        Loaded(25, byte);
        EXPECT_EQ(map.ActiveProfile(), active) << std::hex << byte;
    }
}

TEST_F(SettingsMapTest, LevelsShowTheByteTheOptionByteChooses) {
    Loaded(1024 + 3 + 5, 10);
    Loaded(1024 + 4 + 5, 20);
    EXPECT_EQ(map.ShownLevelValue(3, 1), 10);
    Loaded(1, 0x04);
    EXPECT_EQ(map.ShownLevelValue(3, 1), 20);
    map.SetLevelValue(3, 1, 30);
    EXPECT_EQ(map.LevelX(3, 1), 30);
    EXPECT_EQ(map.LevelY(3, 1), 30);
}

TEST_F(SettingsMapTest, MacroEntryAndSignature) {
    Loaded(4 * (19 * 2 + 3) + 2, 0x11);
    EXPECT_EQ(map.MacroEntry(2, 3), (std::array<int, 4>{0, 0, 0x11, 0}));
    EXPECT_FALSE(map.SignatureMatches());
    Loaded(4030, 0x46);
    Loaded(4031, 0x22);
    EXPECT_TRUE(map.SignatureMatches());
}

TEST_F(SettingsMapTest, LedModeKeepsBitSeven) {
    Loaded(256 + 38 + 4, 0x81);
    map.SetLedMode(0, 1, 3);
    EXPECT_EQ(image.Cell(256 + 42).value, 0x83);
    map.SetLedColour(0, 1, 1, 2, 3);
    EXPECT_EQ(map.LedColour(0, 1), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(map.SetLedColour(0, 4, 1, 2, 3), 0);
}

TEST(MacroEntryTest, EntriesOnMappedFieldsAreFound) {
    struct Case {
        int profile, button;
        bool overlaps;
    };
    const Case cases[] = {
        {0, 0, true},                                               // 0..3 holds the option byte
        {0, 6, true},                                               // 24..27 holds the profile byte
        {0, 1, false}, {2, 7, false}, {3, 6, false}, {3, 7, true},  // 256..259: profile 0's block
        {4, 0, true},                                               // 304..307
        {4, 7, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(map::OverlapsMappedField(map::MacroEntryAddress(c.profile, c.button), 4), c.overlaps)
            << c.profile << "/" << c.button;
    }
    EXPECT_TRUE(map::OverlapsMappedField(4029, 2));
    EXPECT_FALSE(map::OverlapsMappedField(256 + 149, 4));
}

TEST(SensitivityTest, ConversionsFollowTheVariantScale) {
    struct Case {
        int variant, dpi, device, shownDpi;
    };
    const Case cases[] = {
        {2, 825, 16, 800},   {2, 9000, 164, 8200}, {2, 10, 1, 50},      {2, 8199, 163, 8150},
        {0, 5700, 63, 5700}, {0, 1000, 11, 1000},  {1, 4100, 40, 4000}, {1, 250, 2, 200},
    };
    for (const Case& c : cases) {
        const SSensitivityScale scale = SSensitivityScale::ForVariant(c.variant);
        EXPECT_EQ(scale.DpiToDevice(c.dpi), c.device) << c.variant << " " << c.dpi;
        EXPECT_EQ(scale.DeviceToDpi(c.device), c.shownDpi) << c.variant << " " << c.dpi;
    }
    EXPECT_EQ(SSensitivityScale::ForVariant(0).DeviceToUnits(0), 1);
}

}  // namespace
}  // namespace vorlix
