#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "core/MainFrameModel.h"
#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "lang/TextTables.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroReporter.h"
#include "platform/qt/QtMessageReceiver.h"
#include "settings/DeviceSession.h"
#include "shared/MessagePoster.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"
#include "shared/RegStore.h"
#include "shared/StoreBackend.h"
#include "ui/cfg/core/DeviceDialogHost.h"
#include "ui/firmware/core/FirmwareImage.h"
#include "ui/skin/SkinBackground.h"
#include "ui/skin/WindowDrag.h"

class QTimer;

namespace vorlix {

class CFirmwareFlow;
class CFirmwarePage;
class CHoverButtonEx;
class CMouseLock;
class COsdProgress;
class CPumpingClock;
class CPumpingWaiter;
class CSkinCfgDlg;
class CSkinDlg;
class CSkinLedDlg;
class CUiKeyIndex;
class CUiKeyStatus;

// What the window is built from: the program builds the real ones, tests in-process virtual mice, a
// memory store and a fake clock. The window owns them all and tears them down in order.
struct SMainFrameParts {
    std::unique_ptr<IStoreBackend> storeBackend;
    std::unique_ptr<IMessagePoster> poster;
    std::shared_ptr<IHidTransport> transport;
    // Every pause of the protocol and every wait for the data channel; not owned.
    IClock* clock = nullptr;
    ITransferWaiter* waiter = nullptr;
    std::unique_ptr<IProgramLauncher> launcher;  // may be null: launch buttons start nothing
    std::unique_ptr<IPointerSettings> pointer;   // may be null: pointer settings stay as they are
    std::unique_ptr<IMacroFileSystem> macroFiles;
    std::string macroFolder;
    // The firmware image the update may write (none: no update is offered).
    SFirmwareImage firmware;
};

struct SMainFrameOptions {
    bool automation = false;  // "/Automation": start hidden until "Show"
    bool leftButtonByMessage = false;
    std::string helpDocument = "Information_en.html";
    std::string storePath;  // the installation folder ("Path"), for the help search
    std::string exeDir;
};

// The configuration program's one top-level window: the warning face while no mouse is loaded, the
// main face with the mouse picture, its controls and the device session behind them. The decisions
// live in CMainFrameModel; this class draws them, turns clicks, posted commands, timer ticks and device
// changes into the model's calls and runs the pages, messages and choosers the model asks for.
class CMainFrameDlg : public QWidget,
                      public IDeviceSessionOwner,
                      public IMainFrameHost,
                      public IMacroReporter,
                      public IDeviceDialogHost {
    Q_OBJECT
public:
    static constexpr int kDragBand = 145;
    // How long a save or a reset waits for another program (a vorlixctl command) to finish with the
    // mouse.
    static constexpr uint32_t kMouseLockWaitMs = 3000;

    CMainFrameDlg(SMainFrameParts parts, const CTextTables& texts, const SMainFrameOptions& options,
                  QWidget* parent = nullptr);
    // The pictures the window draws as soon as it is built, in the order it first needs them, so the
    // program can have them decoded in the background before the window exists.
    static std::vector<int> StartPictures();
    ~CMainFrameDlg() override;

    CRegStore& Store() { return m_store; }
    IMessagePoster& Poster() { return *m_poster; }
    CMainFrameModel& Model() { return *m_model; }
    CDeviceSession& Session() { return *m_session; }
    CSkinDlg* SkinDialog() const { return m_skinDlg; }
    CFirmwareFlow& Firmware() { return *m_firmware; }
    COsdProgress* Overlay() const { return m_overlay; }
    bool HiddenStart() const { return m_hiddenStart; }

    // Publishes the window under "Process Handle" (endpoint in runtimeDir; none when empty) and starts
    // it, hidden or shown. False when the message endpoint cannot be made.
    bool Initialise(const std::string& runtimeDir, std::string* error);
    // A message posted to the window's endpoint.
    void Deliver(quint32 message, quint32 wParam, quint32 lParam);
    // The control with that id, or nullptr.
    QWidget* Control(int id) const;
    // The timer of the session with that id, or nullptr when it is not running.
    QTimer* SessionTimer(int id) const;
    // Runs a pending tick of a session timer now (tests never wait for a real one).
    bool FireTimer(int id);

    // IDeviceSessionOwner
    void ShowMessage(int number) override;
    int ChooseMouse(const std::vector<std::u16string>& lines) override;
    void StartTimer(int id, uint32_t periodMs) override;
    void StopTimer(int id) override;
    void SessionChanged(SessionChange change) override;
    void LaunchProgram(const std::u16string& path) override;
    void StartFirmwareUpdate() override;
    bool OfferFirmwareUpdate(bool opened, uint16_t vendorId, uint16_t productId) override;
    FirmwareOutcome RunFirmwareUpdate() override;
    void FirmwareUpdateEnded(FirmwareOutcome outcome) override;
    bool DialogOpen() const override;
    void DeviceChangeNotified(uint32_t event) override;

    // IMainFrameHost and IMacroReporter
    void Refresh() override;
    int RunPage(SPageRun& run) override;
    void ShowMessage(int number, std::u16string_view appended) override;
    bool ChooseProgram(const std::string& storedPath, std::string& path, std::string& name) override;
    bool RunChildDialog(EChildDialog dialog, int profile, int& endProfile, bool& ok) override;
    void CancelDeviceDialogs() override;
    void OpenHelp() override;
    bool OpenWebPage(const std::string& address) override;
    void HideWindow() override;
    void EndProgram() override;
    bool LockMouse() override;
    void UnlockMouse() override;
    void DeviceWorkStarted() override;
    void DeviceWorkEnded() override;

    // IDeviceDialogHost
    int DeviceVariant() const override;
    void ApplyProfilePointer(int profile) override;

signals:
    // The window has ended its run (exit command, close, or the choice between mice cancelled).
    void Ended();
    // The monitor asked for the firmware update (it continues in the update page).
    void FirmwareUpdateAsked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    CHoverButtonEx* AddButton(int id, int bitmap, std::u16string_view tooltip);
    void SetFace(EFace face);
    void OnShowCommand();
    void OpenDeviceSession();
    // A tick of one of the window's timers, to the firmware update or to the session.
    void TimerTick(int id);
    // Paints and runs timers while the session waits for the mouse.
    void Pump();
    // Tells the program the window's run is over, once.
    void Finish();

    // Owned parts, in the order they are built; destroyed in reverse (store and device objects last).
    std::unique_ptr<IStoreBackend> m_storeBackend;
    CRegStore m_store;
    std::unique_ptr<IMessagePoster> m_poster;
    std::shared_ptr<IHidTransport> m_transport;
    IClock& m_deviceClock;
    std::unique_ptr<CPumpingClock> m_clock;
    std::unique_ptr<CPumpingWaiter> m_waiter;
    std::unique_ptr<IProgramLauncher> m_launcher;
    std::unique_ptr<IPointerSettings> m_pointer;
    std::unique_ptr<IMacroFileSystem> m_macroFiles;
    std::unique_ptr<CHidClient> m_hid;
    std::unique_ptr<CIcQT47> m_device;
    std::unique_ptr<CDeviceSession> m_session;
    std::unique_ptr<CMacroLibrary> m_library;
    std::unique_ptr<CMainFrameModel> m_model;
    std::unique_ptr<CQtMessageReceiver> m_receiver;
    std::unique_ptr<CMouseLock> m_mouseLock;
    std::unique_ptr<CFirmwarePage> m_firmwarePage;
    std::unique_ptr<CFirmwareFlow> m_firmware;

    const CTextTables& m_texts;
    SMainFrameOptions m_options;
    std::array<QFont, CTextTables::kFontCount> m_fonts;
    CSkinBackground m_warningFace;
    CSkinBackground m_mainFace;
    EFace m_shownFace = EFace::None;
    EFace m_paintedFace = EFace::None;

    // Child widgets; deleted explicitly before the parts above.
    std::map<int, CHoverButtonEx*> m_buttons;
    std::array<CUiKeyIndex*, 8> m_hotSpots{};
    std::array<bool, 8> m_hotSpotSelected{};
    CUiKeyStatus* m_row = nullptr;
    COsdProgress* m_overlay = nullptr;
    CSkinDlg* m_skinDlg = nullptr;
    // The advanced settings and LED dialogs, while one of them runs.
    QPointer<CSkinCfgDlg> m_cfgDlg;
    QPointer<CSkinLedDlg> m_ledDlg;
    std::map<int, QTimer*> m_timers;

    // Where the window and its dialogs publish their message endpoints.
    std::string m_runtimeDir;
    bool m_hiddenStart = false;
    bool m_initialised = false;
    bool m_ended = false;
    bool m_finished = false;
    bool m_pumping = false;
    // An exit asked for while firmware pages were being written: it follows once the update ended.
    bool m_exitAfterUpdate = false;
    int m_workDepth = 0;
    uint64_t m_lastFrameMs = 0;
    int m_shownProfile = -1;
    int m_shownSelection = 8;
    CWindowDrag m_drag;
};

}  // namespace vorlix
