#pragma once

#include <string>

#include "shared/MessagePoster.h"

namespace vorlix {

// Posts messages over per-user Unix datagram sockets: each published window handle is the id of an
// endpoint socket in the user's private runtime folder. Sends never block; a post to a missing or full
// endpoint is dropped.
class CDatagramPoster final : public IMessagePoster {
public:
    // runtimeDir: the private folder the endpoints live in (CUserPaths::RuntimeDir()).
    explicit CDatagramPoster(std::string runtimeDir);
    ~CDatagramPoster() override;
    CDatagramPoster(const CDatagramPoster&) = delete;
    CDatagramPoster& operator=(const CDatagramPoster&) = delete;

    bool Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    bool IsWindow(WindowHandle target) override;

    // The socket path of an endpoint id.
    static std::string EndpointPath(const std::string& runtimeDir, WindowHandle id);

private:
    std::string m_runtimeDir;
    int m_socket = -1;
};

}  // namespace vorlix
