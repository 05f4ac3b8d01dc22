#pragma once

namespace vorlix {

// A hover button's picture holds four frames: normal, pressed, hover, disabled.
enum class EFrame { Normal = 0, Pressed = 1, Hover = 2, Disabled = 3 };
constexpr int kFrameCount = 4;

struct SFrameSize {
    int width = 0;
    int height = 0;
};

// The size of one frame: side by side in a horizontal strip, one above the other otherwise.
constexpr SFrameSize FrameSizeOf(int bitmapWidth, int bitmapHeight, bool horizontal) {
    return horizontal ? SFrameSize{bitmapWidth / kFrameCount, bitmapHeight}
                      : SFrameSize{bitmapWidth, bitmapHeight / kFrameCount};
}

// Which frame a button shows: pressed wins over hover, hover over the plain look.
constexpr EFrame FrameFor(bool enabled, bool pressed, bool hovering) {
    if (pressed) {
        return EFrame::Pressed;
    }
    if (hovering) {
        return EFrame::Hover;
    }
    return enabled ? EFrame::Normal : EFrame::Disabled;
}

}  // namespace vorlix
