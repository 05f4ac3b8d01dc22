#pragma once

#include "ui/skin/BitmapSliderEx.h"

namespace vorlix {

// A two-part slider whose horizontal position is measured from the thumb's leading edge.
class CBitmapSliderEx2 : public CBitmapSliderEx {
    Q_OBJECT
public:
    using CBitmapSliderEx::CBitmapSliderEx;

protected:
    bool MeasuresFromLeadingEdge() const override { return !IsVertical(); }
};

}  // namespace vorlix
