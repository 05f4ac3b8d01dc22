#include "MainFrameDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "Trace.h"
#include "platform/UserPaths.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"

namespace vorlix {

namespace {
constexpr const char* kInstanceLockName = "Qz vIVEDUD VORLIX DAZE";
}

CMainFrameDlg::CMainFrameDlg(const std::string& runtimeDir, bool automation)
    : m_runtimeDir(runtimeDir), m_poster(runtimeDir), m_automation(automation) {
    m_lockResult = m_lock.Acquire(runtimeDir, kInstanceLockName, &m_lockError);
    m_anotherInstance = m_lockResult == CInstanceLock::Result::HeldElsewhere;
    m_hiddenStart = automation;

    setWindowTitle("Vorlix Daze");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        "Vorlix Daze\n\nThe configuration window is being built.\nThis placeholder keeps the program's "
        "start, single instance and hand-over working.",
        this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    resize(480, 240);
    connect(&m_receiver, &CQtMessageReceiver::MessageReceived, this, &CMainFrameDlg::OnMessage);
}

CMainFrameDlg::~CMainFrameDlg() {
    // The handles are withdrawn while the lock is still held, so a new start can never publish its
    // handle only to have this process delete it.
    if (m_initialised) {
        m_store.Store().DeleteValue(store::kProcessHandle);
        m_store.Store().DeleteValue(store::kCurrentDialog);
        Trace("handles withdrawn");
    }
    m_lock.Release();
    m_store.Store().Close();
}

bool CMainFrameDlg::Initialise(std::string* error) {
    if (!m_receiver.Create(m_runtimeDir, error)) {
        return false;
    }
    CRegStore& store = m_store.Store();
    store.WriteDword(store::kProcessHandle, m_receiver.Id());
    store.WriteDword(store::kCurrentDialog, 0);
    m_initialised = true;
    Trace("published");

    // The macro library lives in the documents folder; a failure here is not fatal.
    m_documentsFolder = CUserPaths::DocumentsDir() + "/VORLIX DAZE";
    std::error_code ignored;
    std::filesystem::create_directories(m_documentsFolder, ignored);

    if (m_hiddenStart) {
        Trace("hidden");
        return true;
    }
    show();
    OpenDeviceSession();
    return true;
}

void CMainFrameDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_hiddenStart) {
        // While the hidden start lasts, the window never stays visible.
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void CMainFrameDlg::OnMessage(quint32 message, quint32 wParam, quint32 lParam) {
    (void)lParam;
    if (message == msg::kCommand && wParam == msg::kShowCommandId) {
        OnShowCommand();
    } else if (message == msg::kClose) {
        Trace("close request");
        close();
    }
}

void CMainFrameDlg::OnShowCommand() {
    Trace("show command");
    if (m_hiddenStart) {
        m_hiddenStart = false;
        OpenDeviceSession();
    }
    showNormal();
    raise();
    activateWindow();
}

void CMainFrameDlg::OpenDeviceSession() {
    // The device session joins here; until then the step is only traced.
    Trace(m_automation ? "device session opened (automation)" : "device session opened");
}

void CMainFrameDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    Trace("closing");
}

}  // namespace vorlix
