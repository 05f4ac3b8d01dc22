#include "ui/cfg/SkinCfgDlg.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "lang/TextTables.h"
#include "platform/qt/PublishedEndpoint.h"
#include "shared/Messages.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/skin/BitmapSliderEx2.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/PixelView.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

// Tool tips: indexes in the UI text table.
constexpr int kTipCancel = 20;
constexpr int kTipApply = 21;
constexpr int kTipReset = 22;
constexpr int kTipOkExit = 23;
constexpr int kTipOneScreen = 24;
constexpr int kIcon = 800;

struct SPollingButton {
    int id;
    int hz;
    int normal;
    int chosen;
};
constexpr SPollingButton kPolling[] = {
    {1205, 125, 173, 175},
    {1206, 250, 234, 235},
    {1207, 500, 174, 176},
    {1208, 1000, 346, 347},
};

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CSkinCfgDlg::CSkinCfgDlg(CIcQT47& device, IClock& clock, IPointerSettings& pointer, CRegStore& store,
                         IMessagePoster& poster, IDeviceDialogHost& host, const CTextTables& texts,
                         const QFont& dpiFont, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_model(device, clock, pointer, store, poster, host),
      m_store(store),
      m_texts(texts),
      m_dpiFont(dpiFont) {
    setObjectName(QStringLiteral("CSkinCfgDlg"));
    setWindowIcon(QIcon(CSkinImages::Pixmap(kIcon)));
    setWindowTitle(ToQString(texts.Text(ETextTable::Ui, 12)));
    if (m_background.Load(kBackground, kDialogKey)) {
        m_background.ApplyTo(this);
    }
    BuildControls();
}

CSkinCfgDlg::~CSkinCfgDlg() = default;

CHoverButtonEx* CSkinCfgDlg::AddButton(int id, int bitmap, int tooltip) {
    auto* button = new CHoverButtonEx(this);
    button->SetHorizontal(true);
    button->SetBitmap(bitmap);
    if (tooltip >= 0) {
        button->SetTooltipText(ToQString(m_texts.Text(ETextTable::Ui, tooltip)));
    }
    SetControlId(button, id);
    PlaceControl(button, kBackground, id);
    m_controls[id] = button;
    return button;
}

CBitmapSlider* CSkinCfgDlg::AddSlider(CBitmapSlider* slider, int channel, int thumb, int activeThumb, int min,
                                      int max) {
    slider->SetBitmapChannel(channel);
    slider->SetBitmapThumb(thumb, activeThumb);
    slider->SetRange(min, max);
    SetControlId(slider, slider->ControlId());
    PlaceControl(slider, kBackground, slider->ControlId());
    connect(slider, &CBitmapSlider::Notify, this, &CSkinCfgDlg::OnSlider);
    m_controls[slider->ControlId()] = slider;
    return slider;
}

void CSkinCfgDlg::BuildControls() {
    connect(AddButton(kOk, 342, kTipOkExit), &QAbstractButton::clicked, this, &CSkinCfgDlg::OnOk);
    connect(AddButton(kCancel, 340, kTipCancel), &QAbstractButton::clicked, this, &CSkinCfgDlg::reject);
    connect(AddButton(kApply, 339, kTipApply), &QAbstractButton::clicked, this, &CSkinCfgDlg::OnApply);
    connect(AddButton(kReset, 344, kTipReset), &QAbstractButton::clicked, this, &CSkinCfgDlg::OnReset);
    for (const SPollingButton& polling : kPolling) {
        const int hz = polling.hz;
        connect(AddButton(polling.id, polling.normal, -1), &QAbstractButton::clicked, this, [this, hz] {
            m_model.ChoosePolling(hz);
            RefreshView();
        });
    }
    // Labelled "One screen at a time" and never shown: it has no action.
    AddButton(kOneScreen, 349, kTipOneScreen)->hide();

    auto* dpi = new CBitmapSliderEx(this, kDpiSlider);
    dpi->SetVertical(true);
    dpi->SetBitmapChannelStart(467);
    AddSlider(dpi, 468, kDpiThumb, 0, 1, m_model.Scale().highestUnits);
    AddSlider(new CBitmapSlider(this, kLevelSlider), 186, 180, 181, 1, 4);
    for (const int id : {kDoubleClickSlider, kCursorSlider, kScrollSlider}) {
        AddSlider(new CBitmapSlider(this, id), 177, 178, 179, CCfgDialogModel::kSliderMin,
                  CCfgDialogModel::kSliderMax);
    }
    AddSlider(new CBitmapSliderEx2(this, kLiftOffSlider), 237, 236, 0, 0, CCfgDialogModel::kLiftOffMax);

    m_dpiBox = new CSkinEdit(this);
    m_dpiBox->setFont(m_dpiFont);
    m_dpiBox->setAlignment(Qt::AlignCenter);
    m_dpiBox->setMaxLength(8);
    m_dpiBox->SetFilter([this](std::u16string_view text) {
        // Texts the dialog shows itself are already on the scale; only the user's edits reach the model.
        if (m_showing) {
            return std::u16string(text);
        }
        std::u16string kept = m_model.EditDpi(text);
        m_showing = true;
        static_cast<CBitmapSlider*>(m_controls[kDpiSlider])->SetPos(m_model.View().dpiSliderPosition);
        m_showing = false;
        return kept;
    });
    SetControlId(m_dpiBox, kDpiBox);
    PlaceControl(m_dpiBox, kBackground, kDpiBox);
    m_controls[kDpiBox] = m_dpiBox;
}

QWidget* CSkinCfgDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

// ---- Running ----

bool CSkinCfgDlg::Prepare(int profile) {
    if (!m_model.Open(profile)) {
        return false;
    }
    m_closed = false;
    m_deviceGone = false;
    m_dragOffset.reset();
    static_cast<CBitmapSlider*>(m_controls[kDpiSlider])->SetRange(1, m_model.Scale().highestUnits);
    SetControlsEnabled(true);
    RefreshView();
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    return true;
}

int CSkinCfgDlg::Run(int profile, const std::string& runtimeDir) {
    if (m_running || !Prepare(profile)) {
        return kModalCancel;
    }
    m_running = true;
    if (!runtimeDir.empty()) {
        m_endpoint = std::make_unique<CPublishedEndpoint>(m_store, store::kConfigureHandle);
        if (m_endpoint->Publish(runtimeDir)) {
            RouteCommands(*m_endpoint, this);
            connect(m_endpoint.get(), &CPublishedEndpoint::Message, this, &CSkinCfgDlg::OnMessage);
        }
    }
    SModalRequest request;
    request.kind = ModalKind::Question;
    request.page = kBackground;
    request.what = "advanced settings of profile " + std::to_string(profile + 1);
    bool shown = false;
    const int result = ModalRunner().Run(request, [this, &shown] {
        shown = true;
        return exec() == QDialog::Accepted ? kModalOk : kModalCancel;
    });
    if (!shown) {
        // Answered without showing: the answer acts as that button would have.
        ClickControl(this, result);
        hide();
    }
    if (!m_closed) {
        reject();
    }
    m_endpoint.reset();
    m_running = false;
    return result == kModalOk ? kModalOk : kModalCancel;
}

void CSkinCfgDlg::CancelForLostDevice() {
    m_deviceGone = true;
    reject();
}

void CSkinCfgDlg::OnMessage(quint32 message, quint32 wParam, quint32 lParam) {
    if (message == msg::kDeviceNotice && !m_closed) {
        m_model.OnNotice(wParam, lParam);
        RefreshView();
    }
}

void CSkinCfgDlg::Close() {
    m_closed = true;
    if (m_endpoint && m_endpoint->IsPublished()) {
        m_endpoint->Withdraw();
    } else {
        m_store.WriteDword(store::kConfigureHandle, static_cast<uint32_t>(-1));
    }
}

// ---- Buttons and sliders ----

void CSkinCfgDlg::OnOk() {
    if (m_closed) {
        return;
    }
    m_model.Ok();
    Close();
    accept();
}

void CSkinCfgDlg::reject() {
    if (!m_closed) {
        m_model.Cancel(m_deviceGone);
        Close();
    }
    QDialog::reject();
}

void CSkinCfgDlg::OnApply() {
    m_model.Apply();
    RefreshView();
}

void CSkinCfgDlg::OnReset() {
    SetControlsEnabled(false);
    m_model.ResetToDefault();
    RefreshView();
    SetControlsEnabled(true);
}

void CSkinCfgDlg::OnSlider(int message, int id, int position) {
    // A drag sends nothing to the mouse or the desktop until it ends.
    if (message != CBitmapSlider::kReleased || m_closed) {
        return;
    }
    switch (id) {
        case kDpiSlider:
            m_model.MoveDpiSlider(position);
            break;
        case kLevelSlider:
            m_model.ChooseLevel(position);
            break;
        case kDoubleClickSlider:
            m_model.MoveDoubleClick(position);
            break;
        case kCursorSlider:
            m_model.MoveCursor(position);
            break;
        case kScrollSlider:
            m_model.MoveScroll(position);
            break;
        case kLiftOffSlider:
            m_model.MoveLiftOff(position);
            break;
        default:
            return;
    }
    RefreshView();
}

void CSkinCfgDlg::SetControlsEnabled(bool enabled) {
    for (auto& [id, control] : m_controls) {
        control->setEnabled(enabled);
    }
}

void CSkinCfgDlg::RefreshView() {
    const CCfgDialogModel::SView& view = m_model.View();
    m_showing = true;
    const auto place = [this](int id, int position) {
        auto* slider = static_cast<CBitmapSlider*>(m_controls[id]);
        if (!slider->IsDragging()) {
            slider->SetPos(position);
        }
    };
    place(kDpiSlider, view.dpiSliderPosition);
    place(kLevelSlider, view.levelPosition);
    place(kDoubleClickSlider, view.doubleClickPosition);
    place(kCursorSlider, view.cursorPosition);
    place(kScrollSlider, view.scrollPosition);
    place(kLiftOffSlider, view.liftOffPosition);
    if (m_dpiBox->Text16() != view.dpiText) {
        m_dpiBox->SetText16(view.dpiText);
    }
    for (const SPollingButton& polling : kPolling) {
        static_cast<CHoverButtonEx*>(m_controls[polling.id])
            ->SetBitmap(polling.hz == view.pollingHz ? polling.chosen : polling.normal);
    }
    m_showing = false;
}

// ---- Drawing and dragging ----

void CSkinCfgDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_background.Paint(painter);
}

void CSkinCfgDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void CSkinCfgDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
}

void CSkinCfgDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace vorlix
