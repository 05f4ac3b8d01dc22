#include "ui/skin/core/SkinTable.h"

#include <array>

#include "ui/skin/core/PixelView.h"

namespace vorlix {
namespace {

// Every picture of the programs. One entry per line, "{first, last, width, height, EKey::" at its start: the
// build reads the ids from these lines to embed resources/bitmaps/<id>.png and fails when one is missing.
constexpr SBitmapInfo kBitmaps[] = {
    // Monitor tray and window icons, the program icon.
    {107, 107, 32, 32, EKey::Alpha, EKind::Icon, "monitor icon"},
    {108, 108, 16, 16, EKey::Alpha, EKind::Icon, "monitor small icon"},
    {800, 800, 48, 48, EKey::Alpha, EKind::Icon, "program icon"},
    // Instruction list icons, in the order of their image-list slots' resources.
    {900, 913, 24, 16, EKey::Alpha, EKind::Icon, "instruction icon"},
    // Main window.
    {111, 111, 144, 36, EKey::None, EKind::StripH, "to tray (1001)"},
    {112, 112, 176, 34, EKey::None, EKind::StripH, "macro editor: create new macro (1081)"},
    {113, 113, 176, 34, EKey::None, EKind::StripH, "macro editor: delete macro file (1090)"},
    {118, 120, 456, 40, EKey::None, EKind::StripH, "main APPLY, CANCEL, OK (1013..1015)"},
    {121, 121, 557, 174, EKey::Dialog, EKind::Picture, "warning face: plug in the mouse"},
    {124, 124, 990, 760, EKey::Dialog, EKind::Picture, "main face with the mouse"},
    {125, 125, 342, 166, EKey::Dialog, EKind::Picture, "page: new macro name"},
    {126, 126, 880, 30, EKey::None, EKind::StripH, "macro editor: macro chooser (1810)"},
    {127, 127, 680, 30, EKey::None, EKind::StripH, "macro editor: command chooser (1812)"},
    {134, 136, 496, 36, EKey::None, EKind::StripH, "main RESET, REGISTER, HELP (1006..1008)"},
    {137, 138, 496, 64, EKey::None, EKind::StripH, "main PERFORMANCE, LIGHTING (1009, 1012)"},
    {139, 142, 760, 46, EKey::None, EKind::StripH, "kind buttons T KEY .. LAUNCH PRGM (1115..1118)"},
    {143, 143, 496, 64, EKey::None, EKind::StripH, "main MACRO EDITOR (1011)"},
    {156, 156, 426, 295, EKey::Dialog, EKind::Picture, "page: firmware update"},
    {165, 168, 592, 40, EKey::None, EKind::StripH, "profile tab 1..4"},
    {169, 172, 592, 40, EKey::None, EKind::StripH, "profile tab 1..4 selected"},
    {173, 174, 264, 30, EKey::None, EKind::StripH, "polling 125 Hz, 500 Hz"},
    {175, 176, 264, 30, EKey::None, EKind::StripH, "polling 125 Hz, 500 Hz chosen"},
    {177, 177, 340, 30, EKey::White, EKind::Picture, "slider channel: double click, cursor, scroll"},
    {178, 179, 22, 30, EKey::White, EKind::Picture,
     "slider thumb: double click, cursor, scroll (normal, active)"},
    {180, 181, 22, 30, EKey::White, EKind::Picture, "slider thumb: DPI levels (normal, active)"},
    {182, 185, 520, 36, EKey::None, EKind::StripH, "LED mode NORMAL off/on, BATTLE off/on"},
    {186, 186, 340, 30, EKey::White, EKind::Picture, "slider channel: DPI levels"},
    {234, 234, 264, 30, EKey::None, EKind::StripH, "polling 250 Hz"},
    {235, 235, 264, 30, EKey::None, EKind::StripH, "polling 250 Hz chosen"},
    {236, 236, 18, 30, EKey::White, EKind::Picture, "slider thumb: lift-off"},
    {237, 237, 190, 30, EKey::White, EKind::Picture, "slider channel: lift-off"},
    {247, 247, 384, 34, EKey::None, EKind::StripH, "YES"},
    {248, 248, 496, 173, EKey::Dialog, EKind::Picture, "page: reset profile"},
    {251, 251, 496, 173, EKey::Dialog, EKind::Picture, "page: warning with text"},
    {256, 257, 400, 34, EKey::None, EKind::StripH, "macro editor RECORD, STOP"},
    {258, 258, 176, 30, EKey::None, EKind::StripH, "macro editor: set (delay, timing, insert)"},
    {261, 263, 160, 34, EKey::None, EKind::StripH, "macro editor: line up, line down, delete lines"},
    {265, 266, 176, 34, EKey::None, EKind::StripH, "macro editor: load, save file"},
    {268, 270, 1012, 34, EKey::None, EKind::StripH, "repeat option 0..2 chosen"},
    {271, 273, 1012, 34, EKey::None, EKind::StripH, "repeat option 0..2"},
    {287, 287, 496, 173, EKey::Dialog, EKind::Picture, "page: question with text"},
    {288, 288, 592, 40, EKey::None, EKind::StripH, "profile tab 5"},
    {289, 289, 592, 40, EKey::None, EKind::StripH, "profile tab 5 selected"},
    // Notice window.
    {300, 304, 101, 41, EKey::Notice, EKind::Picture, "notice: P1..P5"},
    {305, 314, 34, 31, EKey::Notice, EKind::Picture, "notice: digit 0..9"},
    {315, 315, 34, 31, EKey::Notice, EKind::Picture, "notice: blank digit"},
    {316, 319, 238, 74, EKey::Notice, EKind::Picture, "notice: LEVEL 1..4 DPI"},
    {320, 320, 87, 57, EKey::Notice, EKind::Picture, "notice: back arrow"},
    {321, 321, 88, 57, EKey::Notice, EKind::Picture, "notice: forward arrow"},
    {322, 322, 237, 56, EKey::Notice, EKind::Picture, "notice: NORMAL"},
    {323, 323, 211, 56, EKey::Notice, EKind::Picture, "notice: BATTLE"},
    {324, 324, 136, 37, EKey::Notice, EKind::Picture, "notice: LOCK"},
    {325, 325, 189, 36, EKey::Notice, EKind::Picture, "notice: UNLOCK"},
    {326, 329, 189, 99, EKey::Notice, EKind::Picture, "notice: POLLING RATE 125..1000Hz"},
    // Dialogs.
    {335, 335, 680, 579, EKey::Dialog, EKind::Picture, "LED dialog with hue column"},
    {336, 338, 384, 34, EKey::None, EKind::StripH, "APPLY, CANCEL, OK"},
    {339, 340, 384, 34, EKey::None, EKind::StripH, "performance APPLY, CANCEL"},
    {342, 342, 384, 34, EKey::None, EKind::StripH, "performance OK"},
    {343, 343, 605, 585, EKey::Dialog, EKind::Picture, "performance dialog"},
    {344, 344, 384, 34, EKey::None, EKind::StripH, "performance RESET TO DEFAULT"},
    {346, 346, 264, 30, EKey::None, EKind::StripH, "polling 1000 Hz"},
    {347, 347, 264, 30, EKey::None, EKind::StripH, "polling 1000 Hz chosen"},
    {349, 349, 600, 26, EKey::None, EKind::StripH, "ONE SCREEN AT A TIME (hidden 1209)"},
    {350, 351, 72, 12, EKey::None, EKind::StripH, "delay step up, down (1076, 1077)"},
    {352, 353, 496, 173, EKey::Dialog, EKind::Picture, "page: save each profile, information"},
    {356, 356, 760, 560, EKey::Dialog, EKind::Picture, "macro editor"},
    {357, 360, 800, 26, EKey::None, EKind::StripH, "toggles: no delays off/on, default delay off/on"},
    {386, 386, 176, 26, EKey::None, EKind::StripH, "firmware page: close"},
    {387, 388, 138, 128, EKey::None, EKind::StripV, "firmware page: START, started"},
    // Progress overlay and the function display row.
    {405, 416, 172, 172, EKey::Overlay, EKind::Picture, "overlay: wheel frame 1..12"},
    {417, 417, 114, 33, EKey::Overlay, EKind::Picture, "overlay: Loading"},
    {418, 422, 800, 64, EKey::None, EKind::StripH,
     "function row: none, macro, single key, default, launcher"},
    // Button hot-spots: normal 423+k, hover 431+k, mask 439+k, selected 475+k, pressed 483+k.
    {423, 423, 126, 200, EKey::None, EKind::Picture, "hot-spot 0 normal"},
    {424, 424, 126, 200, EKey::None, EKind::Picture, "hot-spot 1 normal"},
    {425, 425, 36, 84, EKey::None, EKind::Picture, "hot-spot 2 normal"},
    {426, 426, 28, 72, EKey::None, EKind::Picture, "hot-spot 3 normal"},
    {427, 427, 28, 72, EKey::None, EKind::Picture, "hot-spot 4 normal"},
    {428, 429, 30, 34, EKey::None, EKind::Picture, "hot-spot 5, 6 normal"},
    {430, 430, 40, 30, EKey::None, EKind::Picture, "hot-spot 7 normal"},
    {431, 431, 126, 200, EKey::None, EKind::Picture, "hot-spot 0 hover"},
    {432, 432, 126, 200, EKey::None, EKind::Picture, "hot-spot 1 hover"},
    {433, 433, 36, 84, EKey::None, EKind::Picture, "hot-spot 2 hover"},
    {434, 435, 28, 72, EKey::None, EKind::Picture, "hot-spot 3, 4 hover"},
    {436, 437, 30, 34, EKey::None, EKind::Picture, "hot-spot 5, 6 hover"},
    {438, 438, 40, 30, EKey::None, EKind::Picture, "hot-spot 7 hover"},
    {439, 439, 126, 200, EKey::Mask, EKind::Picture, "hot-spot 0 mask"},
    {440, 440, 126, 200, EKey::Mask, EKind::Picture, "hot-spot 1 mask"},
    {441, 441, 36, 84, EKey::Mask, EKind::Picture, "hot-spot 2 mask"},
    {442, 443, 28, 72, EKey::Mask, EKind::Picture, "hot-spot 3, 4 mask"},
    {444, 445, 30, 34, EKey::Mask, EKind::Picture, "hot-spot 5, 6 mask"},
    {446, 446, 40, 30, EKey::Mask, EKind::Picture, "hot-spot 7 mask"},
    {447, 447, 602, 173, EKey::Dialog, EKind::Picture, "page: Battle mode explanation"},
    {448, 448, 557, 173, EKey::Dialog, EKind::Picture, "page: keep a left button"},
    {467, 468, 44, 300, EKey::White, EKind::Picture, "DPI slider channel above, below the thumb"},
    {469, 469, 283, 190, EKey::Dialog, EKind::Picture, "page: single key"},
    {470, 470, 283, 330, EKey::Dialog, EKind::Picture, "page: T key macro"},
    {471, 471, 96, 27, EKey::None, EKind::StripH, "colour combo drop button"},
    {472, 472, 1012, 34, EKey::None, EKind::StripH, "repeat option 3 chosen"},
    {473, 473, 1012, 34, EKey::None, EKind::StripH, "repeat option 3"},
    {474, 474, 283, 98, EKey::Dialog, EKind::Picture, "page: repeat count"},
    {475, 476, 126, 200, EKey::None, EKind::Picture, "hot-spot 0, 1 selected"},
    {477, 477, 36, 84, EKey::None, EKind::Picture, "hot-spot 2 selected"},
    {478, 479, 28, 72, EKey::None, EKind::Picture, "hot-spot 3, 4 selected"},
    {480, 481, 30, 34, EKey::None, EKind::Picture, "hot-spot 5, 6 selected"},
    {482, 482, 40, 30, EKey::None, EKind::Picture, "hot-spot 7 selected"},
    {483, 484, 126, 200, EKey::None, EKind::Picture, "hot-spot 0, 1 pressed"},
    {485, 485, 36, 84, EKey::None, EKind::Picture, "hot-spot 2 pressed"},
    {486, 487, 28, 72, EKey::None, EKind::Picture, "hot-spot 3, 4 pressed"},
    {488, 489, 30, 34, EKey::None, EKind::Picture, "hot-spot 5, 6 pressed"},
    {490, 490, 40, 30, EKey::None, EKind::Picture, "hot-spot 7 pressed"},
    {593, 594, 800, 26, EKey::None, EKind::StripH, "toggle delete pairs on, off"},
    // LED dialog zones and hue slider.
    {1746, 1746, 136, 60, EKey::None, EKind::StripH, "LED zone wheel"},
    {1747, 1747, 160, 96, EKey::None, EKind::StripH, "LED zone left side"},
    {1748, 1748, 224, 56, EKey::None, EKind::StripH, "LED zone logo"},
    {1749, 1749, 360, 40, EKey::None, EKind::StripH, "LED zone underside"},
    {1750, 1750, 160, 96, EKey::None, EKind::StripH, "LED zone right side"},
    {1751, 1751, 136, 60, EKey::None, EKind::StripH, "LED zone wheel selected"},
    {1752, 1752, 160, 96, EKey::None, EKind::StripH, "LED zone left side selected"},
    {1753, 1753, 224, 56, EKey::None, EKind::StripH, "LED zone logo selected"},
    {1754, 1754, 360, 40, EKey::None, EKind::StripH, "LED zone underside selected"},
    {1755, 1755, 160, 96, EKey::None, EKind::StripH, "LED zone right side selected"},
    {1756, 1756, 47, 238, EKey::White, EKind::Picture, "hue slider channel"},
    {1757, 1757, 47, 9, EKey::White, EKind::Picture, "hue slider thumb"},
    // Our own controls' pictures.
    {2001, 2002, 319, 19, EKey::None, EKind::Picture, "progress bar empty, full"},
    {2003, 2003, 44, 22, EKey::White, EKind::Picture, "DPI slider thumb"},
    {2004, 2004, 1012, 27, EKey::None, EKind::StripH, "chooser label button (1808)"},
    {2005, 2006, 68, 17, EKey::None, EKind::StripH, "list scroll bar up, down arrow"},
    {2007, 2007, 17, 64, EKey::None, EKind::Picture, "list scroll bar channel"},
    {2008, 2008, 17, 34, EKey::None, EKind::Picture, "list scroll bar thumb"},
};

// Control places. The Parts fix some (dialogs, pages); the rest are ours.
constexpr SPlace kPlaces[] = {
    // Main face.
    {kMainFace, 1001, 930, 26, 0, 0},
    {kMainFace, 1200, 40, 100, 0, 0},
    {kMainFace, 1201, 192, 100, 0, 0},
    {kMainFace, 1202, 344, 100, 0, 0},
    {kMainFace, 1203, 496, 100, 0, 0},
    {kMainFace, 1204, 648, 100, 0, 0},
    {kMainFace, 1121, 560, 196, 0, 0},
    {kMainFace, 1115, 560, 290, 0, 0},
    {kMainFace, 1116, 760, 290, 0, 0},
    {kMainFace, 1117, 560, 344, 0, 0},
    {kMainFace, 1118, 760, 344, 0, 0},
    {kMainFace, 1119, 560, 430, 0, 0},
    {kMainFace, 1120, 700, 430, 0, 0},
    {kMainFace, 1009, 560, 506, 0, 0},
    {kMainFace, 1012, 692, 506, 0, 0},
    {kMainFace, 1011, 824, 506, 0, 0},
    {kMainFace, 1006, 560, 600, 0, 0},
    {kMainFace, 1008, 692, 600, 0, 0},
    {kMainFace, 1007, 824, 600, 0, 0},
    {kMainFace, 1013, 586, 690, 0, 0},
    {kMainFace, 1014, 710, 690, 0, 0},
    {kMainFace, 1015, 834, 690, 0, 0},
    {kMainFace, 1791, 150, 196, 0, 0},
    {kMainFace, 1792, 284, 196, 0, 0},
    {kMainFace, 1793, 262, 222, 0, 0},
    {kMainFace, 1794, 126, 446, 0, 0},
    {kMainFace, 1795, 126, 366, 0, 0},
    {kMainFace, 1796, 265, 318, 0, 0},
    {kMainFace, 1797, 265, 356, 0, 0},
    {kMainFace, 1798, 260, 404, 0, 0},
    // Warning face.
    {kWarningFace, 1005, 448, 127, 0, 0},
    // Performance dialog.
    {kAdvancedDialog, 1, 181, 527, 0, 0},
    {kAdvancedDialog, 2, 284, 527, 0, 0},
    {kAdvancedDialog, 1728, 388, 527, 0, 0},
    {kAdvancedDialog, 1790, 492, 527, 0, 0},
    {kAdvancedDialog, 1806, 48, 96, 44, 300},
    {kAdvancedDialog, 1215, 112, 236, 90, 26},
    {kAdvancedDialog, 1210, 231, 159, 340, 30},
    {kAdvancedDialog, 1045, 231, 234, 340, 30},
    {kAdvancedDialog, 1044, 231, 309, 340, 30},
    {kAdvancedDialog, 1046, 231, 384, 340, 30},
    {kAdvancedDialog, 1047, 387, 461, 190, 30},
    {kAdvancedDialog, 1205, 49, 445, 0, 0},
    {kAdvancedDialog, 1206, 120, 445, 0, 0},
    {kAdvancedDialog, 1207, 192, 445, 0, 0},
    {kAdvancedDialog, 1208, 263, 445, 0, 0},
    {kAdvancedDialog, 1209, 231, 420, 0, 0},
    // LED dialog.
    {kLedDialog, 1, 334, 532, 0, 0},
    {kLedDialog, 2, 437, 532, 0, 0},
    {kLedDialog, 1728, 541, 532, 0, 0},
    {kLedDialog, 1740, 178, 156, 0, 0},
    {kLedDialog, 1741, 55, 288, 0, 0},
    {kLedDialog, 1742, 167, 380, 0, 0},
    {kLedDialog, 1743, 150, 460, 0, 0},
    {kLedDialog, 1744, 300, 288, 0, 0},
    {kLedDialog, 1745, 596, 148, 47, 238},
    // Macro editor.
    {kMacroEditor, 1810, 20, 56, 0, 0},
    {kMacroEditor, 1081, 250, 54, 0, 0},
    {kMacroEditor, 1082, 298, 54, 0, 0},
    {kMacroEditor, 1083, 346, 54, 0, 0},
    {kMacroEditor, 1090, 394, 54, 0, 0},
    {kMacroEditor, 1113, 530, 54, 0, 0},
    {kMacroEditor, 1114, 640, 54, 0, 0},
    {kMacroEditor, 1089, 20, 104, 470, 384},
    {kMacroEditor, 1078, 510, 104, 0, 0},
    {kMacroEditor, 1079, 556, 104, 0, 0},
    {kMacroEditor, 1080, 602, 104, 0, 0},
    {kMacroEditor, 1088, 510, 176, 80, 24},
    {kMacroEditor, 1076, 592, 176, 0, 0},
    {kMacroEditor, 1077, 592, 188, 0, 0},
    {kMacroEditor, 1075, 620, 173, 0, 0},
    {kMacroEditor, 1091, 510, 226, 0, 0},
    {kMacroEditor, 1092, 510, 258, 0, 0},
    {kMacroEditor, 1093, 510, 292, 80, 24},
    {kMacroEditor, 1073, 620, 289, 0, 0},
    {kMacroEditor, 1812, 510, 348, 0, 0},
    {kMacroEditor, 1074, 686, 348, 0, 0},
    {kMacroEditor, 1094, 510, 404, 0, 0},
    {kMacroEditor, 1, 440, 510, 0, 0},
    {kMacroEditor, 2, 544, 510, 0, 0},
    {kMacroEditor, 1728, 648, 510, 0, 0},
    // Pages of the skinned dialog.
    {125, 1, 71, 121, 0, 0},
    {125, 2, 174, 121, 0, 0},
    {125, 1809, 130, 76, 132, 20},
    {156, 1, 144, 255, 0, 0},
    {156, 2, 365, 14, 0, 0},
    {156, 1004, 55, 215, 319, 19},
    {248, 1, 285, 127, 0, 0},
    {248, 2, 388, 127, 0, 0},
    {251, 1, 388, 127, 0, 0},
    {251, 999, 104, 52, 370, 64},
    {287, 1, 285, 127, 0, 0},
    {287, 2, 388, 127, 0, 0},
    {287, 999, 104, 52, 370, 64},
    {352, 1, 285, 127, 0, 0},
    {352, 2, 388, 127, 0, 0},
    {353, 1, 388, 127, 0, 0},
    {353, 999, 104, 52, 370, 64},
    {447, 1, 492, 127, 0, 0},
    {448, 1, 448, 127, 0, 0},
    {469, 1, 45, 145, 0, 0},
    {469, 2, 148, 145, 0, 0},
    {469, 1807, 15, 88, 253, 27},
    {469, 1808, 15, 88, 0, 0},
    {470, 1, 45, 287, 0, 0},
    {470, 2, 148, 287, 0, 0},
    {470, 1807, 15, 88, 253, 27},
    {470, 1808, 15, 88, 0, 0},
    {470, 1084, 15, 124, 0, 0},
    {470, 1085, 15, 163, 0, 0},
    {470, 1086, 15, 202, 0, 0},
    {470, 1087, 15, 241, 0, 0},
    {474, 1, 45, 56, 0, 0},
    {474, 2, 148, 56, 0, 0},
    {474, 1809, 190, 17, 60, 22},
};

}  // namespace

std::span<const SBitmapInfo> BitmapTable() {
    return kBitmaps;
}

std::span<const SPlace> PlaceTable() {
    return kPlaces;
}

const SBitmapInfo* FindBitmap(int id) {
    for (const SBitmapInfo& info : kBitmaps) {
        if (id >= info.first && id <= info.last) {
            return &info;
        }
    }
    return nullptr;
}

const SPlace* FindPlace(int window, int control) {
    for (const SPlace& place : kPlaces) {
        if (place.window == window && place.control == control) {
            return &place;
        }
    }
    return nullptr;
}

long KeyRgb(EKey key) {
    switch (key) {
        case EKey::Dialog:
            return kDialogKey;
        case EKey::Notice:
            return kNoticeKey;
        case EKey::Overlay:
            return kOverlayKey;
        case EKey::White:
        case EKey::Mask:
            return kTransparentWhite;
        case EKey::None:
        case EKey::Alpha:
            break;
    }
    return -1;
}

}  // namespace vorlix
