#include "ui/cfg/SkinCfgDlg.h"

#include "shared/StoreNames.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/skin/BitmapSliderEx2.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

// Tool tips: indexes in the UI text table.
constexpr int kTipCancel = 20;
constexpr int kTipApply = 21;
constexpr int kTipReset = 22;
constexpr int kTipOkExit = 23;
constexpr int kTipOneScreen = 24;
constexpr int kTitle = 12;

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

}  // namespace

CSkinCfgDlg::CSkinCfgDlg(CIcQT47& device, IClock& clock, IPointerSettings& pointer, CRegStore& store,
                         IMessagePoster& poster, IDeviceDialogHost& host, const CTextTables& texts,
                         const QFont& dpiFont, QWidget* parent)
    : CDeviceChildDlg(store, texts, kBackground, kTitle, store::kConfigureHandle, parent),
      m_model(device, clock, pointer, store, poster, host),
      m_dpiFont(dpiFont) {
    setObjectName(QStringLiteral("CSkinCfgDlg"));
    BuildControls();
}

CSkinCfgDlg::~CSkinCfgDlg() = default;

CBitmapSlider* CSkinCfgDlg::AddSlider(CBitmapSlider* slider, int channel, int thumb, int activeThumb, int min,
                                      int max) {
    slider->SetBitmapChannel(channel);
    slider->SetBitmapThumb(thumb, activeThumb);
    slider->SetRange(min, max);
    AddControl(slider->ControlId(), slider);
    connect(slider, &CBitmapSlider::Notify, this, &CSkinCfgDlg::OnSlider);
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
        static_cast<CBitmapSlider*>(Control(kDpiSlider))->SetPos(m_model.View().dpiSliderPosition);
        m_showing = false;
        return kept;
    });
    AddControl(kDpiBox, m_dpiBox);
}

// ---- Running ----

std::string CSkinCfgDlg::RequestText(int profile) const {
    return "advanced settings of profile " + std::to_string(profile + 1);
}

void CSkinCfgDlg::ResetControls() {
    static_cast<CBitmapSlider*>(Control(kDpiSlider))->SetRange(1, m_model.Scale().highestUnits);
    SetControlsEnabled(true);
}

// ---- Buttons and sliders ----

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
    if (message != CBitmapSlider::kReleased || IsClosed()) {
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

void CSkinCfgDlg::RefreshView() {
    const CCfgDialogModel::SView& view = m_model.View();
    m_showing = true;
    const auto place = [this](int id, int position) {
        auto* slider = static_cast<CBitmapSlider*>(Control(id));
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
        static_cast<CHoverButtonEx*>(Control(polling.id))
            ->SetBitmap(polling.hz == view.pollingHz ? polling.chosen : polling.normal);
    }
    m_showing = false;
}

}  // namespace vorlix
