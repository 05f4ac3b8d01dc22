#include "DatagramEndpoint.h"

#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "DatagramPoster.h"
#include "DatagramWire.h"

namespace vorlix {

namespace {

// A fresh random id: never 0 or all bits set, and, unlike a process id, not soon handed out again.
WindowHandle NewId() {
    for (;;) {
        uint32_t id = 0;
        if (getrandom(&id, sizeof(id), 0) != static_cast<ssize_t>(sizeof(id))) {
            continue;
        }
        if (id != 0 && id != 0xFFFFFFFFu) {
            return id;
        }
    }
}

}  // namespace

CDatagramEndpoint::~CDatagramEndpoint() {
    Destroy();
}

bool CDatagramEndpoint::Create(const std::string& runtimeDir, std::string* error) {
    Destroy();
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        if (error != nullptr) {
            *error = std::string("cannot create a message socket: ") + std::strerror(errno);
        }
        return false;
    }
    // Ask the kernel to attach each sender's credentials, so other users' datagrams can be dropped.
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof(on));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const WindowHandle id = NewId();
        const std::string path = CDatagramPoster::EndpointPath(runtimeDir, id);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof(address.sun_path)) {
            if (error != nullptr) {
                *error = "the runtime folder path is too long for a socket: " + runtimeDir;
            }
            break;
        }
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
            chmod(path.c_str(), 0600);
            m_socket = fd;
            m_id = id;
            m_path = path;
            return true;
        }
        if (errno != EADDRINUSE) {
            if (error != nullptr) {
                *error = "cannot bind " + path + ": " + std::strerror(errno);
            }
            break;
        }
    }
    close(fd);
    return false;
}

void CDatagramEndpoint::Destroy() {
    if (m_socket >= 0) {
        close(m_socket);
        unlink(m_path.c_str());
    }
    m_socket = -1;
    m_id = 0;
    m_path.clear();
}

std::optional<PostedMessage> CDatagramEndpoint::Receive() {
    while (m_socket >= 0) {
        uint8_t buffer[64];
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        iovec io{buffer, sizeof(buffer)};
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof(control);
        const ssize_t size = recvmsg(m_socket, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
        if (size < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        bool sameUser = false;
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c != nullptr; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS &&
                c->cmsg_len == CMSG_LEN(sizeof(ucred))) {
                ucred credentials{};
                std::memcpy(&credentials, CMSG_DATA(c), sizeof(credentials));
                sameUser = credentials.uid == getuid();
            }
        }
        if (!sameUser || (header.msg_flags & MSG_TRUNC) != 0) {
            continue;
        }
        if (auto message = wire::Decode(buffer, static_cast<size_t>(size))) {
            return message;
        }
    }
    return std::nullopt;
}

}  // namespace vorlix
