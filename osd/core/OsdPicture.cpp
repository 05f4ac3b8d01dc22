#include "OsdPicture.h"

namespace vorlix {

std::array<int, 4> ResolutionDigits(int yCode) {
    const int dpi = yCode >= 1 && yCode <= 164 ? yCode * 50 : 0;
    const int places[4] = {dpi / 1000 % 10, dpi / 100 % 10, dpi / 10 % 10, dpi % 10};
    std::array<int, 4> ids{};
    bool leading = true;
    for (int i = 0; i < 4; ++i) {
        leading = leading && places[i] == 0;
        ids[static_cast<size_t>(i)] = leading ? osdpic::kBlankDigit : osdpic::kDigitFirst + places[i];
    }
    return ids;
}

SOsdPlace PlaceOnScreen(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
    return {(screenWidth - pictureWidth) / 2, screenHeight - pictureHeight - osdpic::kBottomMargin};
}

}  // namespace vorlix
