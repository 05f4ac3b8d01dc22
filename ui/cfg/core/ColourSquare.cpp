#include "ui/cfg/core/ColourSquare.h"

namespace vorlix {

void CColourSquare::Draw(uint32_t hue) {
    m_hue = hue & 0xFFFFFF;
    const int start[3] = {static_cast<int>((hue >> 16) & 0xFF), static_cast<int>((hue >> 8) & 0xFF),
                          static_cast<int>(hue & 0xFF)};
    for (int column = 0; column < kSize; ++column) {
        int channel[3];
        int sum = 0;
        for (int c = 0; c < 3; ++c) {
            channel[c] = start[c] + ((kSize - start[c]) * (kSize - column)) / kSize;
            sum += channel[c];
        }
        for (int row = 0; row < kSize; ++row) {
            if (sum > kSize) {
                for (int& value : channel) {
                    if (value > 0) {
                        --value;
                    }
                }
            } else {
                for (int& value : channel) {
                    if (value > 0) {
                        --value;
                        break;
                    }
                }
            }
            m_pixels[static_cast<std::size_t>(row) * kSize + static_cast<std::size_t>(column)] =
                (static_cast<uint32_t>(channel[0]) << 16) | (static_cast<uint32_t>(channel[1]) << 8) |
                static_cast<uint32_t>(channel[2]);
        }
    }
}

}  // namespace vorlix
