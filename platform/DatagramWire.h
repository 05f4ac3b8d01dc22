#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "shared/Messages.h"

namespace vorlix::wire {

// One posted message on the wire: a magic word, then message, wParam and lParam, each 32-bit
// little-endian.
inline constexpr size_t kSize = 16;
inline constexpr std::array<uint8_t, 4> kMagic{'V', 'X', 'M', '1'};

inline std::array<uint8_t, kSize> Encode(const PostedMessage& message) {
    std::array<uint8_t, kSize> bytes{};
    std::memcpy(bytes.data(), kMagic.data(), kMagic.size());
    const uint32_t fields[3] = {message.message, message.wParam, message.lParam};
    for (int f = 0; f < 3; ++f) {
        for (int b = 0; b < 4; ++b) {
            bytes[4 + 4 * f + b] = static_cast<uint8_t>(fields[f] >> (8 * b));
        }
    }
    return bytes;
}

inline std::optional<PostedMessage> Decode(const uint8_t* bytes, size_t size) {
    if (size != kSize || std::memcmp(bytes, kMagic.data(), kMagic.size()) != 0) {
        return std::nullopt;
    }
    uint32_t fields[3] = {};
    for (int f = 0; f < 3; ++f) {
        for (int b = 0; b < 4; ++b) {
            fields[f] |= static_cast<uint32_t>(bytes[4 + 4 * f + b]) << (8 * b);
        }
    }
    return PostedMessage{fields[0], fields[1], fields[2]};
}

}  // namespace vorlix::wire
