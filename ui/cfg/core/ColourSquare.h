#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorlix {

// The colour square of the LED dialog for one hue: 234 × 234 pixels, nearly white at the top left, the
// hue at the top right, darkening towards the bottom. Pixels are 0xRRGGBB.
//
// Column k starts with each channel X = X0 + ((234 - X0) × (234 - k)) / 234, divided as C++ divides
// (towards zero, so a channel above 234 keeps its value at the right edge). The sum of the three start
// values is taken once per column: above 234, every channel above 0 loses 1 before each pixel; else only
// the first channel (red, green, blue) above 0 does. With the hue (255, 0, 0) the top right pixel is
// (254, 0, 0) and the top left (233, 233, 233).
class CColourSquare {
public:
    static constexpr int kSize = 234;

    // Draws the square for the hue (0xRRGGBB).
    void Draw(uint32_t hue);
    uint32_t Hue() const { return m_hue; }
    // column, row 0..233.
    uint32_t Pixel(int column, int row) const {
        return m_pixels[static_cast<std::size_t>(row) * kSize + static_cast<std::size_t>(column)];
    }
    const std::array<uint32_t, kSize * kSize>& Pixels() const { return m_pixels; }

private:
    uint32_t m_hue = 0;
    std::array<uint32_t, kSize * kSize> m_pixels{};
};

}  // namespace vorlix
