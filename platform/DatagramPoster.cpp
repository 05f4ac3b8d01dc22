#include "DatagramPoster.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "DatagramWire.h"

namespace vorlix {

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool IsNoWindow(WindowHandle target) {
    return target == 0 || target == 0xFFFFFFFFu;
}

}  // namespace

CDatagramPoster::CDatagramPoster(std::string runtimeDir) : m_runtimeDir(std::move(runtimeDir)) {
    m_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

CDatagramPoster::~CDatagramPoster() {
    if (m_socket >= 0) {
        close(m_socket);
    }
}

std::string CDatagramPoster::EndpointPath(const std::string& runtimeDir, WindowHandle id) {
    char name[32];
    std::snprintf(name, sizeof(name), "/ep-%08x", id);
    return runtimeDir + name;
}

bool CDatagramPoster::Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) {
    if (m_socket < 0 || IsNoWindow(target) || m_runtimeDir.empty()) {
        return false;
    }
    sockaddr_un address{};
    if (!FillAddress(EndpointPath(m_runtimeDir, target), address)) {
        return false;
    }
    const auto bytes = wire::Encode(PostedMessage{message, wParam, lParam});
    const ssize_t sent = sendto(m_socket, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    return sent == static_cast<ssize_t>(bytes.size());
}

bool CDatagramPoster::IsWindow(WindowHandle target) {
    if (IsNoWindow(target) || m_runtimeDir.empty()) {
        return false;
    }
    sockaddr_un address{};
    if (!FillAddress(EndpointPath(m_runtimeDir, target), address)) {
        return false;
    }
    // Connecting a datagram socket succeeds only while some process has the endpoint bound.
    const int probe = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (probe < 0) {
        return false;
    }
    const bool alive = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(probe);
    return alive;
}

}  // namespace vorlix
