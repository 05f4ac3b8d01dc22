#pragma once

#include <cstdint>

namespace vorlix {

// A read-only view of 32-bit pixels, rows top-down. The low 24 bits of a pixel are 0xRRGGBB (the layout
// of QImage::Format_RGB32 and ARGB32); the top byte is ignored. The stride is in pixels, so a buffer whose
// rows are padded to a multiple of 4 bytes (or any other padding) can be scanned in place.
struct SPixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint32_t Rgb(int x, int y) const { return pixels[static_cast<long>(y) * stride + x] & 0xFFFFFFu; }
};

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
           static_cast<std::uint32_t>(b);
}

// Colours that mark the outside of a shape.
constexpr std::uint32_t kDialogKey = Rgb(0, 64, 0);  // faces, dialogs and pages of the configuration program
constexpr std::uint32_t kNoticeKey = Rgb(64, 64, 64);            // pictures of the notice window
constexpr std::uint32_t kOverlayKey = Rgb(0, 255, 0);            // frames of the progress overlay
constexpr std::uint32_t kTransparentWhite = Rgb(255, 255, 255);  // slider pictures; outside of a mask

}  // namespace vorlix
