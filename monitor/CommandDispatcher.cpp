#include "CommandDispatcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <cstdlib>
#include <vector>

#include "device/InterfaceRules.h"
#include "lang/LanguageSetup.h"
#include "lang/TextTables.h"
#include "platform/Trace.h"
#include "platform/hid/HidTransportFactory.h"
#include "platform/lang/PosixLangFileSystem.h"
#include "platform/locale/LocaleLanguage.h"
#include "platform/qt/QtText.h"
#include "shared/ProductIds.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

SReportSource SourceOf(const HidInterfaceInfo& info) {
    return {info.vendorId, info.productId, info.version};
}

}  // namespace

CCommandDispatcher::CCommandDispatcher(std::string runtimeDir, std::string ownFolder,
                                       std::unique_ptr<IProgramLauncher> launcher,
                                       std::unique_ptr<IPointerSettings> pointer)
    : m_runtimeDir(std::move(runtimeDir)),
      m_ownFolder(std::move(ownFolder)),
      m_store(m_userStore.Store()),
      m_poster(m_runtimeDir),
      m_launcher(std::move(launcher)),
      m_pointer(std::move(pointer)),
      m_transport(CreateHidTransport()),
      m_hid(m_transport) {
    m_search = std::make_unique<CFileSearch>(m_probe, m_ownFolder, CLanguageSetup::ReadStorePath(m_store));
    m_dispatcher = std::make_unique<CEventDispatcher>(m_store, m_poster, *m_launcher, *m_pointer, *m_search);
    m_core = std::make_unique<CMonitorCore>(m_store, m_poster, *m_launcher, m_probe, *m_search, *m_dispatcher,
                                            *this);
}

CCommandDispatcher::~CCommandDispatcher() {
    // The exit order: the tray icon goes, the notice library is unloaded (its window withdraws
    // "OSD Handle"), device notifications end, the readers stop. "Monitor Handle" stays in the store.
    m_timers.clear();
    m_tray.reset();
    m_osd.Unload();
    m_hid.UnRegisterNotify();
    StopReaders();
}

bool CCommandDispatcher::LoadOsd() {
    const std::string path = m_search->Find(COsdLoader::kFileName);
    std::string error;
    if (!m_osd.Load(path, &error)) {
        Trace("osd not loaded: " + error);
        return false;
    }
    Trace("osd loaded " + path);
    return true;
}

std::array<QString, 5> CCommandDispatcher::TrayTexts() {
    CTextTables tables;
    CPosixLangFileSystem files;
    CLanguageSetup::LoadTray(files, m_store, CLocaleLanguage::FromEnvironment(), m_ownFolder, tables);
    std::array<QString, 5> texts;
    for (int i = 0; i < 5; ++i) {
        texts[static_cast<size_t>(i)] = ToQString(tables.Text(ETextTable::Tray, i));
    }
    return texts;
}

bool CCommandDispatcher::Create(bool automation) {
    std::string error;
    if (!m_receiver.Create(m_runtimeDir, &error)) {
        Trace("no endpoint: " + error);
        return false;
    }
    connect(&m_receiver, &CQtMessageReceiver::MessageReceived, this,
            [this](quint32 message, quint32 wParam, quint32) {
                if (message == msg::kCommand) {
                    m_core->Command(static_cast<int>(wParam));
                    Trace("command " + std::to_string(wParam));
                } else if (message == msg::kClose) {
                    Quit();
                }
            });
    m_core->LocateProgram();
    Trace("program " + (m_core->ProgramPath().empty() ? std::string("not found") : m_core->ProgramPath()));
    const bool tray = m_store.ReadDword(store::kDisableSystemTray) <= 0;
    if (tray) {
        m_tray = std::make_unique<CTaskIcon>(TrayTexts());
        connect(m_tray.get(), &CTaskIcon::Command, this, [this](int id) { m_core->Command(id); });
        m_tray->Add();
    }
    Trace(tray ? "tray requested" : "tray disabled");
    m_core->Start(m_receiver.Id(), automation, tray);
    m_hid.RegisterNotify([this](uint32_t event, const std::string&) {
        // Possibly on the transport's thread: the decision runs on the GUI thread.
        QMetaObject::invokeMethod(
            this, [this, event] { m_core->DeviceChange(event); }, Qt::QueuedConnection);
    });
    Trace(std::string("monitor started") + (automation ? " (automation)" : ""));
    return true;
}

void CCommandDispatcher::RunAsSecond() {
    m_core->LocateProgram();
    m_core->RunAsSecond();
    Trace("second monitor handed over");
}

void CCommandDispatcher::StartTimer(int id, uint32_t periodMs) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        connect(timer.get(), &QTimer::timeout, this, [this, id] { m_core->Timer(id); });
    }
    timer->start(static_cast<int>(periodMs));
}

void CCommandDispatcher::StopTimer(int id) {
    const auto found = m_timers.find(id);
    if (found != m_timers.end()) {
        found->second->stop();
    }
}

int CCommandDispatcher::RebuildDeviceTable() {
    StopReaders();
    m_hid.CreateDeviceTable(kAcceptedMice, kAcceptedMiceCount, kFamilyLowest, kFamilyHighest, true, false);
    const int count = m_hid.GetRecognizedDevices();
    if (count > 0) {
        StartReaders();
    }
    Trace("device table " + std::to_string(count));
    return count;
}

void CCommandDispatcher::StartReaders() {
    std::vector<HidInterfaceInfo> interfaces;
    if (m_transport->Enumerate(interfaces) != HidStatus::Ok) {
        return;
    }
    const std::string mousePath = m_hid.GetDevice(0) ? m_hid.GetDevice(0) : "";
    const HidInterfaceInfo* mouse = nullptr;
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.path == mousePath) {
            mouse = &info;
        }
    }
    if (mouse == nullptr) {
        return;
    }
    // The event reports come on the vendor collection of the same mouse.
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.device == mouse->device && HasDataChannel(info)) {
            const SReportSource source = SourceOf(info);
            m_eventReader = std::make_unique<CHidReportReader>(
                m_transport, info.path, [this, source](const uint8_t* data, size_t length) {
                    std::vector<uint8_t> report(data, data + length);
                    QMetaObject::invokeMethod(
                        this,
                        [this, source, report = std::move(report)] {
                            m_dispatcher->HandleVendorReport(report.data(), report.size(), source);
                        },
                        Qt::QueuedConnection);
                });
            const HidStatus status = m_eventReader->Start();
            Trace(std::string("event reader ") + HidStatusText(status));
            break;
        }
    }
    const SReportSource mouseSource = SourceOf(*mouse);
    if (std::getenv(kVirtualMouseVariable) != nullptr) {
        // The virtual mouse sends its side buttons as boot-protocol reports on the mouse interface.
        m_buttonReader = std::make_unique<CHidReportReader>(
            m_transport, mouse->path, [this, mouseSource](const uint8_t* data, size_t length) {
                if (length == 0) {
                    return;
                }
                const uint8_t held = CSideButtonTracker::FromBootReport(data[0]);
                QMetaObject::invokeMethod(
                    this, [this, held, mouseSource] { SideButtons(held, mouseSource); },
                    Qt::QueuedConnection);
            });
        m_buttonReader->Start();
    } else {
        m_evdevButtons = std::make_unique<CEvdevSideButtons>([this, mouseSource](uint8_t held) {
            QMetaObject::invokeMethod(
                this, [this, held, mouseSource] { SideButtons(held, mouseSource); }, Qt::QueuedConnection);
        });
        if (!m_evdevButtons->Start(CEvdevSideButtons::FindNodes(kVendorId, kProductId))) {
            Trace("side buttons not readable");
            m_evdevButtons.reset();
        }
    }
}

void CCommandDispatcher::StopReaders() {
    m_eventReader.reset();
    m_buttonReader.reset();
    m_evdevButtons.reset();
    m_buttons = CSideButtonTracker();
}

void CCommandDispatcher::SideButtons(uint8_t held, const SReportSource& source) {
    const CSideButtonTracker::SPresses presses = m_buttons.Update(held);
    if (presses.Any()) {
        m_dispatcher->HandleSideButtons(presses.button4, presses.button5, source);
    }
}

void CCommandDispatcher::SetOsdMenuText(int textIndex) {
    if (m_tray) {
        m_tray->SetOsdText(textIndex);
    }
}

bool CCommandDispatcher::OpenWebPage(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void CCommandDispatcher::Quit() {
    Trace("monitor quitting");
    QCoreApplication::quit();
}

}  // namespace vorlix
