#include "ui/skin/core/BitmapRegion.h"

#include <array>

namespace vorlix {
namespace {

// Emits the runs of pixels that differ from `outside`; a run that reaches the last column includes it.
std::size_t ScanRuns(const SPixelView& view, std::uint32_t outside, IRegionSink& sink) {
    if (view.pixels == nullptr || view.width <= 0 || view.height <= 0 || view.stride < view.width) {
        return 0;
    }
    std::array<SRect, kRegionBatch> batch;
    std::size_t used = 0;
    std::size_t total = 0;
    for (int y = 0; y < view.height; ++y) {
        const std::uint32_t* row = view.pixels + static_cast<long>(y) * view.stride;
        int x = 0;
        while (x < view.width) {
            while (x < view.width && (row[x] & 0xFFFFFFu) == outside) {
                ++x;
            }
            if (x == view.width) {
                break;
            }
            const int start = x;
            while (x < view.width && (row[x] & 0xFFFFFFu) != outside) {
                ++x;
            }
            batch[used++] = SRect{start, y, x, y + 1};
            if (used == batch.size()) {
                sink.Merge(batch.data(), used);
                total += used;
                used = 0;
            }
        }
    }
    if (used > 0) {
        sink.Merge(batch.data(), used);
        total += used;
    }
    return total;
}

}  // namespace

std::size_t BitmapRegion(const SPixelView& view, std::uint32_t keyRgb, IRegionSink& sink) {
    return ScanRuns(view, keyRgb & 0xFFFFFFu, sink);
}

std::size_t MaskRegion(const SPixelView& view, IRegionSink& sink) {
    return ScanRuns(view, kTransparentWhite, sink);
}

}  // namespace vorlix
