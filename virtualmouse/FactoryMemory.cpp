#include "FactoryMemory.h"

#include "settings/FactoryDefaults.h"

namespace vorlix {

namespace {
constexpr uint8_t kSignatureByte1 = map::kSignatureValue1;
}  // namespace

std::array<uint8_t, kProfileBlockCells> FactoryProfileBlock(unsigned profile, uint16_t family) {
    // The same tables the configuration program resets a profile to.
    return CFactoryDefaults(DeviceVariantOf(family)).Block(static_cast<int>(profile));
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
