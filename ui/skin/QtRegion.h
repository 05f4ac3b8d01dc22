#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>

#include "ui/skin/core/BitmapRegion.h"

namespace vorlix {

// Gathers the batches of the core's region scan into a QRegion.
class CQRegionSink : public IRegionSink {
public:
    void Merge(const SRect* rects, std::size_t count) override;
    const QRegion& Region() const { return m_region; }

private:
    QRegion m_region;
};

// A plain view of a 32-bit image's pixels (RGB32 or ARGB32); an empty view for other formats.
SPixelView ViewOf(const QImage& image);
// The window shape of a picture: every pixel not exactly keyRgb is inside.
QRegion RegionFromImage(const QImage& image, std::uint32_t keyRgb);
// The shape of a skin button's mask picture: exactly white is outside.
QRegion RegionFromMask(const QImage& mask);

}  // namespace vorlix
