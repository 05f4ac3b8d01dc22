#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "SettingsMap.h"

namespace vorlix {

// The device variant fixes the unit of the sensitivity values and their defaults: 2 for the 0x24xx
// family (this mouse), 1 for the id 0x1802, 0 for any other family.
int DeviceVariantOf(unsigned family);

// The factory defaults the reset of a profile writes: for each of the five profiles, the 149 used
// bytes of its block in address order. The sensitivity part comes from the device variant.
class CFactoryDefaults {
public:
    struct SPair {
        int address = 0;
        int value = 0;
    };
    using Table = std::array<SPair, map::kBlockUsed>;

    explicit CFactoryDefaults(int variant = 2);

    // Sets the level byte and the X and Y bytes of levels 0..3 of all five tables from the variant.
    void ApplyVariant(int variant);
    int Variant() const { return m_variant; }

    // profile 0..4; any other profile gives profile 0's table.
    const Table& Profile(int profile) const;
    // The 149 bytes of a profile's block, offset 0 first.
    std::array<uint8_t, map::kBlockUsed> Block(int profile) const;

private:
    int m_variant = 2;
    std::array<Table, map::kProfiles> m_tables;
};

}  // namespace vorlix
