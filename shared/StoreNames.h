#pragma once

#include <cstdint>
#include <string>

namespace vorlix::store {

// Names of the values in the per-user store.
inline constexpr const char* kProcessHandle = "Process Handle";
inline constexpr const char* kCurrentDialog = "Current Dialog";
inline constexpr const char* kConfigureHandle = "Configure Handle";
inline constexpr const char* kMacroEditHandle = "Macro Edit Handle";
inline constexpr const char* kLedEditHandle = "LED Edit Handle";
inline constexpr const char* kOsdHandle = "OSD Handle";
inline constexpr const char* kMonitorHandle = "Monitor Handle";
inline constexpr const char* kDisableOsd = "Disable OSD";
inline constexpr const char* kDisableSystemTray = "Disable System Tray";
inline constexpr const char* kLanguage = "Language";
inline constexpr const char* kLocateApp = "Locate APP";
inline constexpr const char* kPath = "Path";
inline constexpr const char* kDisableDeletePaired = "Disable Delete Paired instruction";
// Values of ours: the pointer settings of the store-kept desktop (CStorePointerSettings), the stand-in
// desktop for machines whose desktop settings are not reached and for tests. Wheel lines above 10 mean
// one page per notch, as in the profiles' values.
inline constexpr const char* kDesktopPointerSpeed = "Desktop Pointer Speed";
inline constexpr const char* kDesktopDoubleClickTime = "Desktop Double-Click Time";
inline constexpr const char* kDesktopWheelScrollLines = "Desktop Wheel Scroll Lines";

// Pointer settings per profile; profiles counted 1..5.
std::string MotionSpeed(int profileNumber);       // "PF1 Motion Speed"
std::string DoubleClickSpeed(int profileNumber);  // "PF1 Double-Click_speed"
std::string WheelScrollLines(int profileNumber);  // "PF1 Wheel Scroll Lines"

// Button values; profile index 0..4 and slot digit 1..9 (button index + 1).
std::string ButtonProgram(int profileIndex, int slotDigit);      // "PF0T1 AP"
std::string ButtonProgramName(int profileIndex, int slotDigit);  // "PF0T1 AP Name"
std::string ButtonMacroName(int profileIndex, int slotDigit);    // "PF0T1 Macro Name"

// A value of ours: the bound macro's run mode | repeat count << 8, since the mouse cannot give
// its scripts back.
std::string ButtonMacroMode(int profileIndex, int slotDigit);  // "PF0T1 Macro Mode"

// A published window handle: missing (-1 from a read), 0 and -1 all mean no window.
inline bool IsWindowHandle(int32_t value) {
    return value != 0 && value != -1;
}

}  // namespace vorlix::store
