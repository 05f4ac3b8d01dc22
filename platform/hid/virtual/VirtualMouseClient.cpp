#include "VirtualMouseClient.h"

#include <algorithm>
#include <cstdlib>

#include "SocketLine.h"
#include "VirtualWire.h"
#include "device/InterfaceRules.h"

namespace vorlix {

namespace {

class CSocketDevice final : public IHidDevice {
public:
    CSocketDevice(std::unique_ptr<CSocketLine> line, std::string encodedPath)
        : m_line(std::move(line)), m_path(std::move(encodedPath)) {}

    HidStatus SetFeature(const uint8_t* data, size_t length) override {
        std::string answer;
        if (!m_line->Request(std::string(vwire::kSet) + " " + m_path + " " + CSocketLine::ToHex(data, length),
                             answer)) {
            return HidStatus::NotFound;
        }
        return answer == vwire::kOk ? HidStatus::Ok : vwire::ErrorStatus(CSocketLine::Split(answer));
    }

    HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
        received = 0;
        if (data == nullptr || length == 0) {
            return HidStatus::IoFailed;
        }
        return Fetch(std::string(vwire::kGet) + " " + m_path + " " + std::to_string(length) + " " +
                         CSocketLine::ToHex(data, 1),
                     data, length, received);
    }

    HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) override {
        received = 0;
        return Fetch(std::string(vwire::kRead) + " " + m_path + " " + std::to_string(length) + " " +
                         std::to_string(timeoutMs),
                     data, length, received);
    }

private:
    HidStatus Fetch(const std::string& request, uint8_t* data, size_t length, size_t& received) {
        std::string answer;
        if (!m_line->Request(request, answer)) {
            return HidStatus::NotFound;
        }
        const auto words = CSocketLine::Split(answer);
        std::vector<uint8_t> bytes;
        if (words.size() != 2 || words[0] != vwire::kOk || !CSocketLine::FromHex(words[1], bytes)) {
            return vwire::ErrorStatus(words);
        }
        received = std::min(length, bytes.size());
        std::copy(bytes.begin(), bytes.begin() + static_cast<long>(received), data);
        return HidStatus::Ok;
    }

    std::unique_ptr<CSocketLine> m_line;
    std::string m_path;
};

}  // namespace

CVirtualMouseClient::CVirtualMouseClient(std::string socketPath) : m_socketPath(std::move(socketPath)) {}

CVirtualMouseClient::~CVirtualMouseClient() {
    std::map<int, SWatch> watches;
    {
        std::lock_guard lock(m_mutex);
        watches.swap(m_watches);
    }
    for (auto& [id, watch] : watches) {
        watch.line->Shutdown();
        if (watch.thread.joinable()) {
            watch.thread.join();
        }
    }
}

HidStatus CVirtualMouseClient::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    interfaces.clear();
    CSocketLine line;
    std::string answer;
    if (!line.Connect(m_socketPath) || !line.Request(vwire::kEnumerate, answer)) {
        return HidStatus::NotFound;
    }
    const auto head = CSocketLine::Split(answer);
    if (head.size() != 2 || head[0] != vwire::kOk) {
        return HidStatus::IoFailed;
    }
    const long count = std::strtol(head[1].c_str(), nullptr, 10);
    for (long i = 0; i < count; ++i) {
        HidInterfaceInfo info;
        if (!line.Receive(answer) || !vwire::DecodeInterface(CSocketLine::Split(answer), 1, info)) {
            return HidStatus::IoFailed;
        }
        interfaces.push_back(std::move(info));
    }
    return HidStatus::Ok;
}

HidStatus CVirtualMouseClient::Open(const std::string& path, std::unique_ptr<IHidDevice>& device) {
    device.reset();
    auto line = std::make_unique<CSocketLine>();
    std::string answer;
    const std::string encoded = vwire::EncodeText(path);
    if (!line->Connect(m_socketPath) || !line->Request(std::string(vwire::kOpen) + " " + encoded, answer)) {
        return HidStatus::NotFound;
    }
    if (answer != vwire::kOk) {
        return vwire::ErrorStatus(CSocketLine::Split(answer));
    }
    device = std::make_unique<CSocketDevice>(std::move(line), encoded);
    return HidStatus::Ok;
}

int CVirtualMouseClient::Subscribe(HidClass cls, HidNotifyCallback callback) {
    if (!callback) {
        return 0;
    }
    auto line = std::make_shared<CSocketLine>();
    std::string answer;
    if (!line->Connect(m_socketPath) || !line->Request(vwire::kWatch, answer) || answer != vwire::kOk) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    const int id = m_nextWatch++;
    SWatch& watch = m_watches[id];
    watch.line = line;
    watch.thread = std::thread([line, cls, callback] {
        std::string event;
        while (line->Receive(event)) {
            const auto words = CSocketLine::Split(event);
            HidInterfaceInfo info;
            if (words.size() >= 2 && words[0] == vwire::kEvent && vwire::DecodeInterface(words, 2, info) &&
                InHidClass(info, cls)) {
                callback(static_cast<uint32_t>(std::strtoul(words[1].c_str(), nullptr, 10)), info.path);
            }
        }
    });
    return id;
}

bool CVirtualMouseClient::Unsubscribe(int id) {
    SWatch watch;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_watches.find(id);
        if (found == m_watches.end()) {
            return false;
        }
        watch = std::move(found->second);
        m_watches.erase(found);
    }
    watch.line->Shutdown();
    if (watch.thread.joinable() && watch.thread.get_id() != std::this_thread::get_id()) {
        watch.thread.join();
    } else if (watch.thread.joinable()) {
        watch.thread.detach();
    }
    return true;
}

bool CVirtualMouseClient::Control(const std::string& request, std::string& answer) {
    CSocketLine line;
    return line.Connect(m_socketPath) && line.Request(request, answer);
}

}  // namespace vorlix
