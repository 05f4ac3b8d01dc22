#include "ui/skin/QtRegion.h"

#include <QRect>
#include <vector>

namespace vorlix {

void CQRegionSink::Merge(const SRect* rects, std::size_t count) {
    std::vector<QRect> batch;
    batch.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        batch.emplace_back(rects[i].x0, rects[i].y0, rects[i].x1 - rects[i].x0, rects[i].y1 - rects[i].y0);
    }
    // The rectangles of a batch come y-x sorted, which is what setRects takes without re-sorting.
    QRegion part;
    part.setRects(batch.data(), static_cast<int>(batch.size()));
    m_region = m_region.isEmpty() ? part : m_region.united(part);
}

SPixelView ViewOf(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        return {};
    }
    return SPixelView{reinterpret_cast<const std::uint32_t*>(image.constBits()), image.width(),
                      image.height(), static_cast<int>(image.bytesPerLine() / 4)};
}

namespace {
QImage AsRgb32(const QImage& image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) {
        return image;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
}  // namespace

QRegion RegionFromImage(const QImage& image, std::uint32_t keyRgb) {
    const QImage pixels = AsRgb32(image);
    CQRegionSink sink;
    BitmapRegion(ViewOf(pixels), keyRgb, sink);
    return sink.Region();
}

QRegion RegionFromMask(const QImage& mask) {
    const QImage pixels = AsRgb32(mask);
    CQRegionSink sink;
    MaskRegion(ViewOf(pixels), sink);
    return sink.Region();
}

}  // namespace vorlix
