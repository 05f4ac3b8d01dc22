#include "ui/skin/SkinImages.h"

#include <QString>
#include <cstdio>

#include "ui/skin/SkinImageCache.h"

namespace vorlix {

QImage CSkinImages::Image(int id) {
    if (std::optional<QImage> cached = CSkinImageCache::Instance().Find(id)) {
        return *cached;
    }
    return Decode(id);
}

QImage CSkinImages::Decode(int id) {
    QImage image(QStringLiteral(":/bitmaps/%1.png").arg(id));
    if (image.isNull()) {
        std::fprintf(stderr, "VorlixDaze: picture %d is missing or unreadable\n", id);
        return image;
    }
    // One pixel format for everything that reads pixels: 0xAARRGGBB words.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

QPixmap CSkinImages::Pixmap(int id) {
    const QImage image = Image(id);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QImage CSkinImages::Keyed(const QImage& image, unsigned keyRgb) {
    if (image.isNull()) {
        return image;
    }
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) == (keyRgb & 0xFFFFFFu)) {
                row[x] = 0;
            }
        }
    }
    return keyed;
}

QPixmap CSkinImages::KeyedPixmap(int id, unsigned keyRgb) {
    const QImage keyed = Keyed(Image(id), keyRgb);
    return keyed.isNull() ? QPixmap() : QPixmap::fromImage(keyed);
}

}  // namespace vorlix
