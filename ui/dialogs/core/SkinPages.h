#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialogs/core/ModalRun.h"

namespace vorlix {

// Page ids of the skinned dialog: each page is named by its background picture.
namespace page {
inline constexpr int kNewMacro = 125;
inline constexpr int kFirmwareUpdate = 156;
inline constexpr int kResetProfile = 248;
inline constexpr int kWarning = 251;
inline constexpr int kQuestion = 287;
inline constexpr int kSaveEachProfile = 352;
inline constexpr int kInformation = 353;
inline constexpr int kBattleMode = 447;
inline constexpr int kKeepLeftButton = 448;
inline constexpr int kSingleKey = 469;
inline constexpr int kMacroKey = 470;
inline constexpr int kRepeatCount = 474;
}  // namespace page

// Control ids of the skinned dialog.
namespace skinctl {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kText = 999;
inline constexpr int kProgress = 1004;
inline constexpr int kFirstRadio = 1084;
inline constexpr int kList = 1807;
inline constexpr int kListLabel = 1808;
inline constexpr int kEdit = 1809;
inline constexpr int kUnused = 1728;
}  // namespace skinctl

// What one page of the skinned dialog holds besides its picture.
struct SSkinPage {
    int id;
    ModalKind kind;    // how an unattended run answers it
    int okBitmap;      // the OK (or Start) button's picture
    int cancelBitmap;  // 0: the page has OK only and Cancel is hidden
    bool text;         // shows the caller's text
    bool list;         // the list (1807) and its label (1808)
    bool radios;       // the four repeat-option radios
    bool edit;         // the edit box (1809)
};

std::span<const SSkinPage> SkinPages();
// The page, or nullptr for an id no page has.
const SSkinPage* FindSkinPage(int id);

// The repeat-option radios: the picture of radio `option` (0..3), chosen or not.
int RadioBitmap(int option, bool chosen);
inline constexpr int kRadioCount = 4;

// The single-key list shows list positions 0..7 of the catalogue mapping.
inline constexpr int kSingleKeyRows = 8;

// The macro page's path: a macro file (".mac" in any letter case, after at least one character) gives
// its folder and the macro's name; anything else is a folder and no name.
struct SMacroPath {
    std::string folder;
    std::u16string name;
};
SMacroPath SplitMacroPath(std::string_view path);
// The position of the entry equal to name (exactly), or -1.
int FindExact(const std::vector<std::u16string>& entries, std::u16string_view name);

// The launcher's chooser starts in the stored program's folder with its file name proposed; with no
// stored program (or one that is only a name), in fallbackFolder.
struct SLauncherStart {
    std::string folder;
    std::string file;
};
SLauncherStart LauncherStart(std::string_view storedPath, std::string_view fallbackFolder = "/usr/bin");

// Where ShowMessage shows a message: on the skinned dialog's warning page when the dialog has run
// before, is not open now and the text fits the page; else in the system message box.
enum class EMessageRoute { None, SkinnedPage, SystemBox };
inline constexpr int kMessageCount = 20;
inline constexpr std::size_t kSkinnedMessageLength = 39;
EMessageRoute MessageRoute(int number, bool dialogInitialised, bool dialogOpen, std::size_t textLength);

}  // namespace vorlix
