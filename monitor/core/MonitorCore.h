#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "EventDispatcher.h"
#include "FileSearch.h"
#include "shared/MessagePoster.h"
#include "shared/ProgramLauncher.h"
#include "shared/RegStore.h"

#ifndef VORLIX_WEB_SITE
#define VORLIX_WEB_SITE "https://vorlix-daze.example.com/"
#endif

namespace vorlix {

// What the monitor's decisions ask of the program around them: timers, the device table, the tray
// menu, the desktop's web browser and the end of the program. Called on the GUI thread.
class IMonitorHost {
public:
    virtual ~IMonitorHost() = default;
    // One-shot timers; starting a running one restarts it. Expiry comes back through CMonitorCore::Timer.
    virtual void StartTimer(int id, uint32_t periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    // Builds the table of present mice again; the number found.
    virtual int RebuildDeviceTable() = 0;
    // The tray item of command 2002 shows tray text textIndex (2 "Enable OSD", 4 "Disable OSD").
    virtual void SetOsdMenuText(int textIndex) = 0;
    virtual bool OpenWebPage(const std::string& url) = 0;
    // Ends the event loop; the program then tears down and exits.
    virtual void Quit() = 0;
};

// The monitor's own decisions: start-up, the tray commands, device arrival and removal, and its
// timers. Plain C++ so each decision is tested without a desktop.
class CMonitorCore {
public:
    static constexpr int kLaunchCommand = 2000;
    static constexpr int kWebSiteCommand = 2001;
    static constexpr int kToggleOsdCommand = 2002;
    static constexpr int kExitCommand = 2100;
    static constexpr int kArrivalTimer = 0x4000;
    static constexpr int kRemovalTimer = 0x4001;
    static constexpr int kStartTimer = 0x4002;
    static constexpr uint32_t kRecheckMs = 300;
    static constexpr uint32_t kStartDelayMs = 500;
    static constexpr const char* kProgramName = "VorlixDaze";
    static constexpr const char* kWebSite = VORLIX_WEB_SITE;

    CMonitorCore(CRegStore& store, IMessagePoster& poster, IProgramLauncher& launcher, IFileProbe& probe,
                 const CFileSearch& search, CEventDispatcher& dispatcher, IMonitorHost& host);

    // "/Automation" anywhere in the command line (arguments after the program, joined by spaces), with
    // exactly these letters.
    static bool IsAutomation(const std::vector<std::string>& arguments);
    // The tray text of command 2002's item for the OSD state.
    static int OsdMenuTextIndex(bool osdEnabled) { return osdEnabled ? 4 : 2; }

    // Finds the configuration program: "Locate APP" when it names a readable file by its full path,
    // else the file search. Empty when neither finds it.
    std::string LocateProgram();
    // The first monitor, once its endpoint exists: publishes it, takes up the stored OSD state, tells the
    // notice window, builds the device table and, unless automation, schedules the program start.
    void Start(WindowHandle self, bool automation, bool hasTray);
    // A second monitor: brings the running configuration program forward or starts it, then ends.
    void RunAsSecond();

    // A tray command (or a command posted to the monitor); false for an unknown id.
    bool Command(int id);
    void DeviceChange(uint32_t event);
    void Timer(int id);

    bool OsdEnabled() const { return m_osdEnabled; }
    const std::string& ProgramPath() const { return m_programPath; }

private:
    void StartProgram();
    void SetDevicePresent(int count);

    CRegStore& m_store;
    IMessagePoster& m_poster;
    IProgramLauncher& m_launcher;
    IFileProbe& m_probe;
    const CFileSearch& m_search;
    CEventDispatcher& m_dispatcher;
    IMonitorHost& m_host;
    std::string m_programPath;
    bool m_osdEnabled = true;
    bool m_hasTray = false;
};

}  // namespace vorlix
