#pragma once

#include "ui/skin/BitmapSlider.h"

namespace vorlix {

// Draws the stretch from the start to the thumb from the second channel picture and the stretch from
// the thumb to the far end from the first (the DPI bar).
class CBitmapSliderEx : public CBitmapSlider {
    Q_OBJECT
public:
    using CBitmapSlider::CBitmapSlider;
    int SetBitmapChannelStart(int id, bool transparent = true, unsigned keyRgb = 0xFFFFFF);

protected:
    void PaintChannel(QPainter& painter) override;

private:
    QPixmap m_startChannel;
};

}  // namespace vorlix
