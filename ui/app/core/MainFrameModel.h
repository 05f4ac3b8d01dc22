#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ControlIds.h"
#include "MainFrameHost.h"
#include "SessionGate.h"
#include "settings/ButtonCatalogue.h"
#include "settings/DeviceSession.h"

namespace vorlix {

class CMacroLibrary;
class IMacroReporter;
class IMessagePoster;
class IPointerSettings;

enum class EFace { None, Warning, Main };

struct SMainFrameConfig {
    // The left-button refusal is message 10 (a language file is in use and the system language is not
    // English) rather than page 448.
    bool leftButtonByMessage = false;
    std::string webAddress = "https://www.vorlix.example/register";
    // The macro library folder, for the macro page's first offer.
    std::string macroFolder;
};

// The decisions of the configuration window, without widgets: which face shows, which profile and
// button are selected, what each command does to the session, the image, the store and the notices,
// and which controls are enabled. The Qt window draws this state and feeds it clicks, posted commands,
// timer ticks, device changes and the session's reports.
class CMainFrameModel {
public:
    CMainFrameModel(CDeviceSession& session, IMainFrameHost& host, IMessagePoster& poster,
                    IPointerSettings& pointer, CMacroLibrary& library, IMacroReporter& reporter,
                    SMainFrameConfig config);

    // Finds the mouse and loads it (initialisation, "Show", and again after a failed load).
    void Connect();
    // A click on a control or a posted command.
    void OnCommand(int id);
    // Reports of the session (through its owner).
    void OnSessionChanged(SessionChange change);
    void OnTimer(int id);
    void OnDeviceChange(uint32_t event);
    // Message 0x9101 from the monitor.
    void OnDeviceNotice(uint32_t kind, uint32_t value);
    // The window is closed while it may be reading or writing the mouse.
    void OnClose();
    // A page of the skinned dialog the window runs on its own (the firmware update's pages) opens or
    // closes: it is published as the skinned dialog meanwhile, and what was open before it afterwards.
    void SkinnedPageOpened();
    void SkinnedPageClosed();

    EFace Face() const { return m_face; }
    int Profile() const { return m_profile; }
    int Selected() const { return m_selected; }
    bool SelectedAtDefault() const { return m_selectedAtDefault; }
    // Edits not yet saved: some profile block of the image holds changed cells.
    bool Pending() const;
    bool Busy() const;
    bool Connected() const { return m_session.Connected(); }
    bool ImageLoaded() const { return m_imageLoaded; }
    int CurrentDialog() const { return m_currentDialog; }
    bool BattleShown() const { return m_battle; }
    const SSlotDisplay& Button(int k) const { return m_buttons[static_cast<size_t>(k)]; }
    // Whether a main-face control takes clicks now.
    bool ControlEnabled(int id) const;
    CSessionGate& Gate() { return m_gate; }

private:
    // Runs session work with the overlay running and the gate closed.
    template <class F>
    auto DeviceWork(F&& f) {
        m_host.DeviceWorkStarted();
        struct SEnd {
            IMainFrameHost& host;
            ~SEnd() { host.DeviceWorkEnded(); }
        } end{m_host};
        return m_gate.Work(f);
    }
    // The child-dialog pattern: "Current Dialog" published, controls disabled while run() runs.
    template <class F>
    auto RunChild(int dialog, F&& run) {
        EnterChild(dialog);
        struct SLeave {
            CMainFrameModel& model;
            ~SLeave() { model.LeaveChild(); }
        } leave{*this};
        return run();
    }
    // Runs a write to the mouse (save, reset, macro binding, lighting mode) with the mouse kept from the
    // user's other programs; false, with the user told and nothing written, when another program kept it.
    // The wait for the lock counts as device work: timer ticks and posted messages wait behind it.
    template <class F>
    bool WithMouseLocked(F&& f) {
        return m_gate.Work([&] {
            if (!m_host.LockMouse()) {
                m_host.ShowMessage(ctl::kMsgSaveFailed, kMouseBusyText);
                return false;
            }
            struct SUnlock {
                IMainFrameHost& host;
                ~SUnlock() { host.UnlockMouse(); }
            } unlock{m_host};
            f();
            return true;
        });
    }
    static constexpr std::u16string_view kMouseBusyText =
        u" Another program (vorlixctl) is changing the mouse. Nothing was written; try again when it is "
        u"done.";
    void EnterChild(int dialog);
    void LeaveChild();
    void PublishCurrentDialog();
    int RunPage(SPageRun& run);

    void Command(int id);
    void SaveChanged();
    void HideToTray();
    void Reset();
    void SwitchProfile(int profile);
    void ShowProfile(int profile);
    void SelectButton(int button);
    void ClearSelection();
    void RefreshButtons();
    void RefreshLed();
    void GiveMacro();
    void GiveSingleKey();
    void GiveDefault();
    void GiveLauncher();
    bool LeftButtonAllows(int function);
    void SetLedMode(bool battle);
    void OpenChild(EChildDialog dialog);
    void Lost();
    void PostOsd(uint32_t kind, uint32_t value);
    void ApplyPointer(int profile);
    void RecordPointer(int profile);
    bool BlockChanged(int profile) const;

    CDeviceSession& m_session;
    IMainFrameHost& m_host;
    IMessagePoster& m_poster;
    IPointerSettings& m_pointer;
    CMacroLibrary& m_library;
    IMacroReporter& m_reporter;
    SMainFrameConfig m_config;
    CSessionGate m_gate;

    EFace m_face = EFace::None;
    int m_profile = 0;
    int m_selected = 8;
    bool m_selectedAtDefault = false;
    bool m_dialogBusy = false;
    bool m_imageLoaded = false;
    int m_currentDialog = 0;
    int m_dialogBeforePage = 0;
    bool m_busyBeforePage = false;
    bool m_battle = false;
    std::array<SSlotDisplay, 8> m_buttons{};
};

}  // namespace vorlix
