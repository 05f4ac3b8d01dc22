#include "ui/skin/BitmapSliderEx.h"

#include <QPainter>

#include "ui/skin/SkinImages.h"

namespace vorlix {

int CBitmapSliderEx::SetBitmapChannelStart(int id, bool transparent, unsigned keyRgb) {
    m_startChannel = transparent ? CSkinImages::KeyedPixmap(id, keyRgb) : CSkinImages::Pixmap(id);
    update();
    return m_startChannel.isNull() ? 0 : 1;
}

void CBitmapSliderEx::PaintChannel(QPainter& painter) {
    const int split = ThumbCentre();
    const QRect before = IsVertical() ? QRect(0, 0, width(), split) : QRect(0, 0, split, height());
    const QRect after = IsVertical() ? QRect(0, split, width(), height() - split)
                                     : QRect(split, 0, width() - split, height());
    if (!m_startChannel.isNull()) {
        painter.drawPixmap(before.topLeft(), m_startChannel, before);
    }
    if (!Channel().isNull()) {
        painter.drawPixmap(after.topLeft(), Channel(), after);
    }
}

}  // namespace vorlix
