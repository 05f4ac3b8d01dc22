#include "ui/cfg/SkinLedDlg.h"

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
#include "ui/dialogs/core/ModalRun.h"
#include "ui/skin/BitmapSlider.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/PixelView.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {

namespace {

constexpr int kTipOk = 19;
constexpr int kTipCancel = 20;
constexpr int kTipApply = 21;
constexpr int kIcon = 800;
// Zone buttons: normal picture = kZoneNormal + (id - 1740), selected = kZoneSelected + (id - 1740).
constexpr int kZoneNormal = 1746;
constexpr int kZoneSelected = 1751;
constexpr QRect kBeforeSwatch{QPoint(355, 402), QPoint(491, 436)};
constexpr QRect kAfterSwatch{QPoint(492, 402), QPoint(627, 436)};

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToColour(const CLedDialogModel::Colour& colour) {
    return QColor(colour[0], colour[1], colour[2]);
}

}  // namespace

CSkinLedDlg::CSkinLedDlg(CIcQT47& device, IClock& clock, CRegStore& store, const CTextTables& texts,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_model(device, clock),
      m_store(store),
      m_texts(texts) {
    setObjectName(QStringLiteral("CSkinLedDlg"));
    setWindowIcon(QIcon(CSkinImages::Pixmap(kIcon)));
    setWindowTitle(ToQString(texts.Text(ETextTable::Ui, 13)));
    if (m_background.Load(kBackground, kDialogKey)) {
        m_background.ApplyTo(this);
        m_pixels = m_background.Pixels().convertToFormat(QImage::Format_RGB32);
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

CHoverButtonEx* CSkinLedDlg::AddButton(int id, int bitmap, int tooltip) {
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
    SetControlId(hue, kHueSlider);
    PlaceControl(hue, kBackground, kHueSlider);
    connect(hue, &CBitmapSlider::Notify, this, [this](int message, int, int position) {
        if (message == CBitmapSlider::kReleased) {
            m_model.MoveHue(position, BackgroundPixels());
            update();
        }
    });
    m_controls[kHueSlider] = hue;
}

QWidget* CSkinLedDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

// ---- Running ----

bool CSkinLedDlg::Prepare(int profile) {
    if (!m_model.Open(profile)) {
        return false;
    }
    m_closed = false;
    m_deviceGone = false;
    m_dragOffset.reset();
    static_cast<CBitmapSlider*>(m_controls[kHueSlider])->SetPos(0);
    RefreshControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    return true;
}

int CSkinLedDlg::Run(int profile, const std::string& runtimeDir) {
    if (m_running || !Prepare(profile)) {
        return kModalCancel;
    }
    m_running = true;
    if (!runtimeDir.empty()) {
        m_endpoint = std::make_unique<CPublishedEndpoint>(m_store, store::kLedEditHandle);
        if (m_endpoint->Publish(runtimeDir)) {
            RouteCommands(*m_endpoint, this);
            connect(m_endpoint.get(), &CPublishedEndpoint::Message, this, &CSkinLedDlg::OnMessage);
        }
    }
    SModalRequest request;
    request.kind = ModalKind::Question;
    request.page = kBackground;
    request.what = "LED colours of profile " + std::to_string(profile + 1);
    bool shown = false;
    const int result = ModalRunner().Run(request, [this, &shown] {
        shown = true;
        return exec() == QDialog::Accepted ? kModalOk : kModalCancel;
    });
    if (!shown) {
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

void CSkinLedDlg::CancelForLostDevice() {
    m_deviceGone = true;
    reject();
}

void CSkinLedDlg::OnMessage(quint32 message, quint32 wParam, quint32 lParam) {
    if (message == msg::kDeviceNotice && !m_closed) {
        m_model.OnNotice(wParam, lParam);
        RefreshControls();
        update();
    }
}

void CSkinLedDlg::Close() {
    m_closed = true;
    if (m_endpoint && m_endpoint->IsPublished()) {
        m_endpoint->Withdraw();
    } else {
        m_store.WriteDword(store::kLedEditHandle, static_cast<uint32_t>(-1));
    }
}

// ---- Buttons ----

void CSkinLedDlg::OnZone(int id) {
    if (m_model.SelectZone(id)) {
        RefreshControls();
        update();
    }
}

void CSkinLedDlg::OnOk() {
    if (m_closed) {
        return;
    }
    m_model.Ok();
    Close();
    accept();
}

void CSkinLedDlg::reject() {
    if (!m_closed) {
        m_model.Cancel(m_deviceGone);
        Close();
    }
    QDialog::reject();
}

void CSkinLedDlg::OnApply() {
    if (!m_model.ApplyEnabled()) {
        return;
    }
    m_model.Apply();
    RefreshControls();
    update();
}

void CSkinLedDlg::RefreshControls() {
    for (int id = CLedDialogModel::kFirstZone; id <= CLedDialogModel::kLastZone; ++id) {
        const int index = id - CLedDialogModel::kFirstZone;
        static_cast<CHoverButtonEx*>(m_controls[id])
            ->SetBitmap(m_model.ZoneShownSelected(id) ? kZoneSelected + index : kZoneNormal + index);
    }
    m_controls[kApply]->setEnabled(m_model.ApplyEnabled());
}

// ---- Drawing, picking and dragging ----

void CSkinLedDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_background.Paint(painter);
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
        RefreshControls();
        update();
    } else if (event->button() == Qt::LeftButton &&
               !QRect(QPoint(CLedDialogModel::kSquareX, CLedDialogModel::kSquareY),
                      QPoint(CLedDialogModel::kPickRight, CLedDialogModel::kPickBottom))
                    .contains(at)) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void CSkinLedDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
}

void CSkinLedDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace vorlix
