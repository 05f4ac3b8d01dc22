#include "TestFirmwareImage.h"

#include <algorithm>
#include <array>

namespace vorlix::testing {

namespace {

constexpr uint8_t kMask = 0xA5;
// The marker, each byte XOR kMask (see CMakeLists of ui/firmware, which refuses it as a vendor image).
constexpr std::array<uint8_t, 41> kMaskedMarker = {
    0xF3, 0xEA, 0xF7, 0xE9, 0xEC, 0xFD, 0x85, 0xF1, 0xE0, 0xF6, 0xF1, 0x85, 0xE3, 0xEC,
    0xF7, 0xE8, 0xF2, 0xE4, 0xF7, 0xE0, 0x85, 0x88, 0x85, 0xF3, 0xEC, 0xF7, 0xF1, 0xF0,
    0xE4, 0xE9, 0x85, 0xE8, 0xEA, 0xF0, 0xF6, 0xE0, 0x85, 0xEA, 0xEB, 0xE9, 0xFC};

}  // namespace

std::vector<uint8_t> TestFirmwareMarker() {
    // Read through a volatile, so the compiler cannot fold the unmasked bytes into the program.
    volatile uint8_t mask = kMask;
    const uint8_t key = mask;
    std::vector<uint8_t> marker(kMaskedMarker.size());
    std::transform(kMaskedMarker.begin(), kMaskedMarker.end(), marker.begin(),
                   [key](uint8_t b) { return static_cast<uint8_t>(b ^ key); });
    return marker;
}

std::vector<uint8_t> GenerateTestFirmwareImage(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    const std::vector<uint8_t> marker = TestFirmwareMarker();
    for (size_t page = 0; page + marker.size() <= size; page += 2048) {
        std::copy(marker.begin(), marker.end(), image.begin() + static_cast<std::ptrdiff_t>(page));
    }
    return image;
}

}  // namespace vorlix::testing
