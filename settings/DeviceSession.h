#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FactoryDefaults.h"

namespace vorlix {

class CHidClient;
class CIcQT47;
class CRegStore;
class IClock;
class IMessagePoster;

// What the session reports to the window (or tool) that owns it.
enum class SessionChange {
    NoMouse,       // no mouse is open: show the no-mouse page
    Loaded,        // the image is loaded: show the active profile, normal page
    LoadFailed,    // the image could not be read: hide the window (message 5 follows)
    ProfileShown,  // the mouse switched profile by itself: show the active profile
    Disconnected,  // the mouse was dropped: close dialogs, disable Apply/OK, withdraw "Configure Handle"
    EndProgram,    // the user cancelled the choice between several mice
};

// How a firmware update the user was offered ended.
enum class FirmwareOutcome {
    NotRun,      // not offered, declined, or its page closed before Start: the mouse was not touched
    Cancelled,   // started, but the mouse never got ready for pages: no page was written
    Failed,      // pages went out but the transfer broke off: the mouse waits in its boot loader
    Written,     // every page went out and the mouse was told to restart
    Unverified,  // written, but the connect after it did not find current firmware running
    Done,        // written, and the mouse came back running firmware of the current version
};

// The owner of a session: the configuration window, vorlixctl or a test. Everything runs on the
// owner's thread; timers are the owner's, and it hands their ticks back through CDeviceSession::OnTimer.
class IDeviceSessionOwner {
public:
    virtual ~IDeviceSessionOwner() = default;
    // Message number of the message table.
    virtual void ShowMessage(int number) = 0;
    // Several mice are attached: let the user choose one of the lines (table order). While the choice
    // is open, the owner calls SelectionChanged when another line is picked and OnTimer for the
    // identification timer. Returns the chosen line, or -1 when the user cancelled.
    virtual int ChooseMouse(const std::vector<std::u16string>& lines) = 0;
    virtual void StartTimer(int id, uint32_t periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    virtual void SessionChanged(SessionChange change) = 0;
    // A button asked for its program: start it as a new process.
    virtual void LaunchProgram(const std::u16string& path) = 0;
    // Start was pressed on the firmware-update page (device notice 12).
    virtual void StartFirmwareUpdate() = 0;
    // The firmware check of a connect: opened false when the mouse's node opened but the mouse failed
    // the signature check, true after a complete load; vendorId and productId are the chosen entry's.
    // Offers the update when the mouse needs one; true when the user accepted. Default: never offered.
    virtual bool OfferFirmwareUpdate(bool /*opened*/, uint16_t /*vendorId*/, uint16_t /*productId*/) {
        return false;
    }
    // Runs the accepted update until its page closes. Device notifications are off meanwhile.
    virtual FirmwareOutcome RunFirmwareUpdate() { return FirmwareOutcome::NotRun; }
    // An update that ran has ended and the session connected again: Done, Unverified, Failed or
    // Cancelled. Everything but Done must reach the user.
    virtual void FirmwareUpdateEnded(FirmwareOutcome /*outcome*/) {}
    // True while one of the window's dialogs is open.
    virtual bool DialogOpen() const = 0;
    // A device arrived or went away. May be called on any thread: the owner hands the event to
    // OnDeviceChange on its own thread.
    virtual void DeviceChangeNotified(uint32_t event) = 0;
};

// The device side of the configuration window: finds the mouse (letting the user choose among several),
// connects the protocol object, loads the whole settings image, saves and resets profiles, switches
// profiles, follows device arrival and removal and applies the monitor's device notices.
class CDeviceSession {
public:
    // Message numbers of the message table.
    static constexpr int kMsgNoMouse = 1;
    static constexpr int kMsgLoadFailed = 5;
    static constexpr int kMsgSaveFailed = 6;
    // Timers.
    static constexpr int kFirstTimer = 2304;
    static constexpr int kLastTimer = 2318;
    static constexpr int kIdentifyTimer = 2306;
    static constexpr uint32_t kIdentifyPeriodMs = 300;
    static constexpr int kReconnectTimer = 2314;
    static constexpr uint32_t kReconnectDelayMs = 5000;
    static constexpr uint32_t kIdentifyPauseMs = 40;
    static constexpr uint32_t kLoadPauseMs = 10;
    // After an update the mouse restarts on a new device node: looked for this often, this long.
    static constexpr uint32_t kRestartPollMs = 500;
    static constexpr uint32_t kRestartWaitMs = 15000;
    static constexpr unsigned kCurrentFirmware = 9;

    CDeviceSession(IDeviceSessionOwner& owner, CHidClient& hid, CIcQT47& device, CRegStore& store,
                   IMessagePoster& poster, IClock& clock);
    ~CDeviceSession();
    CDeviceSession(const CDeviceSession&) = delete;
    CDeviceSession& operator=(const CDeviceSession&) = delete;

    // Finds and opens the mouse and loads the image. 1 when connected (the load may still have failed:
    // see Ready). A firmware update the connect offers and runs is followed by a connect to the
    // restarted mouse, which tells whether the update took.
    int Connect();
    int Load();
    int SaveActiveProfile() { return SaveProfile(m_activeProfile); }
    // Writes the profile's block and puts the settings into effect; the active profile stays.
    int SaveProfile(int profile);
    int ResetActiveProfile() { return ResetProfile(m_activeProfile); }
    // Gives the profile its factory defaults, removes its macro names and writes the block.
    int ResetProfile(int profile);
    int SwitchProfile(int profile);
    // "Default Button Function": the button's default entry, its macro-slot entry zeroed in the mouse
    // and its macro name removed. 0 when the left-button rule refuses.
    int DefaultButtonFunction(int profile, int button);
    void Disconnect();
    // The window closes.
    void Close();

    void OnDeviceChange(uint32_t event);
    void OnMonitorEvent(uint32_t wParam, uint32_t lParam);
    void OnTimer(int id);
    // While the choice between several mice is open: the user picked another line.
    void SelectionChanged(int index);

    bool Connected() const { return m_connected; }
    bool Busy() const { return m_busy; }
    bool Ready() const { return m_ready; }
    int ChosenEntry() const { return m_chosenEntry; }
    int CountedDevices() const { return m_countedDevices; }
    int ActiveProfile() const { return m_activeProfile; }
    int Variant() const { return m_variant; }
    bool UnsavedChanges() const { return m_unsavedChanges; }
    void SetUnsavedChanges(bool value) { m_unsavedChanges = value; }
    const CFactoryDefaults& Defaults() const { return m_defaults; }
    CIcQT47& Device() { return m_device; }
    CRegStore& Store() { return m_store; }

private:
    // True when a profile block may be written now; tells the owner why not otherwise.
    bool MayWriteProfile(int profile);
    int BuildTable();
    // One pass of the connect; offer: the firmware check may offer an update, whose outcome it sets.
    int ConnectOnce(bool offer, FirmwareOutcome& update);
    FirmwareOutcome CheckFirmware(bool opened, uint16_t vendorId, uint16_t productId);
    void RegisterNotices();
    // Waits, a bounded time, for a mouse that opens and identifies as running its firmware.
    bool WaitForFirmware();
    // The open mouse runs its firmware with a version of kCurrentFirmware or more.
    bool FirmwareCurrent();
    // Ends a connect that failed after the table was counted.
    int ConnectFailed();
    int ChooseAmong(int count);
    void Identify(int index);
    void StopIdentifying();
    void PostOsd(uint32_t kind, uint32_t value);
    void StartTimer(int id, uint32_t periodMs);
    void StopTimer(int id);
    int FinishWrite(int written);

    IDeviceSessionOwner& m_owner;
    CHidClient& m_hid;
    CIcQT47& m_device;
    CRegStore& m_store;
    IMessagePoster& m_poster;
    IClock& m_clock;
    CFactoryDefaults m_defaults;

    bool m_connected = false;
    bool m_busy = false;
    bool m_ready = false;
    int m_chosenEntry = 0;
    int m_countedDevices = 0;
    int m_activeProfile = 0;
    bool m_unsavedChanges = false;
    int m_variant = 2;
    bool m_choosing = false;
    int m_selected = 0;
    bool m_identifyRunning = false;
    bool m_closing = false;
    bool m_timerRunning[kLastTimer - kFirstTimer + 1] = {};
};

}  // namespace vorlix
