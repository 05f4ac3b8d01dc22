#include "StoreBackend.h"

#include <algorithm>

namespace vorlix {

StoreValue StoreValue::FromDword(uint32_t value) {
    return StoreValue{StoreValueType::Dword,
                      {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
}

StoreValue StoreValue::FromText(std::u16string_view text) {
    StoreValue value{StoreValueType::Text, {}};
    value.bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        value.bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        value.bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return value;
}

uint32_t StoreValue::AsDword() const {
    uint32_t result = 0;
    for (size_t i = 0; i < bytes.size() && i < 4; ++i) {
        result |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    }
    return result;
}

std::u16string StoreValue::AsText(size_t maxLength) const {
    const size_t characters = std::min(bytes.size() / 2, maxLength);
    std::u16string text;
    text.reserve(characters);
    for (size_t i = 0; i < characters; ++i) {
        text.push_back(static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
    }
    return text;
}

}  // namespace vorlix
