#include "VirtualTransport.h"

#include "device/InterfaceRules.h"

namespace vorlix {

namespace {

class CVirtualDevice final : public IHidDevice {
public:
    CVirtualDevice(std::shared_ptr<CVirtualMouseSet> mice, std::string path)
        : m_mice(std::move(mice)), m_path(std::move(path)) {}

    HidStatus SetFeature(const uint8_t* data, size_t length) override {
        return m_mice->SetFeature(m_path, data, length);
    }
    HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
        return m_mice->GetFeature(m_path, data, length, received);
    }
    HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) override {
        return m_mice->ReadInput(m_path, data, length, received, timeoutMs);
    }

private:
    std::shared_ptr<CVirtualMouseSet> m_mice;
    std::string m_path;
};

}  // namespace

HidStatus CVirtualTransport::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    interfaces = m_mice->Interfaces();
    return HidStatus::Ok;
}

HidStatus CVirtualTransport::Open(const std::string& path, std::unique_ptr<IHidDevice>& device) {
    device.reset();
    const HidStatus status = m_mice->Open(path);
    if (status == HidStatus::Ok) {
        device = std::make_unique<CVirtualDevice>(m_mice, path);
    }
    return status;
}

int CVirtualTransport::Subscribe(HidClass cls, HidNotifyCallback callback) {
    if (!callback) {
        return 0;
    }
    return m_mice->Subscribe([cls, callback](uint32_t event, const HidInterfaceInfo& info) {
        if (InHidClass(info, cls)) {
            callback(event, info.path);
        }
    });
}

bool CVirtualTransport::Unsubscribe(int id) {
    return m_mice->Unsubscribe(id);
}

}  // namespace vorlix
