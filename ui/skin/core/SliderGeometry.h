#pragma once

namespace vorlix {

// Where a slider's thumb sits for a position and which position a pixel stands for. The slider spans
// `length` pixels (its width, or its height when vertical) with margins at its start and end and a
// thumb `thumb` pixels long. Pixels are the thumb's centre, or its leading edge with fromLeadingEdge.
struct SSliderGeometry {
    int length = 0;
    int thumb = 0;
    int marginStart = 0;
    int marginEnd = 0;
    int min = 0;
    int max = 100;
    bool fromLeadingEdge = false;

    // The pixels the thumb can travel: never negative, so a control no longer than its thumb and
    // margins gives a thumb that stays at its first place instead of a division by zero.
    int FreeLength() const;
    // The pixel of the thumb at the position's place; a one-value range always maps to the start.
    int PosToPixel(int pos) const;
    // The position a pixel stands for, clamped to min..max.
    int PixelToPos(int pixel) const;
    // A pixel kept within the thumb's travel.
    int ClampPixel(int pixel) const;
    int ClampPos(int pos) const;
    // Pixel of the thumb at the start of its travel.
    int FirstPixel() const;
};

}  // namespace vorlix
