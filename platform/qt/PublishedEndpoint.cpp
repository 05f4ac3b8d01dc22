#include "platform/qt/PublishedEndpoint.h"

#include "shared/RegStore.h"

namespace vorlix {

namespace {
constexpr uint32_t kWithdrawn = 0xFFFFFFFFu;  // -1 as a DWORD
}

CPublishedEndpoint::CPublishedEndpoint(CRegStore& store, std::string storeName, QObject* parent)
    : QObject(parent), m_store(store), m_storeName(std::move(storeName)) {
    connect(&m_receiver, &CQtMessageReceiver::MessageReceived, this, &CPublishedEndpoint::OnMessage);
}

CPublishedEndpoint::~CPublishedEndpoint() {
    Withdraw();
}

bool CPublishedEndpoint::Publish(const std::string& runtimeDir, std::string* error) {
    Withdraw();
    if (!m_receiver.Create(runtimeDir, error)) {
        return false;
    }
    if (!m_store.WriteDword(m_storeName, m_receiver.Id())) {
        if (error != nullptr) {
            *error = "cannot write \"" + m_storeName + "\" in the store: " + m_store.LastErrorText();
        }
        return false;
    }
    m_published = true;
    return true;
}

void CPublishedEndpoint::Withdraw() {
    if (!m_published) {
        return;
    }
    m_published = false;
    // The name has one writer at a time: a window that took it over since keeps it.
    if (static_cast<uint32_t>(m_store.ReadDword(m_storeName)) == m_receiver.Id()) {
        m_store.WriteDword(m_storeName, kWithdrawn);
    }
}

void CPublishedEndpoint::OnMessage(quint32 message, quint32 wParam, quint32 lParam) {
    if (message == msg::kCommand) {
        emit Command(static_cast<int>(wParam & 0xFFFFu));
    } else {
        emit Message(message, wParam, lParam);
    }
}

}  // namespace vorlix
