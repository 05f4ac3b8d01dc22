#include "VirtualMouseServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/hid/virtual/SocketLine.h"
#include "platform/hid/virtual/VirtualWire.h"

namespace vorlix {

namespace {

bool Number(const std::string& word, long& value) {
    char* end = nullptr;
    value = std::strtol(word.c_str(), &end, 0);
    return !word.empty() && end != nullptr && *end == '\0';
}

// Answers one request line; false ends the connection (after WATCH the line stays for events).
std::string Handle(CVirtualMouseSet& mice, const std::vector<std::string>& words) {
    using namespace vwire;
    const std::string& verb = words[0];
    long a = 0;
    long b = 0;
    long c = 0;
    long d = 0;
    std::string path;
    if (verb == kEnumerate) {
        const auto list = mice.Interfaces();
        std::string answer = std::string(kOk) + " " + std::to_string(list.size());
        for (const HidInterfaceInfo& info : list) {
            answer += "\nI " + EncodeInterface(info);
        }
        return answer;
    }
    if (verb == kOpen && words.size() == 2 && DecodeText(words[1], path)) {
        const HidStatus status = mice.Open(path);
        return status == HidStatus::Ok ? kOk : ErrorLine(status);
    }
    if (verb == kSet && words.size() == 3 && DecodeText(words[1], path)) {
        std::vector<uint8_t> data;
        if (!CSocketLine::FromHex(words[2], data)) {
            return ErrorLine(HidStatus::IoFailed);
        }
        const HidStatus status = mice.SetFeature(path, data.data(), data.size());
        return status == HidStatus::Ok ? kOk : ErrorLine(status);
    }
    if (verb == kGet && words.size() == 4 && DecodeText(words[1], path) && Number(words[2], a) && a > 0 &&
        a <= 65536) {
        std::vector<uint8_t> data;
        if (!CSocketLine::FromHex(words[3], data)) {
            return ErrorLine(HidStatus::IoFailed);
        }
        data.resize(static_cast<size_t>(a), 0);
        size_t received = 0;
        const HidStatus status = mice.GetFeature(path, data.data(), data.size(), received);
        return status == HidStatus::Ok ? std::string(kOk) + " " + CSocketLine::ToHex(data.data(), received)
                                       : ErrorLine(status);
    }
    if (verb == kRead && words.size() == 4 && DecodeText(words[1], path) && Number(words[2], a) && a > 0 &&
        a <= 65536 && Number(words[3], b)) {
        std::vector<uint8_t> data(static_cast<size_t>(a), 0);
        size_t received = 0;
        const HidStatus status =
            mice.ReadInput(path, data.data(), data.size(), received, static_cast<int>(b));
        return status == HidStatus::Ok ? std::string(kOk) + " " + CSocketLine::ToHex(data.data(), received)
                                       : ErrorLine(status);
    }
    if (verb == "PEEK" && words.size() == 3 && Number(words[1], a) && Number(words[2], b) && b >= 0) {
        uint8_t value = 0;
        return mice.Peek(static_cast<int>(a), static_cast<unsigned>(b), value)
                   ? std::string(kOk) + " " + std::to_string(value)
                   : ErrorLine(HidStatus::NotFound);
    }
    if (verb == "POKE" && words.size() == 4 && Number(words[1], a) && Number(words[2], b) &&
        Number(words[3], c) && b >= 0 && c >= 0 && c <= 255) {
        return mice.Poke(static_cast<int>(a), static_cast<unsigned>(b), static_cast<uint8_t>(c))
                   ? kOk
                   : ErrorLine(HidStatus::NotFound);
    }
    if (verb == "JOURNAL" && words.size() == 3 && Number(words[1], a) && Number(words[2], b)) {
        if (a < 0 || a >= mice.MouseCount()) {
            return ErrorLine(HidStatus::NotFound);
        }
        // The count first, then one line per report, as ENUM answers.
        const auto reports = mice.Journal(static_cast<int>(a), b != 0);
        std::string answer = std::string(kOk) + " " + std::to_string(reports.size());
        for (const auto& report : reports) {
            answer += "\nJ " + CSocketLine::ToHex(report.data(), report.size());
        }
        return answer;
    }
    if (verb == "SCRIPT" && words.size() == 3 && Number(words[1], a) && Number(words[2], b) && b >= 0) {
        const std::vector<uint8_t> script = mice.Script(static_cast<int>(a), static_cast<unsigned>(b));
        return script.empty() ? ErrorLine(HidStatus::NotFound)
                              : std::string(kOk) + " " + CSocketLine::ToHex(script.data(), script.size());
    }
    if (verb == "UNPLUG") {
        mice.Unplug();
        return kOk;
    }
    if (verb == "PLUG") {
        mice.Plug();
        return kOk;
    }
    if (verb == "EVENT" && words.size() == 6 && Number(words[1], a) && Number(words[2], b) &&
        Number(words[3], c) && Number(words[4], d)) {
        long e = 0;
        if (!Number(words[5], e)) {
            return ErrorLine(HidStatus::IoFailed);
        }
        return mice.Event(static_cast<int>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c),
                          static_cast<uint8_t>(d), static_cast<uint8_t>(e))
                   ? kOk
                   : ErrorLine(HidStatus::NotFound);
    }
    if (verb == "BUTTON" && words.size() == 3 && Number(words[1], a) && Number(words[2], b)) {
        return mice.Button(static_cast<int>(a), static_cast<int>(b)) ? kOk : ErrorLine(HidStatus::NotFound);
    }
    return ErrorLine(HidStatus::IoFailed);
}

}  // namespace

CVirtualMouseServer::CVirtualMouseServer(std::shared_ptr<CVirtualMouseSet> mice, std::string socketPath)
    : m_mice(std::move(mice)), m_socketPath(std::move(socketPath)) {}

CVirtualMouseServer::~CVirtualMouseServer() {
    Stop();
}

bool CVirtualMouseServer::Start(std::string& error) {
    sockaddr_un address{};
    if (m_socketPath.empty() || m_socketPath.size() >= sizeof(address.sun_path)) {
        error = "socket path is empty or too long: " + m_socketPath;
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, m_socketPath.c_str(), m_socketPath.size() + 1);
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // A socket left by a run that was killed is replaced; a live one answers a connect and is kept.
    CSocketLine probe;
    if (probe.Connect(m_socketPath)) {
        error = "another virtual mouse already serves " + m_socketPath;
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    ::unlink(m_socketPath.c_str());
    const mode_t old = ::umask(0077);
    const int bound = ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::umask(old);
    if (bound != 0 || ::listen(m_listenFd, 16) != 0) {
        error = std::string("cannot listen on ") + m_socketPath + ": " + std::strerror(errno);
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return true;
}

void CVirtualMouseServer::Stop() {
    if (m_stopping.exchange(true)) {
        return;
    }
    if (m_listenFd >= 0) {
        ::shutdown(m_listenFd, SHUT_RDWR);
    }
    if (m_acceptThread.joinable()) {
        m_acceptThread.join();
    }
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        ::unlink(m_socketPath.c_str());
    }
    m_mice->ReleaseHangs();
}

void CVirtualMouseServer::AcceptLoop() {
    while (!m_stopping) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        // Connections hold the set, not the server: the server may stop while a transfer is held.
        std::thread([mice = m_mice, fd] {
            auto line = std::make_shared<CSocketLine>(fd);
            std::string request;
            int watch = 0;
            while (line->Receive(request)) {
                const auto words = CSocketLine::Split(request);
                if (words.empty()) {
                    continue;
                }
                if (words[0] == vwire::kWatch) {
                    if (watch == 0) {
                        watch = mice->Subscribe([line](uint32_t event, const HidInterfaceInfo& info) {
                            line->Send(std::string(vwire::kEvent) + " " + std::to_string(event) + " " +
                                       vwire::EncodeInterface(info));
                        });
                    }
                    line->Send(vwire::kOk);
                    continue;
                }
                if (!line->Send(Handle(*mice, words))) {
                    break;
                }
            }
            if (watch != 0) {
                mice->Unsubscribe(watch);
            }
        }).detach();
    }
}

}  // namespace vorlix
