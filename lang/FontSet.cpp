#include "FontSet.h"

#include <cmath>

namespace vorlix {

double CFontSet::PointSizeForIconTitleHeight(int height) {
    // Larger system fonts get smaller window fonts: the window's bitmaps do not grow with them.
    if (height >= -9) {
        return 15;
    }
    if (height >= -12) {
        return 10.9;
    }
    if (height >= -15) {
        return 9;
    }
    if (height >= -18) {
        return 7.5;
    }
    if (height >= -24) {
        return 5.5;
    }
    return 10;
}

int CFontSet::PixelHeightAt96Dpi(double pointSize) {
    return -static_cast<int>(std::lround(pointSize * 96.0 / 72.0));
}

std::array<SFontDescription, CTextTables::kFontCount> CFontSet::Describe(const CTextTables& tables,
                                                                         int iconTitleHeight) {
    std::array<SFontDescription, CTextTables::kFontCount> fonts;
    fonts[0].face = tables.Font(0).name;
    fonts[0].pointSize = PointSizeForIconTitleHeight(iconTitleHeight);
    for (int i = 1; i < CTextTables::kFontCount; ++i) {
        const SFontEntry& entry = tables.Font(i);
        fonts[i].face = entry.name;
        fonts[i].height = entry.height;
        fonts[i].width = entry.width;
        fonts[i].weight = entry.weight;
    }
    return fonts;
}

}  // namespace vorlix
