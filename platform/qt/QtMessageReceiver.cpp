#include "QtMessageReceiver.h"

namespace vorlix {

CQtMessageReceiver::CQtMessageReceiver(QObject* parent) : QObject(parent) {}

CQtMessageReceiver::~CQtMessageReceiver() = default;

bool CQtMessageReceiver::Create(const std::string& runtimeDir, std::string* error) {
    m_notifier.reset();
    if (!m_endpoint.Create(runtimeDir, error)) {
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_endpoint.Fd(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &CQtMessageReceiver::Drain);
    return true;
}

void CQtMessageReceiver::Drain() {
    while (auto message = m_endpoint.Receive()) {
        emit MessageReceived(message->message, message->wParam, message->lParam);
    }
}

}  // namespace vorlix
