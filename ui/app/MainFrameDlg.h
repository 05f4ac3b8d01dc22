#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "platform/DatagramPoster.h"
#include "platform/InstanceLock.h"
#include "platform/UserStore.h"
#include "platform/qt/QtMessageReceiver.h"

namespace vorlix {

// The configuration program's main window. For now it shows a plain placeholder face; it already owns
// the program's single-instance lock, the store accessor and the message endpoint, and keeps the
// start, hidden start and teardown rules.
class CMainFrameDlg : public QWidget {
    Q_OBJECT
public:
    CMainFrameDlg(const std::string& runtimeDir, bool automation);
    ~CMainFrameDlg() override;

    // True when another instance held the lock at construction.
    bool IsAnotherInstance() const { return m_anotherInstance; }
    bool IsLockUsable() const { return m_lockResult != CInstanceLock::Result::Error; }
    const std::string& LockError() const { return m_lockError; }
    CRegStore& Store() { return m_store.Store(); }
    IMessagePoster& Poster() { return m_poster; }

    // Publishes the window and starts it, hidden or shown. False when the message endpoint cannot be
    // made (error says why).
    bool Initialise(std::string* error);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnMessage(quint32 message, quint32 wParam, quint32 lParam);
    void OnShowCommand();
    void OpenDeviceSession();

    std::string m_runtimeDir;
    CUserStore m_store;
    CDatagramPoster m_poster;
    CQtMessageReceiver m_receiver;
    CInstanceLock m_lock;
    CInstanceLock::Result m_lockResult = CInstanceLock::Result::Error;
    std::string m_lockError;
    bool m_anotherInstance = false;
    bool m_hiddenStart = false;
    bool m_automation = false;
    bool m_initialised = false;
    std::string m_documentsFolder;
};

}  // namespace vorlix
