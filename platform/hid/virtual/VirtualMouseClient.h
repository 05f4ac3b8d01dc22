#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "device/HidTransport.h"

namespace vorlix {

class CSocketLine;

// Reaches the virtual mouse of another process through its socket: what a program uses in place of
// real HID when VORLIX_VIRTUAL_MOUSE names the socket.
class CVirtualMouseClient final : public IHidTransport {
public:
    explicit CVirtualMouseClient(std::string socketPath);
    ~CVirtualMouseClient() override;

    HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override;
    int Subscribe(HidClass cls, HidNotifyCallback callback) override;
    bool Unsubscribe(int id) override;
    bool IsVirtualMouse() const override { return true; }

    // Sends one control line ("PEEK 0 25", "UNPLUG", ...) and gives the answer line.
    bool Control(const std::string& request, std::string& answer);

private:
    struct SWatch {
        std::shared_ptr<CSocketLine> line;
        std::thread thread;
    };
    std::string m_socketPath;
    std::mutex m_mutex;
    std::map<int, SWatch> m_watches;
    int m_nextWatch = 1;
};

}  // namespace vorlix
