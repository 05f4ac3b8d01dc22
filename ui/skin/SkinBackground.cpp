#include "ui/skin/SkinBackground.h"

#include <QPainter>
#include <QWidget>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"

namespace vorlix {

int CSkinBackground::Load(int id, std::uint32_t keyRgb) {
    return LoadImage(CSkinImages::Image(id), keyRgb);
}

int CSkinBackground::LoadImage(const QImage& image, std::uint32_t keyRgb) {
    if (image.isNull()) {
        return 0;
    }
    m_pixels = image;
    m_picture = QPixmap::fromImage(image);
    m_region = RegionFromImage(image, keyRgb);
    return 1;
}

int CSkinBackground::ApplyTo(QWidget* window) const {
    if (window == nullptr || m_picture.isNull()) {
        return 0;
    }
    window->setFixedSize(m_picture.size());
    // An all-key picture gives an empty shape: the window is there but invisible. QWidget reads an
    // empty mask as "no mask", so an empty shape is set as a single pixel outside the window.
    window->setMask(m_region.isEmpty() ? QRegion(-1, -1, 1, 1) : m_region);
    window->update();
    return 1;
}

void CSkinBackground::Paint(QPainter& painter) const {
    if (!m_picture.isNull()) {
        painter.drawPixmap(0, 0, m_picture);
    }
}

}  // namespace vorlix
