#pragma once

#include <cstddef>
#include <cstdint>

#include "FileSearch.h"
#include "shared/MessagePoster.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"
#include "shared/RegStore.h"

namespace vorlix {

// Who sent a report, as the device that delivered it describes itself.
struct SReportSource {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;  // the HID version number: the controller family
};

// Turns the mouse's own event reports and side-button presses into notices for the notice window and
// the configuration program, program launches and a profile's pointer settings. Runs on the monitor's
// GUI thread; every notice is posted, so a busy receiver never holds the monitor up.
class CEventDispatcher {
public:
    static constexpr uint8_t kEventReportId = 3;
    static constexpr size_t kEventReportLength = 8;
    enum EEvent : uint8_t {
        kLock = 0xA1,
        kProfile = 0xA2,
        kResolution = 0xA3,
        kReportRate = 0xA4,
        kLaunch = 0xA5
    };
    // Launch events name a profile and a button the configuration program can give a program to.
    static constexpr int kProfiles = 5;
    static constexpr int kButtons = 8;

    CEventDispatcher(CRegStore& store, IMessagePoster& poster, IProgramLauncher& launcher,
                     IPointerSettings& pointer, const CFileSearch& search);

    // Reports are examined only while the last device-table build found the mouse.
    void SetDevicePresent(bool present) { m_devicePresent = present; }
    bool DevicePresent() const { return m_devicePresent; }

    // One input report of the vendor collection. True when it came from the mouse and carried an event
    // report (whether or not the event code is one the monitor knows).
    bool HandleVendorReport(const uint8_t* data, size_t length, const SReportSource& source);
    // Side buttons pressed in one input frame; button 4 wins when both went down together.
    void HandleSideButtons(bool button4Down, bool button5Down, const SReportSource& source);

    // The controller family and the accepted vendor and product ids (reports of the vendor collection).
    static bool IsMouse(const SReportSource& source);
    // The accepted vendor and product ids (pointer input, which carries no family).
    static bool IsMouseIds(const SReportSource& source);

    // To the window in "OSD Handle", when it names a live window.
    bool PostOsdNotice(uint32_t kind, uint32_t value);
    // To the configuration window "Current Dialog" names, when it names a live window.
    bool PostDeviceNotice(uint32_t kind, uint32_t value);
    // Puts the pointer settings a profile (0..4) recorded into effect, by the same rule as the
    // configuration program: what the profile never recorded stays as the desktop has it.
    bool ApplyPointerSettings(int profile);

private:
    void Launch(int profile, int button);

    CRegStore& m_store;
    IMessagePoster& m_poster;
    IProgramLauncher& m_launcher;
    IPointerSettings& m_pointer;
    const CFileSearch& m_search;
    bool m_devicePresent = false;
};

}  // namespace vorlix
