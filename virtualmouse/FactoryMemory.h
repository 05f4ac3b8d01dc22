#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/SettingsMap.h"

namespace vorlix {

inline constexpr size_t kMouseMemorySize = 4032;
inline constexpr size_t kProfileCount = static_cast<size_t>(map::kProfiles);
inline constexpr size_t kProfileBlockCells = static_cast<size_t>(map::kBlockUsed);
inline constexpr int kProfileByteAddress = map::kProfileByte;
inline constexpr int kOptionByteAddress = map::kOptionByte;
inline constexpr int kSignatureAddress1 = map::kSignature1;
inline constexpr int kSignatureAddress2 = map::kSignature2;

// The memory a mouse of the given controller family leaves the factory with: the five default
// profile blocks, the profile byte (five profiles, profile 0 active), option byte 0, zeroed macro-slot
// entries and the family's signature.
std::array<uint8_t, kMouseMemorySize> FactoryMemory(uint16_t family);

// The 149 factory bytes of one profile block (offsets 0..148 from the block base).
std::array<uint8_t, kProfileBlockCells> FactoryProfileBlock(unsigned profile, uint16_t family);

}  // namespace vorlix
