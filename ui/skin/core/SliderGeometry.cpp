#include "ui/skin/core/SliderGeometry.h"

#include <algorithm>

namespace vorlix {

int SSliderGeometry::FreeLength() const {
    return std::max(0, length - marginEnd - thumb - marginStart);
}

int SSliderGeometry::FirstPixel() const {
    return fromLeadingEdge ? marginStart : thumb / 2 + marginStart;
}

int SSliderGeometry::ClampPos(int pos) const {
    const int low = std::min(min, max);
    const int high = std::max(min, max);
    return std::clamp(pos, low, high);
}

int SSliderGeometry::PosToPixel(int pos) const {
    const long long range = static_cast<long long>(max) - min;
    if (range == 0) {
        return FirstPixel();
    }
    const long long offset = static_cast<long long>(ClampPos(pos)) - min;
    return FirstPixel() + static_cast<int>(offset * FreeLength() / range);
}

int SSliderGeometry::PixelToPos(int pixel) const {
    const int free = FreeLength();
    if (free == 0) {
        return min;
    }
    const long long range = static_cast<long long>(max) - min;
    const long long travelled = static_cast<long long>(pixel) - FirstPixel();
    return ClampPos(static_cast<int>(min + travelled * range / free));
}

int SSliderGeometry::ClampPixel(int pixel) const {
    return std::clamp(pixel, FirstPixel(), FirstPixel() + FreeLength());
}

}  // namespace vorlix
