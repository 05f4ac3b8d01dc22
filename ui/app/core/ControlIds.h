#pragma once

namespace vorlix::ctl {

// Commands of the configuration window: the ids of its controls, as clicks and as posted commands.
inline constexpr int kToTray = 1001;
inline constexpr int kExit = 1005;
inline constexpr int kReset = 1006;
inline constexpr int kWebPage = 1007;
inline constexpr int kHelp = 1008;
inline constexpr int kAdvanced = 1009;
inline constexpr int kMacroEditor = 1011;
inline constexpr int kLedDialog = 1012;
inline constexpr int kApply = 1013;
inline constexpr int kCancel = 1014;
inline constexpr int kOk = 1015;
inline constexpr int kMacroFunction = 1115;
inline constexpr int kSingleKey = 1116;
inline constexpr int kDefaultFunction = 1117;
inline constexpr int kLaunchProgram = 1118;
inline constexpr int kLedNormal = 1119;
inline constexpr int kLedBattle = 1120;
inline constexpr int kFunctionRow = 1121;
inline constexpr int kFirstTab = 1200;
inline constexpr int kFirstHotSpot = 1791;
inline constexpr int kFrameworkExit = 57665;
inline constexpr int kShow = 32774;

// The command buttons of the main face, beside the tabs, hot-spots, kind buttons and LED buttons.
inline constexpr int kCommandButtons[] = {kReset, kWebPage,     kHelp,     kApply,    kCancel,
                                          kOk,    kMacroEditor, kAdvanced, kLedDialog};
inline constexpr int kKindButtons[] = {kMacroFunction, kSingleKey, kDefaultFunction, kLaunchProgram};

// Pages of the skinned dialog the window runs.
inline constexpr int kPageReset = 248;
inline constexpr int kPageSaveEachProfile = 352;
inline constexpr int kPageBattle = 447;
inline constexpr int kPageLeftButton = 448;
inline constexpr int kPageSingleKey = 469;
inline constexpr int kPageMacro = 470;

// What "Current Dialog" says is open.
inline constexpr int kDialogNone = 0;
inline constexpr int kDialogAdvanced = 1;
inline constexpr int kDialogMacroEditor = 2;
inline constexpr int kDialogLed = 3;
inline constexpr int kDialogSkinned = 4;

// Messages of the message table the window shows itself.
inline constexpr int kMsgNoMouse = 1;
inline constexpr int kMsgSaveFailed = 6;
inline constexpr int kMsgNoLeftButton = 10;
inline constexpr int kMsgCantConnect = 13;

inline constexpr int kProfiles = 5;
inline constexpr int kButtons = 8;
inline constexpr int kNoButton = 8;

}  // namespace vorlix::ctl
