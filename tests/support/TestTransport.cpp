#include "tests/support/TestTransport.h"

#include <algorithm>
#include <array>

namespace vorlix::testing {

namespace {

bool IsDataPath(const std::string& path) {
    return path.size() >= 3 && path.compare(path.size() - 3, 3, "if1") == 0;
}

class CRecordingDevice final : public IHidDevice {
public:
    CRecordingDevice(CTestTransport& owner, std::string path, std::unique_ptr<IHidDevice> inner)
        : m_owner(owner), m_path(std::move(path)), m_inner(std::move(inner)) {}
    HidStatus SetFeature(const uint8_t* data, size_t length) override {
        if (!IsDataPath(m_path)) {
            m_owner.Record(m_path, data, length);
        } else {
            m_owner.RecordData(data, length);
        }
        return m_inner->SetFeature(data, length);
    }
    HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
        return m_inner->GetFeature(data, length, received);
    }
    HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) override {
        return m_inner->ReadInput(data, length, received, timeoutMs);
    }

private:
    CTestTransport& m_owner;
    std::string m_path;
    std::unique_ptr<IHidDevice> m_inner;
};

}  // namespace

bool CTestTransport::Hidden(const std::string& path) const {
    if (m_hideData && IsDataPath(path)) {
        return true;
    }
    std::lock_guard lock(m_mutex);
    for (int mouse : m_hidden) {
        if (path.find("/mouse" + std::to_string(mouse) + "/") != std::string::npos) {
            return true;
        }
    }
    return false;
}

HidStatus CTestTransport::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    const HidStatus status = m_inner->Enumerate(interfaces);
    interfaces.erase(std::remove_if(interfaces.begin(), interfaces.end(),
                                    [this](const HidInterfaceInfo& info) { return Hidden(info.path); }),
                     interfaces.end());
    return status;
}

HidStatus CTestTransport::Open(const std::string& path, std::unique_ptr<IHidDevice>& device) {
    if (Hidden(path)) {
        return HidStatus::NotFound;
    }
    if (IsDataPath(path)) {
        if (m_dataLeft == 0) {
            return HidStatus::NotFound;
        }
        if (m_dataLeft > 0) {
            --m_dataLeft;
        }
        ++m_dataTransfers;
    }
    std::unique_ptr<IHidDevice> inner;
    const HidStatus status = m_inner->Open(path, inner);
    if (status == HidStatus::Ok && inner) {
        device = std::make_unique<CRecordingDevice>(*this, path, std::move(inner));
    }
    return status;
}

void CTestTransport::HideMouse(int mouse, bool hidden) {
    std::lock_guard lock(m_mutex);
    if (hidden) {
        m_hidden.insert(mouse);
    } else {
        m_hidden.erase(mouse);
    }
}

void CTestTransport::Record(const std::string& path, const uint8_t* data, size_t length) {
    std::lock_guard lock(m_mutex);
    m_commands.push_back({path, std::vector<uint8_t>(data, data + length)});
}

void CTestTransport::RecordData(const uint8_t* data, size_t length) {
    std::lock_guard lock(m_mutex);
    m_dataReports.emplace_back(data, data + length);
}

std::vector<std::vector<uint8_t>> CTestTransport::DataReports() const {
    std::lock_guard lock(m_mutex);
    return m_dataReports;
}

std::vector<CTestTransport::SCommand> CTestTransport::Commands() const {
    std::lock_guard lock(m_mutex);
    return m_commands;
}

std::vector<std::array<uint8_t, 3>> CTestTransport::Controls(uint8_t code) const {
    std::vector<std::array<uint8_t, 3>> controls;
    for (const SCommand& command : Commands()) {
        if (command.bytes.size() >= 5 && command.bytes[1] == code) {
            controls.push_back({command.bytes[2], command.bytes[3], command.bytes[4]});
        }
    }
    return controls;
}

void CTestTransport::ClearCommands() {
    std::lock_guard lock(m_mutex);
    m_commands.clear();
}

}  // namespace vorlix::testing
