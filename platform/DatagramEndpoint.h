#pragma once

#include <optional>
#include <string>

#include "shared/Messages.h"

namespace vorlix {

// The receiving end of posted messages: a datagram socket bound under a fresh random id in the user's
// runtime folder. The id is what the owner publishes in the store as its window handle. Datagrams from
// other users and malformed ones are dropped unread.
class CDatagramEndpoint {
public:
    CDatagramEndpoint() = default;
    ~CDatagramEndpoint();
    CDatagramEndpoint(const CDatagramEndpoint&) = delete;
    CDatagramEndpoint& operator=(const CDatagramEndpoint&) = delete;

    // Binds a new endpoint. False with an explanation in error on failure.
    bool Create(const std::string& runtimeDir, std::string* error = nullptr);
    void Destroy();

    WindowHandle Id() const { return m_id; }
    int Fd() const { return m_socket; }
    bool IsValid() const { return m_socket >= 0; }

    // The next well-formed message from this user, if one is waiting. Never blocks.
    std::optional<PostedMessage> Receive();

private:
    int m_socket = -1;
    WindowHandle m_id = 0;
    std::string m_path;
};

}  // namespace vorlix
