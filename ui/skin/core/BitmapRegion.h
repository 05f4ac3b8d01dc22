#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/skin/core/PixelView.h"

namespace vorlix {

// One rectangle of a region, half-open: [x0, x1) × [y0, y1).
struct SRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    bool operator==(const SRect&) const = default;
};

// Receives the rectangles of a region in batches; the union of every batch is the region. Rectangles
// arrive row by row from the top and left to right within a row, so a batch is already y-x sorted.
class IRegionSink {
public:
    virtual ~IRegionSink() = default;
    virtual void Merge(const SRect* rects, std::size_t count) = 0;
};

// Collects every batch into one list; for tests and callers that want the plain rectangles.
class CRectListSink : public IRegionSink {
public:
    void Merge(const SRect* rects, std::size_t count) override {
        m_rects.insert(m_rects.end(), rects, rects + count);
        ++m_batches;
    }
    const std::vector<SRect>& Rects() const { return m_rects; }
    int Batches() const { return m_batches; }

private:
    std::vector<SRect> m_rects;
    int m_batches = 0;
};

// Rectangles are handed to the sink in batches of at most this many, so that the platform merges a
// few large sets instead of one rectangle at a time.
constexpr std::size_t kRegionBatch = 3000;

// The shape of a window cut from its background picture: every pixel whose colour is not exactly
// keyRgb is inside. Each maximal run of inside pixels of a row becomes a one-pixel-high rectangle.
// Returns the number of rectangles; 0 (an empty region) for an all-key picture or an empty view.
std::size_t BitmapRegion(const SPixelView& view, std::uint32_t keyRgb, IRegionSink& sink);

// The shape of a skin button from its mask picture: exactly white pixels are outside, every other
// pixel is inside.
std::size_t MaskRegion(const SPixelView& view, IRegionSink& sink);

}  // namespace vorlix
