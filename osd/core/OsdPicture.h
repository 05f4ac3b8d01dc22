#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorlix {

// Picture ids of the notice window, embedded in the library.
namespace osdpic {
inline constexpr int kProfileFirst = 300;  // P1 .. P5
inline constexpr int kDigitFirst = 305;    // digits 0 .. 9
inline constexpr int kBlankDigit = 315;
inline constexpr int kLevelFirst = 316;  // LEVEL 1 .. LEVEL 4
inline constexpr int kBack = 320;
inline constexpr int kForward = 321;
inline constexpr int kNormal = 322;
inline constexpr int kBattle = 323;
inline constexpr int kLock = 324;
inline constexpr int kUnlock = 325;
inline constexpr int kRateFirst = 326;  // 125 Hz .. 1000 Hz
inline constexpr int kLast = 329;
// Where the resolution digits go on a level picture: the first at (20, 34), each next one a digit's
// width (34) further right.
inline constexpr int kDigitX = 20;
inline constexpr int kDigitY = 34;
inline constexpr int kDigitWidth = 34;
// The colour outside a picture's shape, and the window's opacity out of 255.
inline constexpr uint32_t kKeyRgb = 0x404040;
inline constexpr int kAlpha = 220;
// The window sits this far above the bottom edge of the screen, centred.
inline constexpr int kBottomMargin = 50;
}  // namespace osdpic

// What the notice window shows: one picture, and on a level picture the four resolution digits.
struct SOsdPicture {
    int id = 0;
    bool hasDigits = false;
    std::array<int, 4> digits{};  // picture ids, thousands first

    bool operator==(const SOsdPicture&) const = default;
};

// The four digit pictures of a resolution: y code × 50 DPI for codes 1..164, else 0; leading zero
// positions are blank, so 0 is four blanks and 800 is blank, 8, 0, 0.
std::array<int, 4> ResolutionDigits(int yCode);

// Where the window goes on a screen: centred, kBottomMargin above the bottom edge.
struct SOsdPlace {
    int x = 0;
    int y = 0;
    bool operator==(const SOsdPlace&) const = default;
};
SOsdPlace PlaceOnScreen(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);

}  // namespace vorlix
