#include "MainFrameModel.h"

#include <utility>
#include <vector>

#include "ControlIds.h"
#include "device/IcQT47.h"
#include "macro/MacroLibrary.h"
#include "macro/ScriptImage.h"
#include "settings/MacroBinding.h"
#include "settings/ProfilePointerSettings.h"
#include "settings/SettingsMap.h"
#include "shared/MessagePoster.h"
#include "shared/Messages.h"
#include "shared/PointerSettings.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

constexpr uint32_t kProfileNoticeBase = 0x84;
// The four LED bytes of a profile block and the low bits Normal mode gives each; Battle gives 3.
constexpr int kLedBytes[] = {0x26, 0x2A, 0x2E, 0x32};
constexpr int kLedModeByte = 0x2A;
constexpr int kBattleBits = 3;
constexpr int NormalBits(int offset) {
    return offset == 0x2E ? 2 : 1;
}

constexpr MacroRunMode kRunModes[] = {MacroRunMode::OneTime, MacroRunMode::MultipleLoops,
                                      MacroRunMode::RepeatWhileHeld, MacroRunMode::RepeatUntilNextKey};

std::string FileStem(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

}  // namespace

CMainFrameModel::CMainFrameModel(CDeviceSession& session, IMainFrameHost& host, IMessagePoster& poster,
                                 IPointerSettings& pointer, CMacroLibrary& library, IMacroReporter& reporter,
                                 SMainFrameConfig config)
    : m_session(session),
      m_host(host),
      m_poster(poster),
      m_pointer(pointer),
      m_library(library),
      m_reporter(reporter),
      m_config(std::move(config)) {}

bool CMainFrameModel::BlockChanged(int profile) const {
    CIcQT47& image = m_session.Device();
    const int base = map::BlockBase(profile);
    for (int address = base; address < base + map::kBlockUsed; ++address) {
        if (image.Cell(address).changed) {
            return true;
        }
    }
    return false;
}

bool CMainFrameModel::Pending() const {
    if (!m_imageLoaded || !m_session.Connected()) {
        return false;
    }
    for (int profile = 0; profile < map::kProfiles; ++profile) {
        if (BlockChanged(profile)) {
            return true;
        }
    }
    return false;
}

bool CMainFrameModel::Busy() const {
    return m_dialogBusy || m_session.Busy() || m_gate.Busy();
}

bool CMainFrameModel::ControlEnabled(int id) const {
    if (id == ctl::kExit) {
        return true;
    }
    if (m_dialogBusy) {
        return false;
    }
    switch (id) {
        case ctl::kApply:
        case ctl::kOk:
            return Pending();
        case ctl::kMacroFunction:
        case ctl::kSingleKey:
        case ctl::kLaunchProgram:
            return m_selected < ctl::kButtons;
        case ctl::kDefaultFunction:
            return m_selected < ctl::kButtons && !m_selectedAtDefault;
        default:
            return true;
    }
}

void CMainFrameModel::PostOsd(uint32_t kind, uint32_t value) {
    const int32_t handle = m_session.Store().ReadDword(store::kOsdHandle);
    if (store::IsWindowHandle(handle)) {
        m_poster.Post(static_cast<WindowHandle>(handle), msg::kOsdNotice, kind, value);
    }
}

void CMainFrameModel::PublishCurrentDialog() {
    m_session.Store().WriteDword(store::kCurrentDialog, static_cast<uint32_t>(m_currentDialog));
}

void CMainFrameModel::EnterChild(int dialog) {
    m_currentDialog = dialog;
    m_dialogBusy = true;
    PublishCurrentDialog();
    m_host.Refresh();
}

void CMainFrameModel::LeaveChild() {
    m_currentDialog = ctl::kDialogNone;
    m_dialogBusy = false;
    PublishCurrentDialog();
    m_host.Refresh();
}

void CMainFrameModel::SkinnedPageOpened() {
    m_dialogBeforePage = m_currentDialog;
    m_busyBeforePage = m_dialogBusy;
    EnterChild(ctl::kDialogSkinned);
}

void CMainFrameModel::SkinnedPageClosed() {
    m_currentDialog = m_dialogBeforePage;
    m_dialogBusy = m_busyBeforePage;
    PublishCurrentDialog();
    m_host.Refresh();
}

int CMainFrameModel::RunPage(SPageRun& run) {
    return RunChild(ctl::kDialogSkinned, [&] { return m_host.RunPage(run); });
}

// ---- Connection and the session's reports ----

void CMainFrameModel::Connect() {
    m_gate.RunOrHold([this] {
        DeviceWork([this] { return m_session.Connect(); });
        m_host.Refresh();
    });
}

void CMainFrameModel::OnSessionChanged(SessionChange change) {
    switch (change) {
        case SessionChange::Loaded:
            m_imageLoaded = true;
            m_profile = m_session.ActiveProfile();
            ClearSelection();
            RefreshButtons();
            RefreshLed();
            m_face = EFace::Main;
            ApplyPointer(m_profile);
            break;
        case SessionChange::LoadFailed:
            // The mouse is open but its settings are not known: the warning face stays up, so "Show"
            // or plugging the mouse in again can connect once more.
            m_imageLoaded = false;
            m_face = EFace::Warning;
            break;
        case SessionChange::ProfileShown:
            ShowProfile(m_session.ActiveProfile());
            ApplyPointer(m_profile);
            break;
        case SessionChange::NoMouse:
        case SessionChange::Disconnected:
            Lost();
            break;
        case SessionChange::EndProgram:
            m_host.EndProgram();
            return;
    }
    m_host.Refresh();
}

void CMainFrameModel::Lost() {
    m_imageLoaded = false;
    m_session.Store().WriteDword(store::kConfigureHandle, static_cast<uint32_t>(-1));
    // The macro editor stays open: it never talks to the mouse, and closing it would lose its edits.
    m_host.CancelDeviceDialogs();
    m_dialogBusy = false;
    m_currentDialog = ctl::kDialogNone;
    PublishCurrentDialog();
    ClearSelection();
    m_face = EFace::Warning;
}

void CMainFrameModel::OnTimer(int id) {
    if (id == CDeviceSession::kIdentifyTimer) {
        // Only ticks while the choice between mice is open, inside the connect that asked for it.
        m_session.OnTimer(id);
        return;
    }
    m_gate.RunOrHold([this, id] {
        if (id == CDeviceSession::kReconnectTimer) {
            DeviceWork([&] {
                m_session.OnTimer(id);
                return 0;
            });
        } else {
            m_session.OnTimer(id);
        }
        m_host.Refresh();
    });
}

void CMainFrameModel::OnDeviceChange(uint32_t event) {
    m_gate.RunOrHold([this, event] {
        m_session.OnDeviceChange(event);
        m_host.Refresh();
    });
}

void CMainFrameModel::OnDeviceNotice(uint32_t kind, uint32_t value) {
    m_gate.RunOrHold([this, kind, value] {
        if (kind == devnotice::kReportInterval && !map::ValidPollingNibble(static_cast<int>(value & 0x0F))) {
            return;
        }
        m_session.OnMonitorEvent(kind, value);
        m_host.Refresh();
    });
}

void CMainFrameModel::OnClose() {
    m_session.Close();
}

// ---- Commands ----

void CMainFrameModel::OnCommand(int id) {
    m_gate.RunOrHold([this, id] {
        Command(id);
        m_host.Refresh();
    });
}

void CMainFrameModel::Command(int id) {
    switch (id) {
        case ctl::kExit:
        case ctl::kFrameworkExit:
            m_host.EndProgram();
            return;
        case ctl::kToTray:
        case ctl::kCancel:
            HideToTray();
            return;
        case ctl::kOk:
            if (!m_session.Connected()) {
                m_host.ShowMessage(ctl::kMsgNoMouse, {});
                return;
            }
            SaveChanged();
            HideToTray();
            return;
        case ctl::kApply:
            SaveChanged();
            return;
        default:
            break;
    }
    if (m_face != EFace::Main || m_dialogBusy) {
        return;
    }
    if (id >= ctl::kFirstTab && id < ctl::kFirstTab + ctl::kProfiles) {
        SwitchProfile(id - ctl::kFirstTab);
        return;
    }
    if (id >= ctl::kFirstHotSpot && id < ctl::kFirstHotSpot + ctl::kButtons) {
        SelectButton(id - ctl::kFirstHotSpot);
        return;
    }
    if (!ControlEnabled(id)) {
        return;
    }
    switch (id) {
        case ctl::kReset:
            Reset();
            break;
        case ctl::kWebPage:
            if (!m_host.OpenWebPage(m_config.webAddress)) {
                m_host.ShowMessage(ctl::kMsgCantConnect, Utf8ToUtf16(m_config.webAddress));
            }
            break;
        case ctl::kHelp:
            m_host.OpenHelp();
            break;
        case ctl::kAdvanced:
            OpenChild(EChildDialog::Advanced);
            break;
        case ctl::kMacroEditor:
            OpenChild(EChildDialog::MacroEditor);
            break;
        case ctl::kLedDialog:
            OpenChild(EChildDialog::Led);
            break;
        case ctl::kMacroFunction:
            GiveMacro();
            break;
        case ctl::kSingleKey:
            GiveSingleKey();
            break;
        case ctl::kDefaultFunction:
            GiveDefault();
            break;
        case ctl::kLaunchProgram:
            GiveLauncher();
            break;
        case ctl::kLedNormal:
            SetLedMode(false);
            break;
        case ctl::kLedBattle:
            SetLedMode(true);
            break;
        default:
            break;
    }
}

void CMainFrameModel::HideToTray() {
    if (!m_session.Connected()) {
        m_host.ShowMessage(ctl::kMsgNoMouse, {});
        return;
    }
    if (!Busy()) {
        m_host.HideWindow();
    }
}

void CMainFrameModel::SaveChanged() {
    if (Busy()) {
        return;
    }
    if (!m_session.Connected()) {
        m_host.ShowMessage(ctl::kMsgNoMouse, {});
        return;
    }
    // Every profile block with edits is written, the one shown first: the mouse may have switched
    // profile by itself since the edits were made. A block without edits sends nothing.
    std::vector<int> profiles;
    if (BlockChanged(m_profile)) {
        profiles.push_back(m_profile);
    }
    for (int profile = 0; profile < map::kProfiles; ++profile) {
        if (profile != m_profile && BlockChanged(profile)) {
            profiles.push_back(profile);
        }
    }
    if (profiles.empty()) {
        return;
    }
    WithMouseLocked([&] {
        for (const int profile : profiles) {
            if (DeviceWork([&] { return m_session.SaveProfile(profile); })) {
                // The session tells the display only of a failed save; a saved profile is news too.
                PostOsd(osd::kCurrentProfile, static_cast<uint32_t>(profile));
            } else if (!m_session.Connected()) {
                break;
            }
        }
    });
}

void CMainFrameModel::Reset() {
    if (Busy()) {
        return;
    }
    SPageRun run;
    run.page = ctl::kPageReset;
    if (RunPage(run) != 1) {
        return;
    }
    if (!m_session.Connected()) {
        m_host.ShowMessage(ctl::kMsgNoMouse, {});
        return;
    }
    // The profile shown is reset, also when the mouse could not be switched to it.
    if (!WithMouseLocked([&] { DeviceWork([&] { return m_session.ResetProfile(m_profile); }); })) {
        return;
    }
    ClearSelection();
    RefreshButtons();
    RefreshLed();
}

void CMainFrameModel::SwitchProfile(int profile) {
    if (Pending()) {
        SPageRun run;
        run.page = ctl::kPageSaveEachProfile;
        if (RunPage(run) == 2) {
            return;
        }
        SaveChanged();
    }
    if (!m_session.Connected()) {
        return;
    }
    const int accepted = DeviceWork([&] { return m_session.SwitchProfile(profile); });
    if (!accepted) {
        // The session tells the display of the switches it makes; the page switches all the same.
        PostOsd(osd::kProfileOrResolution, kProfileNoticeBase + 16u * static_cast<uint32_t>(profile));
    }
    ShowProfile(profile);
    ApplyPointer(profile);
}

void CMainFrameModel::ShowProfile(int profile) {
    m_profile = profile;
    ClearSelection();
    RefreshButtons();
    RefreshLed();
}

void CMainFrameModel::ClearSelection() {
    m_selected = ctl::kNoButton;
    m_selectedAtDefault = false;
}

void CMainFrameModel::RefreshButtons() {
    CButtonCatalogue catalogue(m_session.Device(), &m_session.Store());
    for (int k = 0; k < ctl::kButtons; ++k) {
        m_buttons[static_cast<size_t>(k)] = catalogue.LookupSlot(k, m_profile).value_or(SSlotDisplay{});
    }
    if (m_selected < ctl::kButtons) {
        m_selectedAtDefault = m_buttons[static_cast<size_t>(m_selected)].type == ButtonDisplayType::Default;
    }
}

void CMainFrameModel::RefreshLed() {
    CSettingsMap settings(m_session.Device());
    m_battle = (settings.Byte(map::BlockBase(m_profile) + kLedModeByte) & 0x7F) == kBattleBits;
}

void CMainFrameModel::SelectButton(int button) {
    m_selected = button;
    RefreshButtons();
}

bool CMainFrameModel::LeftButtonAllows(int function) {
    CButtonCatalogue catalogue(m_session.Device(), &m_session.Store());
    if (catalogue.AssignFunction(m_selected, m_profile, function, false)) {
        return true;
    }
    if (m_config.leftButtonByMessage) {
        m_host.ShowMessage(ctl::kMsgNoLeftButton, {});
    } else {
        SPageRun run;
        run.page = ctl::kPageLeftButton;
        RunPage(run);
    }
    return false;
}

void CMainFrameModel::GiveMacro() {
    if (!LeftButtonAllows(CButtonCatalogue::kMacroKey)) {
        return;
    }
    const int button = m_selected;
    const int profile = m_profile;
    CRegStore& store = m_session.Store();
    std::u16string stored;
    SPageRun run;
    run.page = ctl::kPageMacro;
    run.path = m_config.macroFolder + "/";
    if (store.ReadText(store::ButtonMacroName(profile, button + 1), stored) && !stored.empty()) {
        run.path += Utf16ToUtf8(stored) + ".MAC";
    }
    const int32_t mode = store.ReadDword(store::ButtonMacroMode(profile, button + 1));
    if (mode != -1) {
        const int runMode = mode & 0xFF;
        const int count = (mode >> 8) & 0xFF;
        for (int option = 0; option < 4; ++option) {
            if (CScriptImage::RunModeByte(kRunModes[option]) == runMode) {
                run.option = option;
                break;
            }
        }
        run.value = count == 255 ? 0 : count;
    }
    if (RunPage(run) != 1 || run.text.empty()) {
        return;
    }
    if (!m_session.Connected()) {
        m_host.ShowMessage(ctl::kMsgNoMouse, {});
        return;
    }
    // The same bytes as the command line's binding: the page's option is the run mode, its value the
    // count it showed less one.
    const MacroRunMode runMode =
        run.option >= 0 && run.option < 4 ? kRunModes[run.option] : MacroRunMode::OneTime;
    const uint8_t modeByte = CScriptImage::RunModeByte(runMode);
    const uint8_t countByte = CScriptImage::RepeatCountByte(runMode, run.value);
    CMacroBinding binding(m_session, m_library, m_reporter);
    WithMouseLocked(
        [&] { DeviceWork([&] { return binding.Bind(profile, button, run.text, modeByte, countByte); }); });
    RefreshButtons();
}

void CMainFrameModel::GiveSingleKey() {
    // Any entry of the list but "CLICK" takes the left click away: ask the rule for one of them.
    if (!LeftButtonAllows(CButtonCatalogue::FindByName("BUTTON OFF"))) {
        return;
    }
    CButtonCatalogue catalogue(m_session.Device(), &m_session.Store());
    SPageRun run;
    run.page = ctl::kPageSingleKey;
    run.value = catalogue.SlotIndex(m_selected, m_profile);
    if (RunPage(run) != 1 || run.value < 0 || run.value >= CButtonCatalogue::kEntries) {
        return;
    }
    catalogue.AssignFunction(m_selected, m_profile, run.value, true);
    RefreshButtons();
}

void CMainFrameModel::GiveDefault() {
    if (!LeftButtonAllows(CButtonCatalogue::DefaultFunctionIndex(m_selected))) {
        return;
    }
    const int button = m_selected;
    if (!DeviceWork([&] { return m_session.DefaultButtonFunction(m_profile, button); })) {
        return;
    }
    RefreshButtons();
    // The button has its own function again, whatever type the lookup gives it (button 7's own
    // "MACRO KEY" reads as a macro).
    m_buttons[static_cast<size_t>(button)].type = ButtonDisplayType::Default;
    m_selectedAtDefault = true;
}

void CMainFrameModel::GiveLauncher() {
    if (!LeftButtonAllows(CButtonCatalogue::kLaunch)) {
        return;
    }
    CRegStore& store = m_session.Store();
    const int slot = m_selected + 1;
    std::u16string stored;
    store.ReadText(store::ButtonProgram(m_profile, slot), stored);
    std::string path;
    std::string name;
    if (!m_host.ChooseProgram(Utf16ToUtf8(stored), path, name)) {
        return;
    }
    store.WriteText(store::ButtonProgram(m_profile, slot), Utf8ToUtf16(path));
    store.WriteText(store::ButtonProgramName(m_profile, slot), Utf8ToUtf16(FileStem(name)));
    CButtonCatalogue catalogue(m_session.Device(), &store);
    catalogue.AssignFunction(m_selected, m_profile, CButtonCatalogue::kLaunch, true);
    RefreshButtons();
}

void CMainFrameModel::SetLedMode(bool battle) {
    if (battle == m_battle || !m_imageLoaded) {
        return;
    }
    if (battle) {
        SPageRun run;
        run.page = ctl::kPageBattle;
        RunPage(run);
    }
    CIcQT47& image = m_session.Device();
    std::vector<std::pair<int, int>> needed;  // address, value
    for (const int offset : kLedBytes) {
        const int address = map::BlockBase(m_profile) + offset;
        const int value = (image.Cell(address).value & 0x80) | (battle ? kBattleBits : NormalBits(offset));
        if (!image.Holds(address, value)) {
            needed.emplace_back(address, value);
        }
    }
    // A byte that could not be written (or another program kept the mouse) stays as an edit, so the
    // next save writes the user's choice.
    const auto write = [&] {
        int written = 0;
        for (const auto& [address, value] : needed) {
            if (image.WriteByte(static_cast<unsigned>(address), value)) {
                ++written;
            } else {
                image.SetCell(address, value);
            }
        }
        if (written > 0) {
            image.ApplySettings();
        }
        return 0;
    };
    if (!needed.empty() && !WithMouseLocked([&] { DeviceWork(write); })) {
        for (const auto& [address, value] : needed) {
            image.SetCell(address, value);
        }
    }
    m_battle = battle;
    PostOsd(osd::kLedMode, battle ? 1 : 0);
}

void CMainFrameModel::OpenChild(EChildDialog dialog) {
    int endProfile = m_profile;
    bool ok = false;
    const bool shown = RunChild(static_cast<int>(dialog),
                                [&] { return m_host.RunChildDialog(dialog, m_profile, endProfile, ok); });
    if (!shown) {
        return;
    }
    if (dialog == EChildDialog::Advanced) {
        RecordPointer(endProfile >= 0 && endProfile < ctl::kProfiles ? endProfile : m_profile);
    }
    if (dialog == EChildDialog::Led && ok) {
        RefreshButtons();
        RefreshLed();
    }
    CSettingsMap settings(m_session.Device());
    if (endProfile >= 0 && endProfile != m_profile && endProfile < settings.ProfileCount() && m_imageLoaded) {
        m_session.Device().SetCell(map::kProfileByte, (settings.ProfileByte() & 0xF0) | endProfile);
        ShowProfile(endProfile);
        ApplyPointer(endProfile);
    }
}

// ---- Pointer settings per profile ----

void CMainFrameModel::ApplyPointer(int profile) {
    CProfilePointerSettings(m_session.Store(), m_pointer).Apply(profile);
}

void CMainFrameModel::RecordPointer(int profile) {
    CProfilePointerSettings(m_session.Store(), m_pointer).Record(profile);
}

}  // namespace vorlix
