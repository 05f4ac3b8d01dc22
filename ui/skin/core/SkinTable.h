#pragma once

#include <span>

namespace vorlix {

// What marks the outside of a picture.
enum class EKey {
    None,     // opaque everywhere (button strips, the list's scroll bar)
    Dialog,   // RGB(0, 64, 0): faces, dialogs and pages of the configuration program
    Notice,   // RGB(64, 64, 64): pictures of the notice window
    Overlay,  // RGB(0, 255, 0): frames of the progress overlay
    White,    // slider pictures: white is transparent
    Mask,     // hot-spot masks: exactly white is outside, everything else inside
    Alpha,    // icons: the alpha channel is the icon's mask
};

enum class EKind {
    Picture,  // one picture
    StripH,   // four frames side by side: normal, pressed, hover, disabled
    StripV,   // four frames one above the other
    Icon,
};

// One picture, or a run of pictures first..last sharing size, key and kind, in the id table. The
// art generator draws every id of this table; the build fails when resources/bitmaps lacks one.
struct SBitmapInfo {
    int first;
    int last;
    int width;
    int height;
    EKey key;
    EKind kind;
    const char* role;
};

// Where a control sits on a window, in pixels at 96 DPI. A window is named by its background
// picture's id; a zero width or height means the control takes its size from its picture.
struct SPlace {
    int window;
    int control;
    int x;
    int y;
    int width;
    int height;
};

std::span<const SBitmapInfo> BitmapTable();
std::span<const SPlace> PlaceTable();

// The entry that covers the id, or nullptr.
const SBitmapInfo* FindBitmap(int id);
// The place of a control on a window, or nullptr.
const SPlace* FindPlace(int window, int control);

// The RGB value of a key, or -1 for keys that are not a single colour (None, Alpha).
long KeyRgb(EKey key);

// Pictures of the button hot-spots: skin k of a kind is base + k.
constexpr int kHotSpotNormal = 423;
constexpr int kHotSpotHover = 431;
constexpr int kHotSpotMask = 439;
constexpr int kHotSpotSelected = 475;
constexpr int kHotSpotPressed = 483;
constexpr int kHotSpotControl = 1791;

// Window ids of the layout table (the background picture of each window).
constexpr int kMainFace = 124;
constexpr int kWarningFace = 121;
constexpr int kAdvancedDialog = 343;
constexpr int kLedDialog = 335;
constexpr int kMacroEditor = 356;

// Pictures our own controls need that no window names.
constexpr int kDpiThumb = 2003;
constexpr int kProgressEmpty = 2001;
constexpr int kProgressFull = 2002;
constexpr int kChooserButton = 2004;
constexpr int kScrollUp = 2005;
constexpr int kScrollDown = 2006;
constexpr int kScrollChannel = 2007;
constexpr int kScrollThumb = 2008;

}  // namespace vorlix
