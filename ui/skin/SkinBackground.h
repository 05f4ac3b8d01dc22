#pragma once

#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QSize>
#include <cstdint>

class QPainter;
class QWidget;

namespace vorlix {

// A window's background picture and the shape cut from it with a key colour. Load keeps the picture
// for painting; ApplyTo sizes the window to it and sets the shape. A picture that cannot be loaded
// leaves the window unshaped and unsized (with a warning on stderr).
class CSkinBackground {
public:
    int Load(int id, std::uint32_t keyRgb);
    int LoadImage(const QImage& image, std::uint32_t keyRgb);
    int ApplyTo(QWidget* window) const;
    void Paint(QPainter& painter) const;

    bool IsLoaded() const { return !m_picture.isNull(); }
    QSize Size() const { return m_picture.size(); }
    const QPixmap& Picture() const { return m_picture; }
    const QRegion& Region() const { return m_region; }
    const QImage& Pixels() const { return m_pixels; }

private:
    QImage m_pixels;
    QPixmap m_picture;
    QRegion m_region;
};

}  // namespace vorlix
