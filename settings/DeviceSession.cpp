#include "DeviceSession.h"

#include <cstdio>

#include "ButtonCatalogue.h"
#include "SettingsMap.h"
#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "shared/Clock.h"
#include "shared/MessagePoster.h"
#include "shared/Messages.h"
#include "shared/ProductIds.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {

namespace {

// Identification-light commands (control sub-command, two operands).
constexpr int kLightOn = 0x00;
constexpr int kLightBlink = 0x02;
constexpr int kLightOff = 0x03;
constexpr int kLightRecord = 0x03;

constexpr uint32_t kProfileBit = 0x80;
constexpr uint32_t kCloseSettleMs = 10;
constexpr uint32_t kSwitchNoticeBase = 132;

std::u16string SelectionLine(uint16_t version, const char16_t* product) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", version);
    std::u16string line;
    for (const char* c = hex; *c != '\0'; ++c) {
        line.push_back(static_cast<char16_t>(*c));
    }
    line += u": ";
    if (product != nullptr) {
        line += product;
    }
    return line;
}

}  // namespace

CDeviceSession::CDeviceSession(IDeviceSessionOwner& owner, CHidClient& hid, CIcQT47& device, CRegStore& store,
                               IMessagePoster& poster, IClock& clock)
    : m_owner(owner), m_hid(hid), m_device(device), m_store(store), m_poster(poster), m_clock(clock) {}

CDeviceSession::~CDeviceSession() {
    m_hid.UnRegisterNotify();
}

void CDeviceSession::StartTimer(int id, uint32_t periodMs) {
    m_timerRunning[id - kFirstTimer] = true;
    m_owner.StartTimer(id, periodMs);
}

void CDeviceSession::StopTimer(int id) {
    m_timerRunning[id - kFirstTimer] = false;
    m_owner.StopTimer(id);
}

void CDeviceSession::PostOsd(uint32_t kind, uint32_t value) {
    const int32_t handle = m_store.ReadDword(store::kOsdHandle);
    if (store::IsWindowHandle(handle)) {
        m_poster.Post(static_cast<WindowHandle>(handle), msg::kOsdNotice, kind, value);
    }
}

int CDeviceSession::BuildTable() {
    m_hid.CreateDeviceTable(kAcceptedMice, kAcceptedMiceCount, kFamilyLowest, kFamilyHighest, true, false);
    return m_hid.GetRecognizedDevices();
}

int CDeviceSession::ConnectFailed() {
    // A failed connect must not remember the table size: the next arrival with the same number of
    // mice would be taken for one already handled, and the mouse would never be connected again.
    m_countedDevices = 0;
    m_connected = false;
    m_owner.SessionChanged(SessionChange::NoMouse);
    return 0;
}

void CDeviceSession::RegisterNotices() {
    m_hid.RegisterNotify([this](uint32_t event, const std::string&) { m_owner.DeviceChangeNotified(event); });
}

int CDeviceSession::Connect() {
    FirmwareOutcome update = FirmwareOutcome::NotRun;
    int result = ConnectOnce(true, update);
    // An update restarts the mouse, or leaves it in its boot loader, on a new device node: the session
    // connects again. Each new offer needs the user's OK, so the loop ends with them.
    while (update != FirmwareOutcome::NotRun && !m_closing) {
        if (update == FirmwareOutcome::Written) {
            WaitForFirmware();
            FirmwareOutcome ignored = FirmwareOutcome::NotRun;
            result = ConnectOnce(false, ignored);
            const bool current = m_connected && m_ready && FirmwareCurrent();
            m_owner.FirmwareUpdateEnded(current ? FirmwareOutcome::Done : FirmwareOutcome::Unverified);
            break;
        }
        // Told first; the connect that follows offers the update again to a mouse left in its boot loader.
        m_owner.FirmwareUpdateEnded(update);
        update = FirmwareOutcome::NotRun;
        result = ConnectOnce(true, update);
    }
    return result;
}

FirmwareOutcome CDeviceSession::CheckFirmware(bool opened, uint16_t vendorId, uint16_t productId) {
    if (!m_owner.OfferFirmwareUpdate(opened, vendorId, productId)) {
        return FirmwareOutcome::NotRun;
    }
    // The mouse restarts during the update: that must not disconnect the session.
    m_hid.UnRegisterNotify();
    const FirmwareOutcome outcome = m_owner.RunFirmwareUpdate();
    RegisterNotices();
    return outcome;
}

bool CDeviceSession::WaitForFirmware() {
    for (uint32_t waited = 0;; waited += kRestartPollMs) {
        const int count = BuildTable();
        for (int index = 0; index < count; ++index) {
            const char* path = m_hid.GetDevice(index);
            m_device.SetFamily(m_hid.GetDeviceVer(index));
            // A boot loader may answer too: wait for the firmware itself.
            int mode = 0;
            unsigned version = 0;
            if (path != nullptr && m_device.OpenDevice(path) && m_device.Identify(&mode, &version) &&
                mode == 1) {
                return true;
            }
        }
        if (waited >= kRestartWaitMs || m_closing) {
            return false;
        }
        m_clock.SleepMs(kRestartPollMs);
    }
}

bool CDeviceSession::FirmwareCurrent() {
    int mode = 0;
    unsigned version = 0;
    return m_device.Identify(&mode, &version) && mode == 1 && version >= kCurrentFirmware;
}

int CDeviceSession::ConnectOnce(bool offer, FirmwareOutcome& update) {
    const int count = BuildTable();
    RegisterNotices();
    m_device.Reset();
    m_chosenEntry = 0;
    m_ready = false;
    if (count <= 0) {
        return ConnectFailed();
    }
    m_countedDevices = count;
    if (count > 1) {
        const int chosen = ChooseAmong(count);
        if (chosen < 0 || chosen >= count) {
            m_chosenEntry = 0;
            m_countedDevices = 0;
            m_owner.SessionChanged(SessionChange::EndProgram);
            return 0;
        }
        m_chosenEntry = chosen;
    }
    const int entry = m_chosenEntry;
    m_device.SetFamily(m_hid.GetDeviceVer(entry));
    const char* path = m_hid.GetDevice(entry);
    const uint16_t vid = m_hid.GetDeviceVID(entry);
    const uint16_t pid = m_hid.GetDevicePID(entry);
    if (path == nullptr) {
        return ConnectFailed();
    }
    if (!m_device.OpenDevice(path)) {
        // Only a node that opened but whose mouse failed the signature check may hold a mouse in its
        // boot loader. A node that is gone, or that this user may not open, is no firmware case.
        if (offer && m_device.LastOpenStatus() == HidStatus::Ok) {
            update = CheckFirmware(false, vid, pid);
        }
        return ConnectFailed();
    }
    if (!m_device.OpenDevice(path)) {
        return ConnectFailed();
    }
    if (!m_device.FindDataInterfaces(vid, pid)) {
        return ConnectFailed();
    }
    bool accepted = false;
    for (const SUsbId& id : kAcceptedMice) {
        accepted = accepted || (id.vendorId == vid && id.productId == pid);
    }
    if (!accepted) {
        return ConnectFailed();
    }
    PostOsd(osd::kVersion, m_hid.GetDeviceVer(entry));
    // No device description is renamed after connecting: on Linux the mouse's name comes from the
    // kernel and udev, and there is no per-machine device registry for a program to write.
    m_connected = true;
    m_ready = false;
    if (Load() && offer) {
        update = CheckFirmware(true, vid, pid);
    }
    return 1;
}

int CDeviceSession::ChooseAmong(int count) {
    std::vector<std::u16string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(SelectionLine(m_hid.GetDeviceVer(i), m_hid.GetDeviceName(i)));
    }
    m_choosing = true;
    m_selected = 0;
    Identify(0);
    const int chosen = m_owner.ChooseMouse(lines);
    StopIdentifying();
    m_choosing = false;
    return chosen;
}

void CDeviceSession::Identify(int index) {
    const char* path = m_hid.GetDevice(index);
    m_device.SetDevicePath(path != nullptr ? path : "");
    m_device.SendControl(CIcQT47::kCtlPicked, kLightOn, 0);
    m_clock.SleepMs(kIdentifyPauseMs);
    m_device.SendControl(CIcQT47::kCtlLight, kLightRecord, kLightOn);
    if (!m_timerRunning[kIdentifyTimer - kFirstTimer]) {
        StartTimer(kIdentifyTimer, kIdentifyPeriodMs);
    }
}

void CDeviceSession::StopIdentifying() {
    StopTimer(kIdentifyTimer);
    m_device.SendControl(CIcQT47::kCtlLight, kLightRecord, kLightOff);
}

void CDeviceSession::SelectionChanged(int index) {
    if (!m_choosing || index == m_selected || index < 0 || index >= m_hid.GetRecognizedDevices()) {
        return;
    }
    m_device.SendControl(CIcQT47::kCtlLight, kLightRecord, kLightOff);
    m_selected = index;
    Identify(index);
}

int CDeviceSession::Load() {
    if (!m_connected) {
        m_owner.ShowMessage(kMsgNoMouse);
        return 0;
    }
    m_busy = true;
    m_ready = false;
    for (const int address : {map::kOptionByte, map::kProfileByte}) {
        int value = 0;
        if (m_device.ReadByte(static_cast<unsigned>(address), &value)) {
            m_device.AdoptCell(address, value);
        }
        m_clock.SleepMs(kLoadPauseMs);
    }
    // A profile byte that was not read, or whose active profile is not among the allowed ones,
    // gives profile 0; the cell keeps what it holds.
    m_activeProfile = 0;
    if (m_device.Cell(map::kProfileByte).valid) {
        m_activeProfile = CSettingsMap(m_device).ActiveProfile();
    }
    bool all = true;
    for (unsigned profile = 0; profile < map::kProfiles && all; ++profile) {
        all = m_device.ReadProfileBlock(profile) != 0;
    }
    m_busy = false;
    if (!all) {
        m_owner.SessionChanged(SessionChange::LoadFailed);
        m_owner.ShowMessage(kMsgLoadFailed);
        return 0;
    }
    m_variant = DeviceVariantOf(m_device.Family());
    m_defaults.ApplyVariant(m_variant);
    PostOsd(osd::kFirmwareVariant, m_variant == 1 ? 1 : 0);
    PostOsd(osd::kCurrentProfile, static_cast<uint32_t>(m_activeProfile));
    m_ready = true;
    m_unsavedChanges = false;
    m_owner.SessionChanged(SessionChange::Loaded);
    return 1;
}

int CDeviceSession::FinishWrite(int written) {
    if (!written) {
        m_owner.ShowMessage(kMsgSaveFailed);
    }
    PostOsd(osd::kCurrentProfile, static_cast<uint32_t>(m_activeProfile));
    m_device.ApplySettings();
    return written;
}

bool CDeviceSession::MayWriteProfile(int profile) {
    if (m_busy || !map::ValidProfile(profile)) {
        return false;
    }
    if (!m_connected) {
        m_owner.ShowMessage(kMsgNoMouse);
        return false;
    }
    // Cells that were never read hold zeros: writing a block after an incomplete load would wipe the
    // profile in the mouse.
    if (!m_ready) {
        m_owner.ShowMessage(kMsgSaveFailed);
        return false;
    }
    return true;
}

int CDeviceSession::SaveProfile(int profile) {
    if (!MayWriteProfile(profile)) {
        return 0;
    }
    m_busy = true;
    const int written = m_device.WriteProfileBlock(static_cast<unsigned>(profile));
    m_busy = false;
    if (written) {
        m_device.ApplySettings();
    } else {
        FinishWrite(0);
    }
    m_unsavedChanges = false;
    return written;
}

int CDeviceSession::ResetProfile(int profile) {
    if (!MayWriteProfile(profile)) {
        return 0;
    }
    for (int slot = 0; slot < map::kSlots; ++slot) {
        m_store.DeleteValue(store::ButtonMacroName(profile, slot + 1));
    }
    for (const CFactoryDefaults::SPair& pair : m_defaults.Profile(profile)) {
        m_device.SetCell(pair.address, pair.value);
    }
    m_busy = true;
    const int written = m_device.WriteProfileBlock(static_cast<unsigned>(profile));
    m_busy = false;
    return FinishWrite(written);
}

int CDeviceSession::SwitchProfile(int profile) {
    if (!m_connected) {
        m_owner.ShowMessage(kMsgNoMouse);
        return 0;
    }
    const SCell cell = m_device.Cell(map::kProfileByte);
    const int profileCount = (cell.value & 0xFF) >> 4;
    if (profile < 0 || profile >= profileCount) {
        return 0;
    }
    const int byte = (cell.value & 0xF0) | profile;
    if (!m_device.Holds(map::kProfileByte, byte)) {
        m_device.WriteByte(map::kProfileByte, byte);
    }
    m_device.SendControl(CIcQT47::kCtlActiveProfile, profile, 0);
    m_activeProfile = profile;
    PostOsd(osd::kProfileOrResolution, static_cast<uint32_t>((profile & 7) * 16) + kSwitchNoticeBase);
    return 1;
}

int CDeviceSession::DefaultButtonFunction(int profile, int button) {
    CButtonCatalogue catalogue(m_device, &m_store);
    if (!catalogue.AssignFunction(button, profile, CButtonCatalogue::DefaultFunctionIndex(button), true)) {
        return 0;
    }
    m_unsavedChanges = m_unsavedChanges || catalogue.SlotPending(button, profile);
    // Some entries by the 4 x script-number rule fall on the option byte, the profile byte or
    // profile 0's block; zeroing them would wipe those fields (a zero profile byte allows no
    // profile at all). Such an entry is left alone.
    const int first = map::MacroEntryAddress(profile, button);
    if (m_connected && !map::OverlapsMappedField(first, map::kMacroEntrySize)) {
        for (int address = first; address < first + map::kMacroEntrySize; ++address) {
            const SCell& cell = m_device.Cell(address);
            if (!(cell.valid && (cell.value & 0xFF) == 0)) {
                m_device.WriteByte(static_cast<unsigned>(address), 0);
            }
        }
    }
    m_store.DeleteValue(store::ButtonMacroName(profile, button + 1));
    return 1;
}

void CDeviceSession::Disconnect() {
    m_connected = false;
    m_busy = false;
    m_ready = false;
    m_unsavedChanges = false;
    for (int id = kFirstTimer; id <= kLastTimer; ++id) {
        StopTimer(id);
    }
    m_owner.SessionChanged(SessionChange::Disconnected);
}

void CDeviceSession::Close() {
    m_closing = true;
    if (m_connected && m_busy) {
        for (int id = kFirstTimer; id <= kLastTimer; ++id) {
            StopTimer(id);
        }
        m_clock.SleepMs(kCloseSettleMs);
        m_device.SendControl(CIcQT47::kCtlLight, kLightRecord, kLightOff);
    }
    m_hid.UnRegisterNotify();
}

void CDeviceSession::OnDeviceChange(uint32_t event) {
    if (event == kDeviceArrival) {
        if (m_connected) {
            return;
        }
        const int count = BuildTable();
        if (count > 0 && count == m_countedDevices) {
            return;
        }
    } else if (event == kDeviceRemoveComplete) {
        if (!m_connected) {
            return;
        }
        for (int index = BuildTable() - 1; index >= 0; --index) {
            const char* path = m_hid.GetDevice(index);
            if (path != nullptr && m_device.DevicePath() == path) {
                m_chosenEntry = index;
                return;
            }
        }
    } else {
        return;
    }
    Disconnect();
    StartTimer(kReconnectTimer, kReconnectDelayMs);
}

void CDeviceSession::OnTimer(int id) {
    if (id == kReconnectTimer) {
        StopTimer(kReconnectTimer);
        Connect();
    } else if (id == kIdentifyTimer && m_choosing) {
        m_device.SendControl(CIcQT47::kCtlLight, kLightRecord, kLightBlink);
    }
}

void CDeviceSession::OnMonitorEvent(uint32_t wParam, uint32_t lParam) {
    if (wParam == devnotice::kFirmwareUpdate) {
        m_owner.StartFirmwareUpdate();
        return;
    }
    if (!m_ready) {
        return;
    }
    CSettingsMap settings(m_device);
    if (wParam == devnotice::kProfileOrResolution) {
        if (m_busy || (lParam & 0x0F) > 3) {
            return;
        }
        if (lParam & kProfileBit) {
            const int profile = static_cast<int>((lParam >> 4) & 7);
            if (m_owner.DialogOpen() || profile >= settings.ProfileCount() || profile == m_activeProfile) {
                return;
            }
            m_device.SetCell(map::kProfileByte, (settings.ProfileByte() & 0xF0) | profile);
            m_activeProfile = profile;
            m_owner.SessionChanged(SessionChange::ProfileShown);
            return;
        }
        const int level = static_cast<int>(lParam & 0x0F);
        const int address = map::BlockBase(m_activeProfile) + map::kLevelByteOffset;
        const int held = m_device.Cell(address).value;
        if ((held & 0x0F) != level) {
            m_device.AdoptCell(address, (held & 0xF0) | level);
        }
    } else if (wParam == devnotice::kLaunch) {
        const int key = static_cast<int>(lParam & 0x7F);
        const int profile = key / map::kSlots;
        const int slot = key % map::kSlots;
        if (profile >= map::kProfiles || slot >= map::kButtons) {
            return;
        }
        std::u16string path;
        if (m_store.ReadText(store::ButtonProgram(profile, slot + 1), path) && !path.empty()) {
            m_owner.LaunchProgram(path);
        }
    } else if (wParam == devnotice::kReportInterval) {
        if (m_busy) {
            return;
        }
        const int address = map::BlockBase(m_activeProfile) + map::kPollingOffset;
        m_device.AdoptCell(address, (m_device.Cell(address).value & 0xF0) | static_cast<int>(lParam & 0x0F));
    }
}

}  // namespace vorlix
