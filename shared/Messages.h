#pragma once

#include <cstdint>

namespace vorlix {

// A window handle published in the store: a nonzero 32-bit endpoint id. 0 and -1 mean no window.
using WindowHandle = uint32_t;

// The messages the programs post to each other. Each carries a kind in wParam and a value in lParam.
namespace msg {
inline constexpr uint32_t kOsdNotice = 0x9100;     // to the window in "OSD Handle"
inline constexpr uint32_t kDeviceNotice = 0x9101;  // from the monitor to the configuration window
inline constexpr uint32_t kCommand = 0x0111;       // WM_COMMAND: wParam = command id
inline constexpr uint32_t kClose = 0x0010;         // WM_CLOSE: close as on the program's own exit
inline constexpr uint32_t kShowCommandId = 32774;  // "Show": restore the configuration window
}  // namespace msg

// Kinds of the OSD notice.
namespace osd {
inline constexpr uint32_t kProfileOrResolution = 0;
inline constexpr uint32_t kSideButton = 1;
inline constexpr uint32_t kCurrentProfile = 5;
inline constexpr uint32_t kVersion = 6;
inline constexpr uint32_t kLock = 7;
inline constexpr uint32_t kReportInterval = 8;
inline constexpr uint32_t kLedMode = 9;
inline constexpr uint32_t kEnabled = 10;
inline constexpr uint32_t kFirmwareVariant = 11;
}  // namespace osd

// Kinds of the device notice.
namespace devnotice {
inline constexpr uint32_t kProfileOrResolution = 0;
inline constexpr uint32_t kLaunch = 2;
inline constexpr uint32_t kLock = 7;
inline constexpr uint32_t kReportInterval = 8;
inline constexpr uint32_t kLedMode = 9;
inline constexpr uint32_t kFirmwareUpdate = 12;
}  // namespace devnotice

struct PostedMessage {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

}  // namespace vorlix
