#include "MonitorCore.h"

#include "device/HidTransport.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

CMonitorCore::CMonitorCore(CRegStore& store, IMessagePoster& poster, IProgramLauncher& launcher,
                           IFileProbe& probe, const CFileSearch& search, CEventDispatcher& dispatcher,
                           IMonitorHost& host)
    : m_store(store),
      m_poster(poster),
      m_launcher(launcher),
      m_probe(probe),
      m_search(search),
      m_dispatcher(dispatcher),
      m_host(host) {}

bool CMonitorCore::IsAutomation(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        line += argument;
    }
    return line.find("/Automation") != std::string::npos;
}

std::string CMonitorCore::LocateProgram() {
    std::u16string located;
    m_programPath.clear();
    if (m_store.ReadText(store::kLocateApp, located) == 1) {
        // A relative "Locate APP" would name a file in whatever folder the monitor was started from.
        const std::string path = Utf16ToUtf8(located);
        if (!path.empty() && path.front() == '/' && m_probe.IsReadableFile(path)) {
            m_programPath = path;
        }
    }
    if (m_programPath.empty()) {
        m_programPath = m_search.Find(kProgramName);
    }
    return m_programPath;
}

void CMonitorCore::Start(WindowHandle self, bool automation, bool hasTray) {
    m_hasTray = hasTray;
    m_store.WriteDword(store::kMonitorHandle, self);
    m_osdEnabled = m_store.ReadDword(store::kDisableOsd) <= 0;
    if (m_hasTray) {
        m_host.SetOsdMenuText(OsdMenuTextIndex(m_osdEnabled));
    }
    m_dispatcher.PostOsdNotice(osd::kEnabled, m_osdEnabled ? 1 : 0);
    SetDevicePresent(m_host.RebuildDeviceTable());
    if (!automation) {
        m_host.StartTimer(kStartTimer, kStartDelayMs);
    }
}

void CMonitorCore::RunAsSecond() {
    Command(kLaunchCommand);
    m_host.Quit();
}

void CMonitorCore::StartProgram() {
    if (!m_programPath.empty()) {
        m_launcher.Launch(m_programPath);
    }
}

bool CMonitorCore::Command(int id) {
    switch (id) {
        case kLaunchCommand: {
            const int32_t process = m_store.ReadDword(store::kProcessHandle);
            if (store::IsWindowHandle(process) && m_poster.IsWindow(static_cast<WindowHandle>(process))) {
                m_poster.Post(static_cast<WindowHandle>(process), msg::kCommand, msg::kShowCommandId, 0);
            } else {
                // A stale handle (the program crashed) must not keep the program from starting again.
                StartProgram();
            }
            return true;
        }
        case kWebSiteCommand:
            m_host.OpenWebPage(kWebSite);
            return true;
        case kToggleOsdCommand:
            m_osdEnabled = !m_osdEnabled;
            if (m_hasTray) {
                m_host.SetOsdMenuText(OsdMenuTextIndex(m_osdEnabled));
            }
            m_dispatcher.PostOsdNotice(osd::kEnabled, m_osdEnabled ? 1 : 0);
            m_store.WriteDword(store::kDisableOsd, m_osdEnabled ? 0 : 1);
            return true;
        case kExitCommand: {
            const int32_t process = m_store.ReadDword(store::kProcessHandle);
            if (store::IsWindowHandle(process) && m_poster.IsWindow(static_cast<WindowHandle>(process))) {
                m_poster.Post(static_cast<WindowHandle>(process), msg::kClose, 0, 0);
            }
            m_host.Quit();
            return true;
        }
        default:
            return false;
    }
}

void CMonitorCore::DeviceChange(uint32_t event) {
    if (event == kDeviceArrival && !m_dispatcher.DevicePresent()) {
        m_host.StartTimer(kArrivalTimer, kRecheckMs);
    } else if (event == kDeviceRemoveComplete && m_dispatcher.DevicePresent()) {
        m_host.StartTimer(kRemovalTimer, kRecheckMs);
    }
}

void CMonitorCore::Timer(int id) {
    m_host.StopTimer(id);
    switch (id) {
        case kArrivalTimer:
            if (!m_dispatcher.DevicePresent()) {
                SetDevicePresent(m_host.RebuildDeviceTable());
            }
            break;
        case kRemovalTimer:
            if (m_dispatcher.DevicePresent()) {
                SetDevicePresent(m_host.RebuildDeviceTable());
            }
            break;
        case kStartTimer:
            Command(kLaunchCommand);
            break;
        default:
            break;
    }
}

void CMonitorCore::SetDevicePresent(int count) {
    m_dispatcher.SetDevicePresent(count > 0);
}

}  // namespace vorlix
