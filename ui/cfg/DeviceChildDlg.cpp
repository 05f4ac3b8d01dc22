#include "ui/cfg/DeviceChildDlg.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "lang/TextTables.h"
#include "platform/qt/PublishedEndpoint.h"
#include "platform/qt/QtText.h"
#include "shared/Messages.h"
#include "shared/RegStore.h"
#include "ui/cfg/core/DeviceDialogModel.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/skin/HoverButtonEx.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/PixelView.h"

namespace vorlix {

namespace {

constexpr int kIcon = 800;

}  // namespace

CDeviceChildDlg::CDeviceChildDlg(CRegStore& store, const CTextTables& texts, int background, int title,
                                 std::string handleName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_store(store),
      m_texts(texts),
      m_backgroundId(background),
      m_handleName(std::move(handleName)) {
    setWindowIcon(QIcon(CSkinImages::Pixmap(kIcon)));
    setWindowTitle(ToQString(texts.Text(ETextTable::Ui, title)));
    if (m_background.Load(background, kDialogKey)) {
        m_background.ApplyTo(this);
    }
}

CDeviceChildDlg::~CDeviceChildDlg() = default;

// ---- Controls ----

void CDeviceChildDlg::AddControl(int id, QWidget* control) {
    SetControlId(control, id);
    PlaceControl(control, m_backgroundId, id);
    m_controls[id] = control;
}

CHoverButtonEx* CDeviceChildDlg::AddButton(int id, int bitmap, int tooltip) {
    auto* button = new CHoverButtonEx(this);
    button->SetHorizontal(true);
    button->SetBitmap(bitmap);
    if (tooltip >= 0) {
        button->SetTooltipText(ToQString(m_texts.Text(ETextTable::Ui, tooltip)));
    }
    AddControl(id, button);
    return button;
}

QWidget* CDeviceChildDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

void CDeviceChildDlg::SetControlsEnabled(bool enabled) {
    for (auto& [id, control] : m_controls) {
        control->setEnabled(enabled);
    }
}

// ---- Running ----

bool CDeviceChildDlg::Prepare(int profile) {
    if (!DialogModel().Open(profile)) {
        return false;
    }
    m_closed = false;
    m_deviceGone = false;
    m_drag.End();
    ResetControls();
    RefreshView();
    CentreOnScreen(*this);
    return true;
}

int CDeviceChildDlg::Run(int profile, const std::string& runtimeDir) {
    if (m_running || !Prepare(profile)) {
        return kModalCancel;
    }
    m_running = true;
    if (!runtimeDir.empty()) {
        m_endpoint = std::make_unique<CPublishedEndpoint>(m_store, m_handleName);
        if (m_endpoint->Publish(runtimeDir)) {
            RouteCommands(*m_endpoint, this);
            connect(m_endpoint.get(), &CPublishedEndpoint::Message, this, &CDeviceChildDlg::OnMessage);
        }
    }
    SModalRequest request;
    request.kind = ModalKind::Question;
    request.page = m_backgroundId;
    request.what = RequestText(profile);
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

void CDeviceChildDlg::CancelForLostDevice() {
    m_deviceGone = true;
    reject();
}

void CDeviceChildDlg::OnMessage(quint32 message, quint32 wParam, quint32 lParam) {
    if (message == msg::kDeviceNotice && !m_closed) {
        DialogModel().OnNotice(wParam, lParam);
        RefreshView();
    }
}

void CDeviceChildDlg::OnOk() {
    if (m_closed) {
        return;
    }
    DialogModel().Ok();
    Close();
    accept();
}

void CDeviceChildDlg::reject() {
    if (!m_closed) {
        DialogModel().Cancel(m_deviceGone);
        Close();
    }
    QDialog::reject();
}

void CDeviceChildDlg::Close() {
    m_closed = true;
    if (m_endpoint && m_endpoint->IsPublished()) {
        m_endpoint->Withdraw();
    } else {
        m_store.WriteDword(m_handleName, static_cast<uint32_t>(-1));
    }
}

// ---- Drawing and dragging ----

void CDeviceChildDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_background.Paint(painter);
}

void CDeviceChildDlg::StartDrag(const QMouseEvent* event) {
    m_drag.Begin(*this, *event);
}

void CDeviceChildDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        StartDrag(event);
    }
    QDialog::mousePressEvent(event);
}

void CDeviceChildDlg::mouseMoveEvent(QMouseEvent* event) {
    m_drag.Follow(*this, *event);
    QDialog::mouseMoveEvent(event);
}

void CDeviceChildDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_drag.End();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace vorlix
