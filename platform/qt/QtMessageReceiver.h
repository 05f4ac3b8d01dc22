#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "platform/DatagramEndpoint.h"

namespace vorlix {

// Delivers posted messages on the Qt event loop: the endpoint's socket is watched by a socket notifier,
// and each well-formed message from this user is emitted as a signal.
class CQtMessageReceiver : public QObject {
    Q_OBJECT
public:
    explicit CQtMessageReceiver(QObject* parent = nullptr);
    ~CQtMessageReceiver() override;

    bool Create(const std::string& runtimeDir, std::string* error = nullptr);
    WindowHandle Id() const { return m_endpoint.Id(); }

signals:
    void MessageReceived(quint32 message, quint32 wParam, quint32 lParam);

private:
    void Drain();

    CDatagramEndpoint m_endpoint;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace vorlix
