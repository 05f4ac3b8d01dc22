#include "FactoryMemory.h"

namespace vorlix {

namespace {

// Sensitivity defaults by device variant: level byte, then X (= Y) of levels 0..3.
struct SVariantDefaults {
    uint8_t levelByte;
    uint8_t levels[4];
};

SVariantDefaults VariantDefaults(uint16_t family) {
    if ((family >> 8) == 0x24) {
        return {0x42, {4, 8, 16, 32}};
    }
    if (family == 0x1802) {
        return {0x41, {4, 8, 12, 20}};
    }
    return {0x42, {9, 18, 36, 56}};
}

// clang-format off
constexpr uint8_t kProfile0[kProfileBlockCells] = {
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
// LED colour of every record, by profile.
constexpr uint8_t kProfileColours[kProfileCount][3] = {
    {0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF}, {0x00, 0xFF, 0xFF}, {0x00, 0x00, 0xFF},
};
// clang-format on

constexpr unsigned kLiftOffOffset = 1;
constexpr uint8_t kOtherProfilesLiftOff = 0x2B;
constexpr unsigned kLevelByteOffset = 2;
constexpr unsigned kFirstLevelOffset = 3;
constexpr unsigned kLevelRecordSize = 5;
constexpr unsigned kFirstLedOffset = 38;
constexpr unsigned kLedRecordSize = 4;
constexpr uint8_t kSignatureByte1 = 0x46;

}  // namespace

std::array<uint8_t, kProfileBlockCells> FactoryProfileBlock(unsigned profile, uint16_t family) {
    std::array<uint8_t, kProfileBlockCells> block{};
    for (size_t i = 0; i < kProfileBlockCells; ++i) {
        block[i] = kProfile0[i];
    }
    if (profile >= kProfileCount) {
        return block;
    }
    if (profile > 0) {
        block[kLiftOffOffset] = kOtherProfilesLiftOff;
    }
    for (unsigned z = 0; z < 4; ++z) {
        for (unsigned c = 0; c < 3; ++c) {
            block[kFirstLedOffset + kLedRecordSize * z + 1 + c] = kProfileColours[profile][c];
        }
    }
    const SVariantDefaults variant = VariantDefaults(family);
    block[kLevelByteOffset] = variant.levelByte;
    for (unsigned level = 0; level < 4; ++level) {
        block[kFirstLevelOffset + kLevelRecordSize * level] = variant.levels[level];
        block[kFirstLevelOffset + kLevelRecordSize * level + 1] = variant.levels[level];
    }
    return block;
}

std::array<uint8_t, kMouseMemorySize> FactoryMemory(uint16_t family) {
    std::array<uint8_t, kMouseMemorySize> memory{};
    for (unsigned p = 0; p < kProfileCount; ++p) {
        const auto block = FactoryProfileBlock(p, family);
        const size_t base = 256 * (p + 1);
        for (size_t i = 0; i < kProfileBlockCells; ++i) {
            memory[base + i] = block[i];
        }
    }
    memory[kOptionByteAddress] = 0;
    memory[kProfileByteAddress] = 0x50;
    // The signature the family's check looks for; 0x2402 has none that passes.
    memory[kSignatureAddress1] = kSignatureByte1;
    switch (family >> 8) {
        case 0x23:
            memory[kSignatureAddress2] = 0x23;
            break;
        case 0x28:
            memory[kSignatureAddress2] = 0x28;
            break;
        default:
            memory[kSignatureAddress2] = family == 0x2402 ? 0x24 : 0x22;
            break;
    }
    return memory;
}

}  // namespace vorlix
