#include "HidReportReader.h"

#include <array>
#include <mutex>
#include <thread>

namespace vorlix {

struct CHidReportReader::SShared {
    std::mutex mutex;
    bool stopped = false;
    Callback callback;
};

CHidReportReader::CHidReportReader(std::shared_ptr<IHidTransport> transport, std::string path,
                                   Callback callback)
    : m_transport(std::move(transport)), m_path(std::move(path)), m_shared(std::make_shared<SShared>()) {
    m_shared->callback = std::move(callback);
}

CHidReportReader::~CHidReportReader() {
    Stop();
}

HidStatus CHidReportReader::Start() {
    std::unique_ptr<IHidDevice> device;
    const HidStatus status = m_transport->Open(m_path, device);
    if (status != HidStatus::Ok) {
        return status;
    }
    std::thread([shared = m_shared, transport = m_transport, device = std::move(device)] {
        std::array<uint8_t, 256> report{};
        for (;;) {
            size_t received = 0;
            const HidStatus read = device->ReadInput(report.data(), report.size(), received, -1);
            if (read == HidStatus::TimedOut) {
                continue;
            }
            std::lock_guard lock(shared->mutex);
            if (read != HidStatus::Ok || shared->stopped) {
                return;
            }
            if (received > 0) {
                shared->callback(report.data(), received);
            }
        }
    }).detach();
    return HidStatus::Ok;
}

void CHidReportReader::Stop() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->stopped = true;
}

}  // namespace vorlix
