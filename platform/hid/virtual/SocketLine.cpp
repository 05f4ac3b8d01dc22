#include "SocketLine.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace vorlix {

CSocketLine::~CSocketLine() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool CSocketLine::Connect(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool CSocketLine::Send(const std::string& line) {
    if (m_fd < 0) {
        return false;
    }
    const std::string data = line + "\n";
    std::lock_guard lock(m_sendMutex);
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(m_fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool CSocketLine::Receive(std::string& line) {
    if (m_fd < 0) {
        return false;
    }
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return true;
        }
        char buffer[4096];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        m_pending.append(buffer, static_cast<size_t>(n));
    }
}

bool CSocketLine::Request(const std::string& line, std::string& answer) {
    return Send(line) && Receive(answer);
}

void CSocketLine::Shutdown() {
    if (m_fd >= 0) {
        ::shutdown(m_fd, SHUT_RDWR);
    }
}

std::string CSocketLine::ToHex(const uint8_t* data, size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    if (length == 0) {
        return "-";
    }
    std::string text;
    text.reserve(2 * length);
    for (size_t i = 0; i < length; ++i) {
        text.push_back(kDigits[data[i] >> 4]);
        text.push_back(kDigits[data[i] & 0xF]);
    }
    return text;
}

bool CSocketLine::FromHex(const std::string& text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (text == "-") {
        return true;
    }
    if (text.size() % 2 != 0) {
        return false;
    }
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return true;
}

std::vector<std::string> CSocketLine::Split(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

}  // namespace vorlix
