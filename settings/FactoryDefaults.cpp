#include "FactoryDefaults.h"

namespace vorlix {

namespace {

// clang-format off
constexpr uint8_t kProfile0[map::kBlockUsed] = {
    0x01, 0x26, 0x42,
    4, 4, 0xFF, 0x00, 0x00,
    8, 8, 0x00, 0x00, 0xFF,
    16, 16, 0x00, 0xFF, 0x00,
    32, 32, 0xFF, 0x40, 0x00,
    64, 64, 0xFF, 0x00, 0xFF,
    100, 100, 0x00, 0xFF, 0x00,
    164, 164, 0xFF, 0x00, 0xFF,
    1, 0xFF, 0x00, 0x00,  1, 0xFF, 0x00, 0x00,  2, 0xFF, 0x00, 0x00,  1, 0xFF, 0x00, 0x00,
    1, 1, 0, 0, 0,    1, 2, 0, 0, 0,    1, 4, 0, 0, 0,    1, 8, 0, 0, 0,    1, 16, 0, 0, 0,
    9, 0, 0, 0, 0,    10, 0, 0, 0, 0,   255, 0, 0, 0, 0,  13, 0, 0, 0, 0,   17, 0, 0, 0, 0,
    255, 0, 0, 0, 0,  255, 0, 0, 0, 0,  255, 0, 0, 0, 0,  255, 0, 0, 0, 0,  255, 0, 0, 0, 0,
    13, 0, 0, 0, 0,   18, 0, 0, 0, 0,   0, 0, 0, 0, 0,    0, 1, 0, 0, 0,
};
// The LED colour of every record, by profile.
constexpr uint8_t kProfileColours[map::kProfiles][3] = {
    {0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF}, {0x00, 0xFF, 0xFF}, {0x00, 0x00, 0xFF},
};
// clang-format on
constexpr uint8_t kOtherProfilesLiftOff = 0x2B;

// By variant: the level byte, then X (= Y) of levels 0..3.
struct SVariantDefaults {
    uint8_t levelByte;
    uint8_t levels[map::kEditedLevels];
};
constexpr SVariantDefaults kVariantDefaults[] = {
    {0x42, {9, 18, 36, 56}},
    {0x41, {4, 8, 12, 20}},
    {0x42, {4, 8, 16, 32}},
};

}  // namespace

int DeviceVariantOf(unsigned family) {
    if ((family >> 8) == 0x24) {
        return 2;
    }
    return family == 0x1802 ? 1 : 0;
}

CFactoryDefaults::CFactoryDefaults(int variant) {
    for (int p = 0; p < map::kProfiles; ++p) {
        Table& table = m_tables[static_cast<size_t>(p)];
        for (int k = 0; k < map::kBlockUsed; ++k) {
            table[static_cast<size_t>(k)] = {map::BlockBase(p) + k, kProfile0[k]};
        }
        if (p > 0) {
            table[map::kLiftOffOffset].value = kOtherProfilesLiftOff;
        }
        for (int z = 0; z < map::kLedRecords; ++z) {
            for (int c = 0; c < 3; ++c) {
                table[static_cast<size_t>(map::kLedOffset + map::kLedRecordSize * z + 1 + c)].value =
                    kProfileColours[p][c];
            }
        }
    }
    ApplyVariant(variant);
}

void CFactoryDefaults::ApplyVariant(int variant) {
    m_variant = variant >= 0 && variant <= 2 ? variant : 0;
    const SVariantDefaults& defaults = kVariantDefaults[m_variant];
    for (Table& table : m_tables) {
        table[map::kLevelByteOffset].value = defaults.levelByte;
        for (int level = 0; level < map::kEditedLevels; ++level) {
            const size_t x = static_cast<size_t>(map::kLevelRecordOffset + map::kLevelRecordSize * level);
            table[x].value = defaults.levels[level];
            table[x + 1].value = defaults.levels[level];
        }
    }
}

const CFactoryDefaults::Table& CFactoryDefaults::Profile(int profile) const {
    return m_tables[map::ValidProfile(profile) ? static_cast<size_t>(profile) : 0];
}

std::array<uint8_t, map::kBlockUsed> CFactoryDefaults::Block(int profile) const {
    std::array<uint8_t, map::kBlockUsed> block{};
    const Table& table = Profile(profile);
    for (size_t k = 0; k < block.size(); ++k) {
        block[k] = static_cast<uint8_t>(table[k].value);
    }
    return block;
}

}  // namespace vorlix
