#include "ui/macro/SkinMacroDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "lang/TextTables.h"
#include "macro/MacroProgram.h"
#include "platform/qt/PublishedEndpoint.h"
#include "platform/qt/QtText.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/MessageShow.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/macro/SkinLVCmdList.h"
#include "ui/macro/core/KeyUsage.h"
#include "ui/macro/core/MacroEditorModel.h"
#include "ui/skin/ColorCombox.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/HoverButtonEx2.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/SkinListCtrl.h"
#include "ui/skin/SkinVerticleScrollbar.h"
#include "ui/skin/core/PixelView.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

// Control ids of dialog 602.
namespace id {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kApply = 1728;
constexpr int kList = 1089;
constexpr int kMacroButton = 1810;
constexpr int kMacroList = 1811;
constexpr int kCommandButton = 1812;
constexpr int kCommandList = 1813;
constexpr int kRecord = 1113;
constexpr int kStop = 1114;
constexpr int kDelete = 1080;
constexpr int kUp = 1078;
constexpr int kDown = 1079;
constexpr int kAdjust = 1075;
constexpr int kDelayEdit = 1088;
constexpr int kStepUp = 1076;
constexpr int kStepDown = 1077;
constexpr int kConfigure = 1073;
constexpr int kDropDelays = 1091;
constexpr int kDefaultDelay = 1092;
constexpr int kDefaultDelayEdit = 1093;
constexpr int kInsertCommand = 1074;
constexpr int kPaired = 1094;
constexpr int kCreate = 1081;
constexpr int kImport = 1082;
constexpr int kExport = 1083;
constexpr int kDeleteFile = 1090;
}  // namespace id

// Buttons with their pictures and tool tips (index in the UI texts; -1 none).
struct SButton {
    int id;
    int bitmap;
    int tooltip;
};
constexpr SButton kButtons[] = {
    {id::kOk, 338, 23},         {id::kCancel, 337, 20},       {id::kApply, 336, 21},
    {id::kRecord, 256, 28},     {id::kStop, 257, 29},         {id::kDelete, 263, 30},
    {id::kUp, 261, 35},         {id::kDown, 262, 36},         {id::kAdjust, 258, 25},
    {id::kStepUp, 350, -1},     {id::kStepDown, 351, -1},     {id::kConfigure, 258, 55},
    {id::kDropDelays, 357, 53}, {id::kDefaultDelay, 359, 54}, {id::kInsertCommand, 258, 56},
    {id::kPaired, 593, -1},     {id::kCreate, 112, 27},       {id::kImport, 265, 26},
    {id::kExport, 266, 57},     {id::kDeleteFile, 113, 52},
};
constexpr int kDropOff = 357, kDropOn = 358, kDefaultOff = 359, kDefaultOn = 360;
constexpr int kPairedOn = 593, kPairedOff = 594;
constexpr int kMacroChooserBitmap = 126, kCommandChooserBitmap = 127;
constexpr int kWindowIcon = 800;
constexpr int kDelayCharacters = 5;
constexpr int kDefaultDelayCharacters = 4;

std::u16string ToUtf16(const QString& text) {
    return text.toStdU16String();
}

// Mouse buttons and the press instruction each records.
int PressOpcode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 0x78;
        case Qt::RightButton:
            return 0x79;
        case Qt::MiddleButton:
            return 0x7A;
        case Qt::BackButton:
            return 0x7B;
        case Qt::ForwardButton:
            return 0x7C;
        default:
            return 0;
    }
}

}  // namespace

CSkinMacroDlg::CSkinMacroDlg(const SParts& parts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_texts(*parts.texts),
      m_skinDlg(parts.skinDlg),
      m_store(*parts.store),
      m_runtimeDir(parts.runtimeDir),
      m_rowFont(parts.rowFont),
      m_secondFont(parts.secondFont),
      m_tableTexts(*parts.texts, [](std::u16string_view) {}) {
    setObjectName("SkinMacroDlg");
    setWindowTitle(ToQString(m_texts.Text(ETextTable::Ui, 11)));
    setWindowIcon(QIcon(CSkinImages::Pixmap(kWindowIcon)));
    m_program = std::make_unique<CMacroProgram>(m_tableTexts);
    m_library = std::make_unique<CMacroLibrary>(*parts.files, *this, parts.folder);
    m_model = std::make_unique<CMacroEditorModel>(*m_program, *m_library, m_store, *parts.clock, *this);
    m_binding = std::make_unique<CSkinLVCmdList>(*m_program);
    m_background.Load(kMacroEditor, kDialogKey);
    m_background.ApplyTo(this);
    BuildControls();
}

CSkinMacroDlg::~CSkinMacroDlg() {
    SetFiltering(false);
    m_binding.reset();
}

// ---- Controls ----

void CSkinMacroDlg::Place(QWidget* control, int controlId) {
    SetControlId(control, controlId);
    if (const SPlace* place = FindPlace(kMacroEditor, controlId)) {
        control->move(place->x, place->y);
        if (place->width > 0 && place->height > 0) {
            control->resize(place->width, place->height);
        }
    }
}

CHoverButtonEx* CSkinMacroDlg::AddButton(int controlId, int bitmap, std::u16string_view tooltip) {
    auto* button = new CHoverButtonEx(this);
    button->SetBitmap(bitmap);
    if (!tooltip.empty()) {
        button->SetTooltipText(ToQString(tooltip));
    }
    Place(button, controlId);
    m_buttons[controlId] = button;
    connect(button, &QAbstractButton::clicked, this, [this, controlId] { OnCommand(controlId); });
    return button;
}

void CSkinMacroDlg::BuildControls() {
    for (const SButton& b : kButtons) {
        AddButton(b.id, b.bitmap, b.tooltip >= 0 ? m_texts.Text(ETextTable::Ui, b.tooltip) : u"");
    }

    // The choosers: a labelled button that opens a drop-down list lying under it.
    auto makeChooser = [this](int buttonId, int listId, int bitmap, CHoverButtonEx2*& button,
                              CColorCombox*& list) {
        list = new CColorCombox(this);
        Place(list, listId);
        button = new CHoverButtonEx2(this);
        button->SetBitmap(bitmap);
        Place(button, buttonId);
        list->setGeometry(button->geometry());
        list->SetColors(QColor(240, 240, 240), QColor(20, 20, 20), QColor(255, 255, 255),
                        QColor(150, 16, 15));
        list->lower();
        const QSize frame = button->FrameSize();
        button->SetText(QString(), QColor(240, 240, 240), m_rowFont,
                        QRect(10, 0, frame.width() - 40, frame.height()));
        connect(button, &QAbstractButton::clicked, list, &QComboBox::showPopup);
    };
    makeChooser(id::kMacroButton, id::kMacroList, kMacroChooserBitmap, m_macroButton, m_macroList);
    makeChooser(id::kCommandButton, id::kCommandList, kCommandChooserBitmap, m_commandButton, m_commandList);
    m_commandButton->SetTooltipText(
        ToQString(m_texts.Text(ETextTable::Command, CTextTables::kCommandListTitle)));
    for (int i = 0; i < CMacroEditorModel::kCommandCount; ++i) {
        m_commandList->AddString(ToQString(m_texts.Text(ETextTable::Command, i)));
    }
    connect(m_macroList, &QComboBox::activated, this, [this](int index) { m_model->ChooseMacro(index); });
    connect(m_commandList, &QComboBox::activated, this, [this](int index) { m_model->ChooseCommand(index); });

    m_list = new CSkinListCtrl(this);
    Place(m_list, id::kList);
    auto* scrollbar = new CSkinVerticleScrollbar(this);
    scrollbar->SetBitmaps(kScrollUp, kScrollDown, kScrollChannel, kScrollThumb);
    scrollbar->SetList(m_list);
    m_list->SetScrollbar(scrollbar);
    const QRect listRect = m_list->geometry();
    m_list->resize(listRect.width() - 17, listRect.height());
    scrollbar->setGeometry(listRect.right() - 16, listRect.top(), 17, listRect.height());
    m_binding->SetUp(m_list, m_rowFont, m_secondFont);
    connect(m_binding.get(), &CSkinLVCmdList::Clicked, this, [this] {
        if (!m_refreshing) {
            m_model->ListClicked();
        }
    });

    auto makeEdit = [this](int controlId, int characters, CSkinEdit*& edit, auto setter) {
        edit = new CSkinEdit(this);
        edit->MakeNumberBox(characters, CMacroEditorModel::kMaxDelayMs);
        edit->setFont(m_rowFont);
        Place(edit, controlId);
        connect(edit, &QLineEdit::textChanged, this, [this, edit, setter] {
            if (!m_refreshing) {
                (m_model.get()->*setter)(edit->Text16());
            }
        });
    };
    makeEdit(id::kDelayEdit, kDelayCharacters, m_delayEdit, &CMacroEditorModel::SetDelayText);
    makeEdit(id::kDefaultDelayEdit, kDefaultDelayCharacters, m_defaultDelayEdit,
             &CMacroEditorModel::SetDefaultDelayText);
}

QWidget* CSkinMacroDlg::Control(int controlId) const {
    return FindControl(const_cast<CSkinMacroDlg*>(this), controlId);
}

// ---- Running ----

void CSkinMacroDlg::Prepare() {
    m_model->Open();
    m_prepared = true;
}

bool CSkinMacroDlg::Run() {
    Prepare();
    if (!m_runtimeDir.empty()) {
        m_endpoint = std::make_unique<CPublishedEndpoint>(m_store, store::kMacroEditHandle);
        if (m_endpoint->Publish(m_runtimeDir)) {
            RouteCommands(*m_endpoint, this);
        }
    }
    // The program ending hides the main window: the editor ends with it, as if cancelled.
    if (parentWidget() != nullptr) {
        parentWidget()->installEventFilter(this);
    }
    SModalRequest request;
    request.kind = ModalKind::Question;
    request.what = "macro editor";
    const int result =
        ModalRunner().Run(request, [this] { return exec() == QDialog::Accepted ? kModalOk : kModalCancel; });
    EndRun();
    return result == kModalOk;
}

void CSkinMacroDlg::EndRun() {
    if (parentWidget() != nullptr) {
        parentWidget()->removeEventFilter(this);
    }
    if (m_model->IsRecording()) {
        m_model->Cancel();
    }
    SetFiltering(false);
    if (m_endpoint) {
        m_endpoint->Withdraw();
        m_endpoint.reset();
    }
    m_commandButton->SetLabel(ToQString(m_texts.Text(ETextTable::Command, CTextTables::kCommandListTitle)));
    for (auto& [controlId, button] : m_buttons) {
        button->SetHovering(false);
    }
}

void CSkinMacroDlg::OnOk() {
    if (m_model->Ok()) {
        accept();
    }
}

void CSkinMacroDlg::OnCancel() {
    m_model->Cancel();
    QDialog::reject();
}

void CSkinMacroDlg::reject() {
    // Esc while recording is a recorded key, and Cancel is disabled then.
    if (m_model->IsRecording()) {
        return;
    }
    OnCancel();
}

void CSkinMacroDlg::closeEvent(QCloseEvent* event) {
    // Closed from outside (the program ends): recording ends first, so no filter outlives the window.
    m_model->Cancel();
    SetFiltering(false);
    QDialog::closeEvent(event);
}

void CSkinMacroDlg::OnCommand(int controlId) {
    CMacroEditorModel& model = *m_model;
    switch (controlId) {
        case id::kOk:
            OnOk();
            break;
        case id::kCancel:
            OnCancel();
            break;
        case id::kApply:
            model.Apply();
            break;
        case id::kRecord:
            model.Record();
            if (model.IsRecording()) {
                setFocus();
            }
            break;
        case id::kStop:
            model.Stop();
            break;
        case id::kDelete:
            model.DeleteLines();
            break;
        case id::kUp:
            model.MoveUp();
            break;
        case id::kDown:
            model.MoveDown();
            break;
        case id::kAdjust:
            model.AdjustDelay();
            break;
        case id::kStepUp:
        case id::kStepDown:
            model.StepDelay(controlId == id::kStepUp);
            break;
        case id::kConfigure:
            model.ConfigureTiming();
            break;
        case id::kDropDelays:
            model.ToggleDropDelays();
            break;
        case id::kDefaultDelay:
            model.ToggleDefaultDelay();
            break;
        case id::kInsertCommand:
            model.InsertCommand();
            break;
        case id::kPaired:
            model.TogglePairedDeletion();
            break;
        case id::kCreate:
            model.CreateMacro();
            break;
        case id::kImport:
            model.ImportMacro();
            break;
        case id::kExport:
            model.ExportMacro();
            break;
        case id::kDeleteFile:
            model.DeleteMacroFile();
            break;
        default:
            break;
    }
}

// ---- Drawing the model ----

void CSkinMacroDlg::Refresh() {
    m_refreshing = true;
    const CMacroEditorModel& model = *m_model;
    const SEditorEnabling on = model.Enabling();
    const std::pair<int, bool> states[] = {
        {id::kOk, on.ok},
        {id::kCancel, on.cancel},
        {id::kApply, on.apply},
        {id::kRecord, on.record},
        {id::kStop, on.stop},
        {id::kDelete, on.deleteLines},
        {id::kUp, on.up},
        {id::kDown, on.down},
        {id::kAdjust, on.adjust},
        {id::kStepUp, on.delayEdit},
        {id::kStepDown, on.delayEdit},
        {id::kConfigure, on.configure},
        {id::kDropDelays, on.toggles},
        {id::kDefaultDelay, on.toggles},
        {id::kPaired, on.toggles},
        {id::kInsertCommand, on.insertCommand},
        {id::kCreate, on.create},
        {id::kImport, on.import},
        {id::kExport, on.exportFile},
        {id::kDeleteFile, on.deleteFile},
    };
    for (const auto& [controlId, enabled] : states) {
        m_buttons[controlId]->setEnabled(enabled);
    }
    m_macroButton->setEnabled(on.macroChooser);
    m_macroList->setEnabled(on.macroChooser);
    m_commandButton->setEnabled(on.commandChooser);
    m_commandList->setEnabled(on.commandChooser);
    m_delayEdit->setEnabled(on.delayEdit);
    m_delayEdit->SetEditable(on.delayEdit);
    m_defaultDelayEdit->setEnabled(on.defaultDelayEdit);
    m_defaultDelayEdit->SetEditable(on.defaultDelayEdit);

    m_buttons[id::kDropDelays]->SetBitmap(model.Pending().dropDelays ? kDropOn : kDropOff);
    m_buttons[id::kDefaultDelay]->SetBitmap(model.Pending().defaultDelayMode ? kDefaultOn : kDefaultOff);
    m_buttons[id::kPaired]->SetBitmap(model.PairedDeletion() ? kPairedOn : kPairedOff);

    // The choosers: the library's names as the model holds them, and the chosen entries' captions.
    const std::vector<std::u16string>& names = model.MacroNames();
    bool same = m_macroList->count() == static_cast<int>(names.size());
    for (int i = 0; same && i < m_macroList->count(); ++i) {
        same = ToUtf16(m_macroList->itemText(i)) == names[static_cast<size_t>(i)];
    }
    if (!same) {
        m_macroList->ResetContent();
        for (const std::u16string& name : names) {
            m_macroList->AddString(ToQString(name));
        }
    }
    m_macroList->setCurrentIndex(model.ChosenMacro());
    m_macroButton->SetLabel(ToQString(model.CurrentName()));
    m_commandList->setCurrentIndex(model.ChosenCommand());
    m_commandButton->SetLabel(
        model.ChosenCommand() >= 0
            ? ToQString(m_texts.Text(ETextTable::Command, model.ChosenCommand()))
            : ToQString(m_texts.Text(ETextTable::Command, CTextTables::kCommandListTitle)));

    if (m_delayEdit->Text16() != model.DelayText()) {
        m_delayEdit->SetText16(model.DelayText());
    }
    if (m_defaultDelayEdit->Text16() != model.DefaultDelayText()) {
        m_defaultDelayEdit->SetText16(model.DefaultDelayText());
    }
    SetFiltering(model.IsRecording());
    m_refreshing = false;
}

std::u16string CSkinMacroDlg::MessageText(int number) {
    return std::u16string(m_texts.Text(ETextTable::Message, number));
}

void CSkinMacroDlg::FocusDefaultDelay() {
    m_defaultDelayEdit->setFocus();
}

int CSkinMacroDlg::RunPage(int page, std::u16string& text) {
    if (m_skinDlg == nullptr) {
        return kModalCancel;
    }
    m_skinDlg->page = page;
    m_skinDlg->text = text;
    const int result = m_skinDlg->DoModal();
    text = m_skinDlg->text;
    return result;
}

bool CSkinMacroDlg::ChooseFile(bool save, std::u16string_view proposedName, std::string& path) {
    if (m_fileChooser) {
        return m_fileChooser(save, proposedName, path);
    }
    QFileDialog dialog(this);
    dialog.setObjectName("MacroFileChooser");
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("Mac"));
    dialog.setNameFilters(
        {QStringLiteral("Mouse Macro Files (*.mac *.Mac *.MAC)"), QStringLiteral("All Files (*)")});
    if (save && !proposedName.empty()) {
        dialog.selectFile(ToQString(proposedName) + QStringLiteral(".Mac"));
    }
    SModalRequest request;
    request.kind = ModalKind::FileChooser;
    request.what = save ? "macro file to save" : "macro file to load";
    const int result = ModalRunner().Run(
        request, [&dialog] { return dialog.exec() == QDialog::Accepted ? kModalOk : kModalCancel; });
    const QStringList chosen = dialog.selectedFiles();
    if (result != kModalOk || chosen.isEmpty()) {
        return false;
    }
    path = chosen.front().toStdString();
    return true;
}

void CSkinMacroDlg::ShowMessage(int number, std::u16string_view appended) {
    vorlix::ShowMessage(m_skinDlg, m_texts, number, std::u16string(appended), isVisible() ? this : nullptr);
}

// ---- Recording ----

void CSkinMacroDlg::SetFiltering(bool on) {
    if (on == m_filtering) {
        return;
    }
    m_filtering = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool CSkinMacroDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Hide && isVisible()) {
        OnCancel();
        return false;
    }
    if (!m_filtering || !watched->isWidgetType()) {
        return QDialog::eventFilter(watched, event);
    }
    auto* target = static_cast<QWidget*>(watched);
    // Only input that reaches the editor's own windows is recorded.
    if (target != this && !isAncestorOf(target)) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return FilterKey(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return FilterMouse(target, static_cast<QMouseEvent*>(event));
        case QEvent::Wheel:
            return FilterWheel(static_cast<QWheelEvent*>(event));
        default:
            return QDialog::eventFilter(watched, event);
    }
}

bool CSkinMacroDlg::FilterKey(QKeyEvent* event) {
    // Every key is consumed: while recording keys are recorded, not acted on.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // The desktop repeats a held key as release and press pairs: none of them counts.
    if (event->isAutoRepeat()) {
        return true;
    }
    // The key's place on the keyboard: an X11 keycode is the input event code + 8.
    const quint32 scanCode = event->nativeScanCode();
    const int usage = scanCode >= 8 ? KeyUsageFromEventCode(scanCode - 8) : 0;
    CMacroRecorder& recorder = m_model->Recorder();
    m_model->Recorded(event->type() == QEvent::KeyPress ? recorder.KeyDown(usage) : recorder.KeyUp(usage));
    return true;
}

bool CSkinMacroDlg::FilterMouse(QWidget* target, QMouseEvent* event) {
    QWidget* stop = m_buttons[id::kStop];
    // Clicks on STOP stop the recording instead of being recorded.
    if (target == stop || stop->isAncestorOf(target)) {
        return false;
    }
    const int press = PressOpcode(event->button());
    if (press == 0) {
        return true;
    }
    CMacroRecorder& recorder = m_model->Recorder();
    const QPoint at = mapFromGlobal(event->globalPosition().toPoint());
    CMacroRecorder::Result result;
    if (event->button() == Qt::LeftButton && at.y() < kCaptionBand && at.y() >= 0) {
        // The top band stands for the caption: a left press or release there records a left release.
        result = recorder.FrameClick();
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        result = recorder.DoubleClick(press);
    } else {
        result = recorder.Button(press, event->type() == QEvent::MouseButtonPress);
    }
    m_model->Recorded(result);
    return true;
}

bool CSkinMacroDlg::FilterWheel(QWheelEvent* event) {
    m_model->Recorded(m_model->Recorder().Wheel(event->angleDelta().y()));
    return true;
}

// ---- Painting and dragging by the top band ----

void CSkinMacroDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_background.Paint(painter);
}

void CSkinMacroDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionBand) {
        m_drag.Begin(*this, *event);
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CSkinMacroDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag.Follow(*this, *event)) {
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CSkinMacroDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_drag.End();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace vorlix
