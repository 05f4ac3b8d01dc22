#include "ui/cfg/SkinLedDlg.h"

#include <QMouseEvent>
#include <QPainter>

#include "shared/StoreNames.h"
#include "ui/skin/BitmapSlider.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/core/PixelView.h"

namespace vorlix {

namespace {

constexpr int kTipOk = 19;
constexpr int kTipCancel = 20;
constexpr int kTipApply = 21;
constexpr int kTitle = 13;
// Zone buttons: normal picture = kZoneNormal + (id - 1740), selected = kZoneSelected + (id - 1740).
constexpr int kZoneNormal = 1746;
constexpr int kZoneSelected = 1751;
constexpr QRect kBeforeSwatch{QPoint(355, 402), QPoint(491, 436)};
constexpr QRect kAfterSwatch{QPoint(492, 402), QPoint(627, 436)};

QColor ToColour(const CLedDialogModel::Colour& colour) {
    return QColor(colour[0], colour[1], colour[2]);
}

}  // namespace

CSkinLedDlg::CSkinLedDlg(CIcQT47& device, IClock& clock, CRegStore& store, const CTextTables& texts,
                         QWidget* parent)
    : CDeviceChildDlg(store, texts, kBackground, kTitle, store::kLedEditHandle, parent),
      m_model(device, clock) {
    setObjectName(QStringLiteral("CSkinLedDlg"));
    if (Background().IsLoaded()) {
        m_pixels = Background().Pixels().convertToFormat(QImage::Format_RGB32);
    }
    BuildControls();
}

CSkinLedDlg::~CSkinLedDlg() = default;

SPixelView CSkinLedDlg::BackgroundPixels() const {
    if (m_pixels.isNull()) {
        return {};
    }
    return {reinterpret_cast<const std::uint32_t*>(m_pixels.constBits()), m_pixels.width(), m_pixels.height(),
            static_cast<int>(m_pixels.bytesPerLine() / 4)};
}

void CSkinLedDlg::BuildControls() {
    connect(AddButton(kOk, 338, kTipOk), &QAbstractButton::clicked, this, &CSkinLedDlg::OnOk);
    connect(AddButton(kCancel, 337, kTipCancel), &QAbstractButton::clicked, this, &CSkinLedDlg::reject);
    connect(AddButton(kApply, 336, kTipApply), &QAbstractButton::clicked, this, &CSkinLedDlg::OnApply);
    for (int id = CLedDialogModel::kFirstZone; id <= CLedDialogModel::kLastZone; ++id) {
        connect(AddButton(id, kZoneNormal + id - CLedDialogModel::kFirstZone, -1), &QAbstractButton::clicked,
                this, [this, id] { OnZone(id); });
    }
    auto* hue = new CBitmapSlider(this, kHueSlider);
    hue->SetVertical(true);
    hue->SetBitmapChannel(1756);
    hue->SetBitmapThumb(1757);
    hue->SetRange(0, CLedDialogModel::kHueMax);
    AddControl(kHueSlider, hue);
    connect(hue, &CBitmapSlider::Notify, this, [this](int message, int, int position) {
        if (message == CBitmapSlider::kReleased) {
            m_model.MoveHue(position, BackgroundPixels());
            update();
        }
    });
}

// ---- Running ----

std::string CSkinLedDlg::RequestText(int profile) const {
    return "LED colours of profile " + std::to_string(profile + 1);
}

void CSkinLedDlg::ResetControls() {
    static_cast<CBitmapSlider*>(Control(kHueSlider))->SetPos(0);
}

// ---- Buttons ----

void CSkinLedDlg::OnZone(int id) {
    if (m_model.SelectZone(id)) {
        RefreshView();
    }
}

void CSkinLedDlg::OnApply() {
    if (!m_model.ApplyEnabled()) {
        return;
    }
    m_model.Apply();
    RefreshView();
}

void CSkinLedDlg::RefreshView() {
    for (int id = CLedDialogModel::kFirstZone; id <= CLedDialogModel::kLastZone; ++id) {
        const int index = id - CLedDialogModel::kFirstZone;
        static_cast<CHoverButtonEx*>(Control(id))
            ->SetBitmap(m_model.ZoneShownSelected(id) ? kZoneSelected + index : kZoneNormal + index);
    }
    Control(kApply)->setEnabled(m_model.ApplyEnabled());
    update();
}

// ---- Drawing, picking and dragging ----

void CSkinLedDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Background().Paint(painter);
    // The square is drawn afresh on every paint, from the hue the model holds.
    QImage picture(CColourSquare::kSize, CColourSquare::kSize, QImage::Format_RGB32);
    for (int row = 0; row < CColourSquare::kSize; ++row) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        for (int column = 0; column < CColourSquare::kSize; ++column) {
            line[column] = 0xFF000000u | m_model.Square().Pixel(column, row);
        }
    }
    painter.drawImage(CLedDialogModel::kSquareX, CLedDialogModel::kSquareY, picture);
    if (m_model.Record() != CLedDialogModel::kNoZone) {
        painter.fillRect(kBeforeSwatch, ToColour(m_model.Before()));
        painter.fillRect(kAfterSwatch, ToColour(m_model.After()));
    }
    const CLedDialogModel::SPoint marker = m_model.Marker();
    painter.setPen(QPen(kMarkerPen, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(marker.x, marker.y), CLedDialogModel::kMarkerRadius,
                        CLedDialogModel::kMarkerRadius);
}

void CSkinLedDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool plain = event->button() == Qt::LeftButton &&
                       !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (m_model.Pick(at.x(), at.y(), plain, BackgroundPixels())) {
        RefreshView();
    } else if (event->button() == Qt::LeftButton &&
               !QRect(QPoint(CLedDialogModel::kSquareX, CLedDialogModel::kSquareY),
                      QPoint(CLedDialogModel::kPickRight, CLedDialogModel::kPickBottom))
                    .contains(at)) {
        StartDrag(event);
    }
    QDialog::mousePressEvent(event);
}

}  // namespace vorlix
