#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "virtualmouse/VirtualMouseSet.h"

namespace vorlix {

// Serves a set of virtual mice on a local stream socket: the HID transfers of CVirtualMouseClient and
// the control commands of vorlix-virtual-mouse. One thread per connection.
class CVirtualMouseServer {
public:
    CVirtualMouseServer(std::shared_ptr<CVirtualMouseSet> mice, std::string socketPath);
    ~CVirtualMouseServer();
    CVirtualMouseServer(const CVirtualMouseServer&) = delete;
    CVirtualMouseServer& operator=(const CVirtualMouseServer&) = delete;

    // Binds the socket (only this user may connect) and starts accepting; false with a reason.
    bool Start(std::string& error);
    void Stop();

private:
    void AcceptLoop();

    std::shared_ptr<CVirtualMouseSet> m_mice;
    std::string m_socketPath;
    int m_listenFd = -1;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
};

}  // namespace vorlix
