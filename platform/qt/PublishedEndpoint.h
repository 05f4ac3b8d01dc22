#pragma once

#include <QObject>
#include <string>

#include "platform/qt/QtMessageReceiver.h"

namespace vorlix {

class CRegStore;

// A window's or dialog's message endpoint, published in the store under a name ("Configure Handle",
// "LED Edit Handle", "Macro Edit Handle", ...) while the window is open. Posted messages arrive on the
// GUI thread: a WM_COMMAND as Command(id), everything else as Message(...). Withdraw (and the
// destructor) writes -1 under the name, so that senders see the window is gone.
class CPublishedEndpoint : public QObject {
    Q_OBJECT
public:
    CPublishedEndpoint(CRegStore& store, std::string storeName, QObject* parent = nullptr);
    ~CPublishedEndpoint() override;

    // Creates the endpoint in the runtime folder and publishes its id. False (error says why) when the
    // endpoint cannot be made; nothing is published then.
    bool Publish(const std::string& runtimeDir, std::string* error = nullptr);
    // Writes -1 under the name, unless another window has published itself there since.
    void Withdraw();

    bool IsPublished() const { return m_published; }
    WindowHandle Id() const { return m_receiver.Id(); }
    const std::string& StoreName() const { return m_storeName; }

signals:
    void Command(int id);
    void Message(quint32 message, quint32 wParam, quint32 lParam);

private:
    void OnMessage(quint32 message, quint32 wParam, quint32 lParam);

    CRegStore& m_store;
    std::string m_storeName;
    CQtMessageReceiver m_receiver;
    bool m_published = false;
};

}  // namespace vorlix
