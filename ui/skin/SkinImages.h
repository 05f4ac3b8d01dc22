#pragma once

#include <QImage>
#include <QPixmap>

namespace vorlix {

// The pictures embedded in the program, by id (:/bitmaps/<id>.png). A picture that is missing or
// unreadable gives a null image and a warning on stderr, never a crash.
class CSkinImages {
public:
    // Pictures named to CSkinImageCache come from there, decoded once; the rest are decoded each time.
    static QImage Image(int id);
    // Reads and converts the picture, with no cache.
    static QImage Decode(int id);
    static QPixmap Pixmap(int id);
    // The picture with every pixel of keyRgb made fully transparent (for pictures drawn transparently
    // with a key colour, as sliders are).
    static QPixmap KeyedPixmap(int id, unsigned keyRgb);
    static QImage Keyed(const QImage& image, unsigned keyRgb);
};

}  // namespace vorlix
