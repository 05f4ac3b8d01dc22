#pragma once

#include <array>
#include <string>

#include "TextTables.h"

namespace vorlix {

// How one font of the configuration window is to be made. Font 0 is given by a point size; fonts 1..6
// by the height, width and weight of their table entry and the fixed creation parameters below.
struct SFontDescription {
    std::u16string face;
    double pointSize = 0;  // > 0 for font 0 only
    int height = 0;        // negative: character height in pixels; positive: cell height; 0: default
    int width = 0;         // average character width; 0: the face's own proportions
    int weight = 0;        // 0..1000; 0: the face's normal weight
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 2;
    int clipPrecision = 0x10;
    int quality = 1;            // draft
    int pitchAndFamily = 0x22;  // variable pitch, sans-serif family

    bool operator==(const SFontDescription& other) const = default;
};

class CFontSet {
public:
    // The point size of font 0 for the height of the system's icon title font (negative pixel height).
    static double PointSizeForIconTitleHeight(int height);
    // A point size as the negative pixel height it has at 96 dots per inch.
    static int PixelHeightAt96Dpi(double pointSize);
    // The seven fonts of the window from the font table.
    static std::array<SFontDescription, CTextTables::kFontCount> Describe(const CTextTables& tables,
                                                                          int iconTitleHeight);
};

}  // namespace vorlix
