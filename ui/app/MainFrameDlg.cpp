#include "MainFrameDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "QtMessageReporter.h"
#include "core/ControlIds.h"
#include "core/PumpingWait.h"
#include "lang/FontSet.h"
#include "lang/HelpDocument.h"
#include "macro/MacroFileSystem.h"
#include "platform/MouseLock.h"
#include "platform/Trace.h"
#include "platform/lang/PosixLangFileSystem.h"
#include "settings/ProfilePointerSettings.h"
#include "shared/MessagePoster.h"
#include "shared/Messages.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"
#include "shared/StoreBackend.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"
#include "ui/cfg/SkinCfgDlg.h"
#include "ui/cfg/SkinLedDlg.h"
#include "ui/dialogs/LauncherChooser.h"
#include "ui/dialogs/MessageShow.h"
#include "ui/dialogs/MouseChoiceDlg.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/firmware/FirmwarePage.h"
#include "ui/firmware/core/FirmwareFlow.h"
#include "ui/lang/QtDocumentOpener.h"
#include "ui/lang/QtFontFactory.h"
#include "ui/macro/SkinMacroDlg.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/OsdProgress.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/UiKeyIndex.h"
#include "ui/skin/UiKeyStatus.h"
#include "ui/skin/WindowDrag.h"
#include "ui/skin/core/PixelView.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

// Pointer settings where the desktop offers none to change: nothing is applied or read.
class CNoPointerSettings final : public IPointerSettings {
public:
    bool Apply(const SPointerValues&) override { return false; }
    bool Read(SPointerValues&) override { return false; }
};

struct SButtonSkin {
    int id;
    int bitmap;
    int tooltip;  // index in the UI text table
};
constexpr SButtonSkin kMainButtons[] = {
    {ctl::kToTray, 111, 4},
    {ctl::kReset, 134, 5},
    {ctl::kWebPage, 135, 6},
    {ctl::kHelp, 136, 7},
    {ctl::kApply, 118, 8},
    {ctl::kCancel, 119, 9},
    {ctl::kOk, 120, 10},
    {ctl::kMacroEditor, 143, 11},
    {ctl::kAdvanced, 137, 12},
    {ctl::kLedDialog, 138, 13},
    {ctl::kMacroFunction, 139, 39},
    {ctl::kSingleKey, 140, 40},
    {ctl::kDefaultFunction, 141, 41},
    {ctl::kLaunchProgram, 142, 42},
};
constexpr int kExitPicture = 247;
constexpr int kYesTooltip = 37;
constexpr int kFirstTabTooltip = 14;
constexpr int kTabNormal[] = {165, 166, 167, 168, 288};
constexpr int kTabSelected[] = {169, 170, 171, 172, 289};
constexpr int kLedNormalOn = 183;
constexpr int kLedNormalOff = 182;
constexpr int kLedBattleOn = 185;
constexpr int kLedBattleOff = 184;
constexpr int kOverlayFirstFrame = 405;
constexpr int kOverlayCaption = 417;
constexpr int kRowFont = 1;

}  // namespace

std::vector<int> CMainFrameDlg::StartPictures() {
    std::vector<int> ids{kWarningFace, kMainFace};
    for (const SButtonSkin& skin : kMainButtons) {
        ids.push_back(skin.bitmap);
    }
    ids.insert(ids.end(), {kExitPicture, kLedNormalOn, kLedNormalOff, kLedBattleOn, kLedBattleOff});
    ids.insert(ids.end(), std::begin(kTabNormal), std::end(kTabNormal));
    ids.insert(ids.end(), std::begin(kTabSelected), std::end(kTabSelected));
    ids.insert(ids.end(), {419, 420, 421, 422, 418});
    for (int k = 0; k < ctl::kButtons; ++k) {
        ids.insert(ids.end(), {kHotSpotNormal + k, kHotSpotPressed + k, kHotSpotHover + k, kHotSpotMask + k,
                               kHotSpotSelected + k});
    }
    for (int id = kOverlayFirstFrame; id <= kOverlayCaption; ++id) {
        ids.push_back(id);
    }
    return ids;
}

CMainFrameDlg::CMainFrameDlg(SMainFrameParts parts, const CTextTables& texts,
                             const SMainFrameOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_storeBackend(std::move(parts.storeBackend)),
      m_store(*m_storeBackend),
      m_poster(std::move(parts.poster)),
      m_transport(std::move(parts.transport)),
      m_deviceClock(*parts.clock),
      m_launcher(std::move(parts.launcher)),
      m_pointer(std::move(parts.pointer)),
      m_macroFiles(std::move(parts.macroFiles)),
      m_texts(texts),
      m_options(options),
      m_hiddenStart(options.automation) {
    m_clock = std::make_unique<CPumpingClock>(*parts.clock, [this] { Pump(); });
    m_waiter = std::make_unique<CPumpingWaiter>(*parts.waiter, [this] { Pump(); });
    if (!m_pointer) {
        m_pointer = std::make_unique<CNoPointerSettings>();
    }
    m_hid = std::make_unique<CHidClient>(m_transport);
    m_device = std::make_unique<CIcQT47>(m_transport, *m_clock, *m_waiter);
    m_session = std::make_unique<CDeviceSession>(*this, *m_hid, *m_device, m_store, *m_poster, *m_clock);
    m_library = std::make_unique<CMacroLibrary>(*m_macroFiles, *this, parts.macroFolder);
    SMainFrameConfig config;
    config.leftButtonByMessage = options.leftButtonByMessage;
    config.macroFolder = parts.macroFolder;
    m_model = std::make_unique<CMainFrameModel>(*m_session, *this, *m_poster, *m_pointer, *m_library, *this,
                                                config);

    setWindowTitle(QString::fromStdU16String(std::u16string(texts.Text(ETextTable::Ui, 0))));
    setWindowIcon(QIcon(CSkinImages::Pixmap(800)));
    const auto fonts = CFontSet::Describe(texts, CQtFontFactory::SystemIconTitleHeight());
    for (size_t i = 0; i < fonts.size(); ++i) {
        m_fonts[i] = CQtFontFactory::Create(fonts[i]);
    }
    m_warningFace.Load(kWarningFace, kDialogKey);
    m_mainFace.Load(kMainFace, kDialogKey);
    BuildControls();

    CFirmwarePage::SWindow firmwareWindow;
    firmwareWindow.startTimer = [this](int id, uint32_t periodMs) { StartTimer(id, periodMs); };
    firmwareWindow.stopTimer = [this](int id) { StopTimer(id); };
    // The page's Start reaches the update once the click has returned. Notice 12 from elsewhere takes
    // the session's way and starts nothing: by the time the gate lets it through, the page is closed.
    firmwareWindow.postStart = [this] {
        QMetaObject::invokeMethod(
            this, [this] { m_firmware->Start(); }, Qt::QueuedConnection);
    };
    // The update's pages are the skinned dialog's: "Current Dialog" says so while one is open, so the
    // monitor holds its device notices back until the update is over.
    firmwareWindow.pageOpen = [this](bool open) {
        if (open) {
            m_model->SkinnedPageOpened();
        } else {
            m_model->SkinnedPageClosed();
        }
    };
    m_firmwarePage = std::make_unique<CFirmwarePage>(*m_skinDlg, std::move(firmwareWindow));
    m_firmware = std::make_unique<CFirmwareFlow>(*m_firmwarePage, *m_hid, *m_device, *m_clock);
    m_firmware->SetImage(parts.firmware);
}

CMainFrameDlg::~CMainFrameDlg() {
    for (auto& [id, timer] : m_timers) {
        timer->stop();
    }
    if (m_initialised) {
        m_store.DeleteValue(store::kProcessHandle);
        m_store.DeleteValue(store::kCurrentDialog);
        Trace("handles withdrawn");
    }
    m_receiver.reset();
    // Qt would delete the child widgets only after every member is gone: the dialogs, the overlay
    // and the skinned controls go first, while the store and the device objects they use still exist.
    const QList<QWidget*> children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
    m_timers.clear();
    m_firmware.reset();
    m_firmwarePage.reset();
    m_model.reset();
    m_library.reset();
    m_session.reset();
    m_device.reset();
    m_hid.reset();
    m_store.Close();
}

CHoverButtonEx* CMainFrameDlg::AddButton(int id, int bitmap, std::u16string_view tooltip) {
    auto* button = new CHoverButtonEx(this);
    button->SetHorizontal(true);
    button->SetBitmap(bitmap);
    button->SetTooltipText(QString::fromStdU16String(std::u16string(tooltip)));
    button->setProperty("controlId", id);
    button->hide();
    connect(button, &QAbstractButton::clicked, this, [this, id] { m_model->OnCommand(id); });
    m_buttons[id] = button;
    return button;
}

void CMainFrameDlg::BuildControls() {
    for (const SButtonSkin& skin : kMainButtons) {
        PlaceControl(AddButton(skin.id, skin.bitmap, m_texts.Text(ETextTable::Ui, skin.tooltip)), kMainFace,
                     skin.id);
    }
    PlaceControl(AddButton(ctl::kExit, kExitPicture, m_texts.Text(ETextTable::Ui, kYesTooltip)), kWarningFace,
                 ctl::kExit);
    PlaceControl(AddButton(ctl::kLedNormal, kLedNormalOn, m_texts.Text(ETextTable::LedMode, 0)), kMainFace,
                 ctl::kLedNormal);
    PlaceControl(AddButton(ctl::kLedBattle, kLedBattleOff, m_texts.Text(ETextTable::LedMode, 1)), kMainFace,
                 ctl::kLedBattle);
    for (int n = 0; n < ctl::kProfiles; ++n) {
        const int id = ctl::kFirstTab + n;
        PlaceControl(AddButton(id, kTabNormal[n], m_texts.Text(ETextTable::Ui, kFirstTabTooltip + n)),
                     kMainFace, id);
    }

    m_row = new CUiKeyStatus(this);
    m_row->SetHorizontal(true);
    m_row->AllocateEntries();
    m_row->SetTypeBitmaps({419, 420, 421, 422, 418});
    m_row->SetBitmap(418);
    m_row->setFont(m_fonts[kRowFont]);
    m_row->SetPassive(true);
    m_row->setProperty("controlId", ctl::kFunctionRow);
    m_row->hide();
    PlaceControl(m_row, kMainFace, ctl::kFunctionRow);

    for (int k = 0; k < ctl::kButtons; ++k) {
        auto* spot = new CUiKeyIndex(this);
        spot->SetSkin(kHotSpotNormal + k, kHotSpotPressed + k, kHotSpotHover + k, kHotSpotNormal + k, 0,
                      kHotSpotMask + k);
        spot->SetIndex(k);
        spot->SetPartners(m_row, nullptr);
        const int id = ctl::kFirstHotSpot + k;
        spot->setProperty("controlId", id);
        spot->hide();
        PlaceControl(spot, kMainFace, id);
        connect(spot, &QAbstractButton::clicked, this, [this, id] { m_model->OnCommand(id); });
        m_hotSpots[static_cast<size_t>(k)] = spot;
    }

    m_overlay = new COsdProgress(this);
    std::vector<int> frames;
    for (int id = kOverlayFirstFrame; id < kOverlayFirstFrame + 12; ++id) {
        frames.push_back(id);
    }
    m_overlay->Create(frames, kOverlayCaption);

    m_skinDlg = new CSkinDlg(m_texts, m_fonts[2], m_fonts[3], this);
    m_skinDlg->SetMacroFileSystem(m_macroFiles.get());
}

QWidget* CMainFrameDlg::Control(int id) const {
    const auto button = m_buttons.find(id);
    if (button != m_buttons.end()) {
        return button->second;
    }
    if (id == ctl::kFunctionRow) {
        return m_row;
    }
    if (id >= ctl::kFirstHotSpot && id < ctl::kFirstHotSpot + ctl::kButtons) {
        return m_hotSpots[static_cast<size_t>(id - ctl::kFirstHotSpot)];
    }
    return nullptr;
}

// ---- Start, "Show" and the end ----

bool CMainFrameDlg::Initialise(const std::string& runtimeDir, std::string* error) {
    m_runtimeDir = runtimeDir;
    if (!runtimeDir.empty()) {
        m_receiver = std::make_unique<CQtMessageReceiver>();
        if (!m_receiver->Create(runtimeDir, error)) {
            m_receiver.reset();
            return false;
        }
        connect(m_receiver.get(), &CQtMessageReceiver::MessageReceived, this, &CMainFrameDlg::Deliver);
        m_store.WriteDword(store::kProcessHandle, m_receiver->Id());
    }
    m_store.WriteDword(store::kCurrentDialog, 0);
    m_initialised = true;
    Trace("published");

    // The macro library lives in the documents folder; a failure here is not fatal.
    m_library->CreateFolder();

    if (m_hiddenStart) {
        Trace("hidden");
        return true;
    }
    OpenDeviceSession();
    if (!m_ended) {
        show();
    }
    return true;
}

void CMainFrameDlg::OpenDeviceSession() {
    Trace(m_options.automation ? "device session opened (automation)" : "device session opened");
    m_model->Connect();
}

void CMainFrameDlg::OnShowCommand() {
    Trace("show command");
    if (m_hiddenStart) {
        m_hiddenStart = false;
        OpenDeviceSession();
    } else if (m_session->Connected() && !m_model->ImageLoaded()) {
        // The last load failed: try again.
        m_model->Connect();
    }
    showNormal();
    raise();
    activateWindow();
}

void CMainFrameDlg::Deliver(quint32 message, quint32 wParam, quint32 lParam) {
    if (message == msg::kCommand) {
        if (wParam == msg::kShowCommandId) {
            OnShowCommand();
        } else {
            m_model->OnCommand(static_cast<int>(wParam));
        }
    } else if (message == msg::kClose) {
        Trace("close request");
        close();
    } else if (message == msg::kDeviceNotice) {
        m_model->OnDeviceNotice(wParam, lParam);
    }
}

void CMainFrameDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_hiddenStart) {
        // While the hidden start lasts, the window never stays visible.
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void CMainFrameDlg::closeEvent(QCloseEvent* event) {
    if (m_firmware->Transferring()) {
        // A mouse cut off mid-flash may never start again: the window waits for the update's end.
        event->ignore();
        m_exitAfterUpdate = true;
        return;
    }
    // Closed while the mouse is read or written: the session ends the identification light now; the
    // window ends once the transfer in progress has come back.
    m_model->OnClose();
    event->accept();
    Trace("closing");
    EndProgram();
}

void CMainFrameDlg::EndProgram() {
    if (m_firmware->Transferring()) {
        m_exitAfterUpdate = true;
        return;
    }
    for (auto& [id, timer] : m_timers) {
        timer->stop();
    }
    if (m_cfgDlg && m_cfgDlg->IsRunning()) {
        m_cfgDlg->reject();
    }
    if (m_ledDlg && m_ledDlg->IsRunning()) {
        m_ledDlg->reject();
    }
    if (m_skinDlg->IsRunning()) {
        static_cast<QDialog*>(m_skinDlg)->reject();
    }
    hide();
    m_ended = true;
    m_model->Gate().RunOrHold([this] { Finish(); });
}

void CMainFrameDlg::Finish() {
    if (!m_finished) {
        m_finished = true;
        emit Ended();
    }
}

void CMainFrameDlg::HideWindow() {
    hide();
}

// ---- Faces and drawing ----

void CMainFrameDlg::SetFace(EFace face) {
    if (face == m_shownFace || face == EFace::None) {
        return;
    }
    const bool main = face == EFace::Main;
    for (auto& [id, button] : m_buttons) {
        button->setVisible(main ? id != ctl::kExit : id == ctl::kExit);
    }
    for (CUiKeyIndex* spot : m_hotSpots) {
        spot->setVisible(main);
    }
    m_row->setVisible(main);
    const CSkinBackground& background = main ? m_mainFace : m_warningFace;
    background.ApplyTo(this);
    m_shownFace = face;
    m_shownProfile = -1;
    CentreOnScreen(*this);
    update();
}

void CMainFrameDlg::Refresh() {
    SetFace(m_model->Face());
    if (m_shownFace != EFace::Main) {
        return;
    }
    for (auto& [id, button] : m_buttons) {
        button->setEnabled(m_model->ControlEnabled(id));
    }
    const int profile = m_model->Profile();
    if (profile != m_shownProfile) {
        for (int n = 0; n < ctl::kProfiles; ++n) {
            m_buttons[ctl::kFirstTab + n]->SetBitmap(n == profile ? kTabSelected[n] : kTabNormal[n]);
        }
        m_shownProfile = profile;
    }
    const bool battle = m_model->BattleShown();
    m_buttons[ctl::kLedNormal]->SetBitmap(battle ? kLedNormalOff : kLedNormalOn);
    m_buttons[ctl::kLedBattle]->SetBitmap(battle ? kLedBattleOn : kLedBattleOff);

    const int selected = m_model->Selected();
    for (int k = 0; k < ctl::kButtons; ++k) {
        const bool isSelected = k == selected;
        CUiKeyIndex* spot = m_hotSpots[static_cast<size_t>(k)];
        spot->setEnabled(m_model->CurrentDialog() == ctl::kDialogNone);
        if (isSelected != m_hotSpotSelected[static_cast<size_t>(k)]) {
            // A selection cleared by a switch or a reset keeps the plain picture when pressed as well.
            const int normal = isSelected ? kHotSpotSelected + k : kHotSpotNormal + k;
            const int pressed = isSelected ? kHotSpotPressed + k : kHotSpotNormal + k;
            spot->SetSkin(normal, pressed, kHotSpotHover + k, normal, 0, kHotSpotMask + k);
            spot->update();
            m_hotSpotSelected[static_cast<size_t>(k)] = isSelected;
        }
        const SSlotDisplay& entry = m_model->Button(k);
        const QString name = QString::fromStdU16String(entry.name);
        m_row->SetEntry(k, static_cast<int>(entry.type), &name, isSelected);
    }
    m_shownSelection = selected;
}

void CMainFrameDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_shownFace == EFace::Main) {
        m_mainFace.Paint(painter);
    } else if (m_shownFace == EFace::Warning) {
        m_warningFace.Paint(painter);
    }
    if (m_shownFace != m_paintedFace) {
        m_paintedFace = m_shownFace;
        Trace(m_shownFace == EFace::Main ? "main face painted" : "warning face painted");
    }
}

void CMainFrameDlg::mousePressEvent(QMouseEvent* event) {
    const bool grip =
        m_shownFace == EFace::Warning || (m_shownFace == EFace::Main && event->position().y() < kDragBand);
    if (event->button() == Qt::LeftButton && grip) {
        m_drag.Begin(*this, *event);
    }
}

void CMainFrameDlg::mouseMoveEvent(QMouseEvent* event) {
    m_drag.Follow(*this, *event);
}

void CMainFrameDlg::mouseReleaseEvent(QMouseEvent*) {
    m_drag.End();
}

// ---- The session's owner ----

void CMainFrameDlg::ShowMessage(int number) {
    ShowMessage(number, std::u16string_view());
}

int CMainFrameDlg::ChooseMouse(const std::vector<std::u16string>& lines) {
    return vorlix::ChooseMouse(*m_session, lines, isVisible() ? this : nullptr);
}

void CMainFrameDlg::StartTimer(int id, uint32_t periodMs) {
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { TimerTick(id); });
    }
    timer->start(static_cast<int>(periodMs));
}

void CMainFrameDlg::StopTimer(int id) {
    const auto timer = m_timers.find(id);
    if (timer != m_timers.end()) {
        timer->second->stop();
    }
}

QTimer* CMainFrameDlg::SessionTimer(int id) const {
    const auto timer = m_timers.find(id);
    return timer != m_timers.end() && timer->second->isActive() ? timer->second : nullptr;
}

bool CMainFrameDlg::FireTimer(int id) {
    if (SessionTimer(id) == nullptr) {
        return false;
    }
    TimerTick(id);
    return true;
}

void CMainFrameDlg::TimerTick(int id) {
    // The update's timers tick inside the connect that runs its page: they bypass the session gate.
    if (CFirmwareFlow::IsUpdateTimer(id)) {
        m_firmware->OnTimer(id);
    } else {
        m_model->OnTimer(id);
    }
}

void CMainFrameDlg::SessionChanged(SessionChange change) {
    m_model->OnSessionChanged(change);
}

void CMainFrameDlg::LaunchProgram(const std::u16string& path) {
    if (m_launcher) {
        m_launcher->Launch(Utf16ToUtf8(path));
    }
}

void CMainFrameDlg::StartFirmwareUpdate() {
    Trace("firmware update asked");
    emit FirmwareUpdateAsked();
    m_firmware->Start();
}

bool CMainFrameDlg::OfferFirmwareUpdate(bool opened, uint16_t vendorId, uint16_t productId) {
    return !m_ended && m_firmware->Offer(opened, vendorId, productId);
}

FirmwareOutcome CMainFrameDlg::RunFirmwareUpdate() {
    Trace("firmware update page");
    const FirmwareOutcome outcome = m_firmware->Run();
    if (m_exitAfterUpdate) {
        m_model->OnClose();
        EndProgram();
    }
    return outcome;
}

void CMainFrameDlg::FirmwareUpdateEnded(FirmwareOutcome outcome) {
    Trace(outcome == FirmwareOutcome::Done ? "firmware update done" : "firmware update not done");
    if (!m_ended) {
        m_firmware->Tell(outcome);
    }
}

bool CMainFrameDlg::DialogOpen() const {
    return m_model->CurrentDialog() != ctl::kDialogNone;
}

void CMainFrameDlg::DeviceChangeNotified(uint32_t event) {
    // Called on the device-change thread: the session hears of it on the window's thread.
    QMetaObject::invokeMethod(
        this, [this, event] { m_model->OnDeviceChange(event); }, Qt::QueuedConnection);
}

// ---- Pages, messages, choosers ----

int CMainFrameDlg::RunPage(SPageRun& run) {
    m_skinDlg->page = run.page;
    m_skinDlg->text = run.text;
    m_skinDlg->path = run.path;
    m_skinDlg->option = run.option;
    m_skinDlg->value = run.value;
    const int result = m_skinDlg->DoModal();
    run.text = m_skinDlg->text;
    run.option = m_skinDlg->option;
    run.value = m_skinDlg->value;
    return result;
}

void CMainFrameDlg::ShowMessage(int number, std::u16string_view appended) {
    vorlix::ShowMessage(m_skinDlg, m_texts, number, std::u16string(appended), isVisible() ? this : nullptr);
}

bool CMainFrameDlg::ChooseProgram(const std::string& storedPath, std::string& path, std::string& name) {
    return vorlix::ChooseProgram(storedPath, path, name, this);
}

bool CMainFrameDlg::RunChildDialog(EChildDialog dialog, int profile, int& endProfile, bool& ok) {
    switch (dialog) {
        case EChildDialog::Advanced: {
            CSkinCfgDlg cfg(*m_device, *m_clock, *m_pointer, m_store, *m_poster, *this, m_texts, m_fonts[6],
                            this);
            m_cfgDlg = &cfg;
            ok = cfg.Run(profile, m_runtimeDir) == kModalOk;
            endProfile = cfg.EndProfile();
            return true;
        }
        case EChildDialog::Led: {
            CSkinLedDlg led(*m_device, *m_clock, m_store, m_texts, this);
            m_ledDlg = &led;
            ok = led.Run(profile, m_runtimeDir) == kModalOk;
            endProfile = led.EndProfile();
            return true;
        }
        case EChildDialog::MacroEditor: {
            // The editor never talks to the mouse, so losing the mouse does not cancel it.
            CSkinMacroDlg editor({.texts = &m_texts,
                                  .skinDlg = m_skinDlg,
                                  .files = m_macroFiles.get(),
                                  .folder = m_library->Folder(),
                                  .store = &m_store,
                                  .clock = &m_deviceClock,
                                  .rowFont = m_fonts[5],
                                  .secondFont = m_fonts[4],
                                  .runtimeDir = m_runtimeDir},
                                 this);
            ok = editor.Run();
            return true;
        }
    }
    return false;
}

int CMainFrameDlg::DeviceVariant() const {
    return m_session->Variant();
}

void CMainFrameDlg::ApplyProfilePointer(int profile) {
    CProfilePointerSettings(m_store, *m_pointer).Apply(profile);
}

void CMainFrameDlg::CancelDeviceDialogs() {
    // The mouse is gone: the dialogs close without talking to it.
    if (m_cfgDlg && m_cfgDlg->IsRunning()) {
        m_cfgDlg->CancelForLostDevice();
    }
    if (m_ledDlg && m_ledDlg->IsRunning()) {
        m_ledDlg->CancelForLostDevice();
    }
    if (m_skinDlg->IsRunning()) {
        static_cast<QDialog*>(m_skinDlg)->reject();
    }
}

void CMainFrameDlg::OpenHelp() {
    CPosixLangFileSystem files;
    CQtDocumentOpener opener;
    CQtMessageReporter reporter;
    CHelpDocument::Open(files, m_options.helpDocument, m_options.storePath, m_options.exeDir, opener, m_texts,
                        reporter);
}

bool CMainFrameDlg::OpenWebPage(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

// ---- The mouse kept from the user's other programs during a save or a reset ----

bool CMainFrameDlg::LockMouse() {
    const std::string& path = m_device->DevicePath();
    if (m_runtimeDir.empty() || path.empty()) {
        return true;  // no shared folder to meet other programs in: nobody else can be asked to wait
    }
    if (!m_mouseLock) {
        // Waits on the window's own clock, so the window keeps painting while a command finishes.
        m_mouseLock = std::make_unique<CMouseLock>(*m_clock);
    }
    std::string error;
    switch (m_mouseLock->Acquire(m_runtimeDir, path, kMouseLockWaitMs, &error)) {
        case CMouseLock::Result::Acquired:
            return true;
        case CMouseLock::Result::Busy:
            Trace("mouse kept by another program");
            return false;
        case CMouseLock::Result::Error:
        default:
            // The lock file cannot be used: saving as before beats refusing every save.
            Trace("mouse lock unavailable: " + error);
            return true;
    }
}

void CMainFrameDlg::UnlockMouse() {
    if (m_mouseLock) {
        m_mouseLock->Release();
    }
}

// ---- The overlay while the mouse is read or written ----

void CMainFrameDlg::DeviceWorkStarted() {
    if (m_workDepth++ > 0) {
        return;
    }
    m_lastFrameMs = m_deviceClock.NowMs();
    m_overlay->ShowFrame(-1);
    const QRect over = isVisible() ? frameGeometry()
                       : QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->geometry()
                           : QRect();
    m_overlay->move(over.center() - QPoint(m_overlay->width() / 2, m_overlay->height() / 2));
    m_overlay->show();
    m_overlay->raise();
}

void CMainFrameDlg::DeviceWorkEnded() {
    if (--m_workDepth == 0) {
        m_overlay->Stop();
    }
}

void CMainFrameDlg::Pump() {
    if (m_pumping) {
        return;
    }
    m_pumping = true;
    if (m_workDepth > 0) {
        // The wheel turns with the time the session waits, whatever clock it waits on.
        const uint64_t now = m_deviceClock.NowMs();
        while (now - m_lastFrameMs >= COsdProgress::kFramePeriodMs) {
            m_overlay->Advance();
            m_lastFrameMs += COsdProgress::kFramePeriodMs;
        }
    }
    // Paint and timers only: no clicks or keys, no posted messages (they wait in the endpoint's socket).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    m_pumping = false;
}

}  // namespace vorlix
