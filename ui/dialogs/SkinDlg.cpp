#include "ui/dialogs/SkinDlg.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "lang/TextTables.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroReporter.h"
#include "macro/platform/PosixMacroFileSystem.h"
#include "platform/qt/QtText.h"
#include "settings/ButtonCatalogue.h"
#include "shared/Utf16.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/core/EditFilters.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/skin/BitmapProgressBar.h"
#include "ui/skin/ColorCombox.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/HoverButtonEx2.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

constexpr QColor kMessageColour{250, 250, 250};
constexpr QColor kListText{240, 240, 240};
constexpr QColor kListBackground{75, 75, 75};
constexpr QColor kListSelectedText{255, 255, 255};
constexpr QColor kListSelectedBackground{150, 16, 15};
constexpr QColor kLabelText{250, 250, 250};
constexpr QColor kLabelDisabled{125, 125, 125};
constexpr int kDropButton = 471;
constexpr int kStartedPicture = 388;
constexpr int kIcon = 800;

std::u16string Cut(std::u16string text, std::size_t capacity) {
    if (text.size() > capacity) {
        text.resize(capacity);
    }
    return text;
}

// Listing the library reports nothing; the reporter is never asked.
class CSilentReporter final : public IMacroReporter {
public:
    void ShowMessage(int, std::u16string_view) override {}
};

}  // namespace

CSkinDlg::CSkinDlg(const CTextTables& texts, const QFont& fontText, const QFont& fontList, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_fontText(fontText), m_fontList(fontList) {
    setObjectName("SkinDlg");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowIcon(QIcon(CSkinImages::Pixmap(kIcon)));
    setModal(true);

    m_ok = new CHoverButtonEx(this);
    SetControlId(m_ok, skinctl::kOk);
    m_ok->SetTooltipText(QStringLiteral("YES"));
    m_cancel = new CHoverButtonEx(this);
    SetControlId(m_cancel, skinctl::kCancel);
    m_cancel->SetTooltipText(QStringLiteral("NO"));
    connect(m_ok, &QAbstractButton::clicked, this, &CSkinDlg::OnOk);
    connect(m_cancel, &QAbstractButton::clicked, this, &CSkinDlg::OnCancel);

    m_message = new QLabel(this);
    SetControlId(m_message, skinctl::kText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_message->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette messageColours = m_message->palette();
    messageColours.setColor(QPalette::WindowText, kMessageColour);
    m_message->setPalette(messageColours);
    m_message->setFont(m_fontText);

    static const char* const kRadioTips[kRadioCount] = {
        "ONE-TIME", "Multiple Loops", "REPEAT when press and hold", "Repeat until next key is pressed"};
    for (int i = 0; i < kRadioCount; ++i) {
        auto* radio = new CHoverButtonEx(this);
        SetControlId(radio, skinctl::kFirstRadio + i);
        radio->SetTooltipText(QString::fromLatin1(kRadioTips[i]));
        connect(radio, &QAbstractButton::clicked, this, [this, i] { OnRadio(i); });
        m_radios[static_cast<std::size_t>(i)] = radio;
    }

    m_list = new CColorCombox(this);
    SetControlId(m_list, skinctl::kList);
    m_list->SetColors(kListText, kListBackground, kListSelectedText, kListSelectedBackground);
    m_list->SetTextFormat(Qt::AlignHCenter | Qt::AlignVCenter);
    m_list->SetDropButtonBitmap(kDropButton);
    m_list->setFont(m_fontList);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CSkinDlg::OnChosen);

    m_label = new CHoverButtonEx2(this);
    SetControlId(m_label, skinctl::kListLabel);
    m_label->SetText(QString(), kLabelText, m_fontList, QRect(QPoint(20, 5), QPoint(134, 22)));
    m_label->SetDisabledTextColor(kLabelDisabled);
    connect(m_label, &QAbstractButton::clicked, m_list, &QComboBox::showPopup);

    m_edit = new CSkinEdit(this);
    SetControlId(m_edit, skinctl::kEdit);
    m_edit->setFont(m_fontText);

    m_progress = new CBitmapProgressBar(this);
    SetControlId(m_progress, skinctl::kProgress);
    m_progress->SetBitmaps(kProgressEmpty, kProgressFull);

    m_unused = new CHoverButtonEx(this);
    SetControlId(m_unused, skinctl::kUnused);
    m_unused->hide();
}

CSkinDlg::~CSkinDlg() = default;

QWidget* CSkinDlg::Control(int id) const {
    return FindControl(const_cast<CSkinDlg*>(this), id);
}

int CSkinDlg::DoModal() {
    const SSkinPage* info = FindSkinPage(page);
    return DoModalAs(info != nullptr ? info->kind : ModalKind::Question);
}

int CSkinDlg::DoModalAs(ModalKind kind) {
    // A second run while this one is open would start the open dialog again from inside itself.
    if (m_running) {
        return kModalCancel;
    }
    Prepare();
    m_running = true;
    SModalRequest request;
    request.kind = kind;
    request.page = page;
    request.what = "skinned page " + std::to_string(page);
    if (!text.empty()) {
        request.what += ": " + Utf16ToUtf8(text);
    }
    bool shown = false;
    int result = ModalRunner().Run(request, [this, &shown] {
        shown = true;
        return exec();
    });
    if (!shown) {
        // Answered without showing: the answer acts as that button would have.
        ClickControl(this, result);
        hide();
    }
    m_running = false;
    m_updateStarted = false;
    return result == kModalOk ? kModalOk : kModalCancel;
}

void CSkinDlg::Prepare() {
    SetUpPage();
    m_initialised = true;
}

void CSkinDlg::SetUpPage() {
    const SSkinPage* info = FindSkinPage(page);
    m_updateStarted = false;
    m_drag.End();
    if (m_background.Load(page, static_cast<std::uint32_t>(KeyRgb(EKey::Dialog)))) {
        m_background.ApplyTo(this);
    }
    for (QWidget* control :
         {static_cast<QWidget*>(m_label), static_cast<QWidget*>(m_unused), static_cast<QWidget*>(m_edit),
          static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_progress)}) {
        control->hide();
    }
    for (CHoverButtonEx* radio : m_radios) {
        radio->hide();
    }
    text = Cut(text, kTextCapacity);
    const bool showText = info != nullptr && info->text && !text.empty();
    m_message->setVisible(showText);
    if (showText) {
        m_message->setText(ToQString(text));
        PlaceControl(m_message, page, skinctl::kText);
    }
    if (m_background.IsLoaded()) {
        CentreOnScreen(*this);
    }
    SetUpButtons();
    if (info == nullptr) {
        return;
    }
    if (page == page::kNewMacro) {
        m_edit->MakeNameBox(kNameLength);
        m_edit->SetEditable(true);
        m_edit->SetText16(editfilter::Name(text, kNameLength));
        PlaceControl(m_edit, page, skinctl::kEdit);
        m_edit->show();
        m_edit->setFocus();
    } else if (page == page::kRepeatCount) {
        m_edit->MakeCountBox();
        m_edit->SetEditable(true);
        m_edit->SetText16(editfilter::CountText(value));
        PlaceControl(m_edit, page, skinctl::kEdit);
        m_edit->show();
        m_edit->setFocus();
        m_edit->selectAll();
    } else if (page == page::kFirmwareUpdate) {
        PlaceControl(m_progress, page, skinctl::kProgress);
        m_progress->SetPos(0);
        m_progress->show();
    } else if (page == page::kSingleKey) {
        SetUpSingleKeyList();
    } else if (page == page::kMacroKey) {
        SetUpMacroList();
        ShowRadios();
    }
}

void CSkinDlg::SetUpButtons() {
    const SSkinPage* info = FindSkinPage(page);
    m_ok->setEnabled(true);
    m_cancel->setEnabled(true);
    if (info == nullptr) {
        m_ok->hide();
        m_cancel->hide();
        return;
    }
    // The Start button's frames stand one above the other; every other strip lies side by side.
    m_ok->SetHorizontal(page != page::kFirmwareUpdate);
    m_ok->SetBitmap(info->okBitmap);
    PlaceControl(m_ok, page, skinctl::kOk);
    m_ok->show();
    if (info->cancelBitmap != 0) {
        m_cancel->SetHorizontal(true);
        m_cancel->SetBitmap(info->cancelBitmap);
        PlaceControl(m_cancel, page, skinctl::kCancel);
        m_cancel->show();
    } else {
        m_cancel->hide();
    }
}

void CSkinDlg::SetUpSingleKeyList() {
    m_filling = true;
    m_list->ResetContent();
    for (int position = 0; position < kSingleKeyRows; ++position) {
        m_list->AddString(
            ToQString(m_texts.Text(ETextTable::Function, CButtonCatalogue::ListPositionToIndex(position))));
    }
    const int position = value >= 1 && value <= 12 ? CButtonCatalogue::IndexToListPosition(value) : -1;
    const int shown = position >= 0 && position < kSingleKeyRows ? position : -1;
    m_list->setCurrentIndex(shown);
    m_filling = false;
    PlaceControl(m_list, page, skinctl::kList);
    PlaceControl(m_label, page, skinctl::kListLabel);
    m_label->SetBitmap(kChooserButton);
    text = shown >= 0 ? std::u16string(m_texts.Text(ETextTable::Function, value)) : std::u16string();
    ShowLabel(text);
    m_list->show();
    m_label->show();
}

void CSkinDlg::SetUpMacroList() {
    const SMacroPath split = SplitMacroPath(path);
    text = split.name;
    path = split.folder;
    if (m_files == nullptr) {
        if (!m_ownFiles) {
            m_ownFiles = std::make_unique<CPosixMacroFileSystem>();
        }
        m_files = m_ownFiles.get();
    }
    CSilentReporter reporter;
    // The library is read from its folder by name; the process's current folder stays as it is.
    CMacroLibrary library(*m_files, reporter, path);
    const std::vector<std::u16string> names = library.ListMacros(kMaxMacros);
    m_filling = true;
    m_list->ResetContent();
    for (const std::u16string& name : names) {
        m_list->AddString(ToQString(name));
    }
    const int chosen = FindExact(names, text);
    m_list->setCurrentIndex(chosen);
    m_filling = false;
    if (chosen < 0) {
        text.clear();
    }
    PlaceControl(m_list, page, skinctl::kList);
    PlaceControl(m_label, page, skinctl::kListLabel);
    m_label->SetBitmap(kChooserButton);
    ShowLabel(text);
    m_list->show();
    m_label->show();
}

void CSkinDlg::ShowRadios() {
    for (int i = 0; i < kRadioCount; ++i) {
        CHoverButtonEx* radio = m_radios[static_cast<std::size_t>(i)];
        radio->SetHorizontal(true);
        radio->SetBitmap(RadioBitmap(i, i == option));
        PlaceControl(radio, page, skinctl::kFirstRadio + i);
        radio->show();
        radio->update();
    }
}

void CSkinDlg::ShowLabel(const std::u16string& label) {
    m_label->SetLabel(ToQString(label));
    m_label->update();
}

void CSkinDlg::OnChosen(int position) {
    if (m_filling || position < 0) {
        return;
    }
    if (page == page::kSingleKey) {
        value = CButtonCatalogue::ListPositionToIndex(position);
        text = std::u16string(m_texts.Text(ETextTable::Function, value));
    } else if (page == page::kMacroKey) {
        const QString name = m_list->itemText(position);
        text = Cut(std::u16string(reinterpret_cast<const char16_t*>(name.utf16()),
                                  static_cast<std::size_t>(name.size())),
                   kTextCapacity);
    } else {
        return;
    }
    ShowLabel(text);
}

void CSkinDlg::OnRadio(int chosen) {
    if (page != page::kMacroKey || chosen < 0 || chosen >= kRadioCount) {
        return;
    }
    option = chosen;
    ShowRadios();
    if (chosen != 1) {
        return;
    }
    // "Multiple Loops" asks for the count on a page of its own, nested over this one.
    CSkinDlg nested(m_texts, m_fontText, m_fontList, this);
    nested.page = page::kRepeatCount;
    nested.value = value;
    m_nested = &nested;
    if (nested.DoModal() == kModalOk) {
        value = nested.value;
    }
    m_nested = nullptr;
}

void CSkinDlg::ClearHover() {
    m_ok->SetHovering(false);
    m_cancel->SetHovering(false);
    for (CHoverButtonEx* radio : m_radios) {
        radio->SetHovering(false);
    }
}

void CSkinDlg::OnOk() {
    ClearHover();
    if (page == page::kFirmwareUpdate) {
        // Start: the dialog stays open while the owner runs the update.
        if (!m_ok->isEnabled() || m_updateStarted) {
            return;
        }
        m_updateStarted = true;
        m_ok->SetBitmap(kStartedPicture);
        m_ok->setEnabled(false);
        m_cancel->setEnabled(false);
        if (onStartUpdate) {
            onStartUpdate();
        }
        return;
    }
    if (page == page::kRepeatCount) {
        value = editfilter::CountValue(m_edit->Text16());
    } else if (page == page::kNewMacro) {
        text = Cut(m_edit->Text16(), kTextCapacity);
    }
    done(kModalOk);
}

void CSkinDlg::OnCancel() {
    ClearHover();
    // An update that has started runs to its end: a mouse cut off mid-flash may not start again.
    if (m_updateStarted) {
        return;
    }
    done(kModalCancel);
}

void CSkinDlg::reject() {
    OnCancel();
}

void CSkinDlg::closeEvent(QCloseEvent* event) {
    if (m_updateStarted) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CSkinDlg::SetProgressRange(int min, int max) {
    m_progress->SetRange(min, max);
}

void CSkinDlg::SetProgress(int position) {
    m_progress->SetPos(position);
}

void CSkinDlg::UpdateFinished() {
    if (!m_updateStarted) {
        return;
    }
    m_updateStarted = false;
    m_cancel->setEnabled(true);
    if (isVisible()) {
        done(kModalOk);
    }
}

void CSkinDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_background.IsLoaded()) {
        m_background.Paint(painter);
    } else {
        QDialog::paintEvent(event);
    }
}

// The whole dialog is its own title bar: it drags from anywhere that is not a control.
void CSkinDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_drag.Begin(*this, *event);
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CSkinDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag.Follow(*this, *event)) {
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CSkinDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_drag.End();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace vorlix
