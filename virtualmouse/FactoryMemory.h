#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorlix {

inline constexpr size_t kMouseMemorySize = 4032;
inline constexpr size_t kProfileCount = 5;
inline constexpr size_t kProfileBlockCells = 149;
inline constexpr int kProfileByteAddress = 25;
inline constexpr int kOptionByteAddress = 1;
inline constexpr int kSignatureAddress1 = 4030;
inline constexpr int kSignatureAddress2 = 4031;

// The memory a mouse of the given controller family leaves the factory with: the five default
// profile blocks, the profile byte (five profiles, profile 0 active), option byte 0, zeroed macro-slot
// entries and the family's signature.
std::array<uint8_t, kMouseMemorySize> FactoryMemory(uint16_t family);

// The 149 factory bytes of one profile block (offsets 0..148 from the block base).
std::array<uint8_t, kProfileBlockCells> FactoryProfileBlock(unsigned profile, uint16_t family);

}  // namespace vorlix
