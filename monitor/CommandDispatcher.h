#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "OsdLoader.h"
#include "PosixFileProbe.h"
#include "TaskIcon.h"
#include "device/HidClient.h"
#include "monitor/core/EventDispatcher.h"
#include "monitor/core/MonitorCore.h"
#include "monitor/core/SideButtonTracker.h"
#include "platform/DatagramPoster.h"
#include "platform/UserStore.h"
#include "platform/events/EvdevSideButtons.h"
#include "platform/events/HidReportReader.h"
#include "platform/qt/QtMessageReceiver.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"

namespace vorlix {

// The running monitor: its endpoint ("Monitor Handle"), the tray icon, the loaded notice library, the
// device table and the readers of the mouse's event reports and side buttons, wired to the plain
// decisions of CMonitorCore and CEventDispatcher. Everything runs on the GUI thread; the readers hand
// their reports over to it.
class CCommandDispatcher : public QObject, public IMonitorHost {
    Q_OBJECT
public:
    CCommandDispatcher(std::string runtimeDir, std::string ownFolder,
                       std::unique_ptr<IProgramLauncher> launcher, std::unique_ptr<IPointerSettings> pointer);
    ~CCommandDispatcher() override;

    // The notice library, looked for with the monitor's file search.
    bool LoadOsd();
    // The first monitor: endpoint, tray, start-up decisions, device notifications. False when the
    // endpoint cannot be created.
    bool Create(bool automation);
    // A second monitor: bring the configuration program forward or start it.
    void RunAsSecond();

    // IMonitorHost
    void StartTimer(int id, uint32_t periodMs) override;
    void StopTimer(int id) override;
    int RebuildDeviceTable() override;
    void SetOsdMenuText(int textIndex) override;
    bool OpenWebPage(const std::string& url) override;
    void Quit() override;

private:
    std::array<QString, 5> TrayTexts();
    void StartReaders();
    void StopReaders();
    void SideButtons(uint8_t held, const SReportSource& source);

    std::string m_runtimeDir;
    std::string m_ownFolder;
    CUserStore m_userStore;
    CRegStore& m_store;
    CDatagramPoster m_poster;
    std::unique_ptr<IProgramLauncher> m_launcher;
    std::unique_ptr<IPointerSettings> m_pointer;
    CPosixFileProbe m_probe;
    std::unique_ptr<CFileSearch> m_search;
    std::unique_ptr<CEventDispatcher> m_dispatcher;
    std::unique_ptr<CMonitorCore> m_core;
    std::shared_ptr<IHidTransport> m_transport;
    CHidClient m_hid;
    CQtMessageReceiver m_receiver;
    std::unique_ptr<CTaskIcon> m_tray;
    COsdLoader m_osd;
    std::map<int, std::unique_ptr<QTimer>> m_timers;
    std::unique_ptr<CHidReportReader> m_eventReader;
    std::unique_ptr<CHidReportReader> m_buttonReader;
    std::unique_ptr<CEvdevSideButtons> m_evdevButtons;
    CSideButtonTracker m_buttons;
};

}  // namespace vorlix
