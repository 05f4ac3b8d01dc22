#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace vorlix {

// Reads the input reports of one HID interface on a thread of its own and hands each to a callback
// (on that thread). The read blocks until a report comes, so an idle mouse costs no CPU; the thread
// ends by itself when the interface goes away.
//
// A blocking read cannot be interrupted through IHidDevice, so Stop does not wait for the thread:
// it guarantees only that no callback runs once it has returned. The thread owns its device and a
// share of the transport, and ends with the next report, the interface's removal or the process.
class CHidReportReader {
public:
    using Callback = std::function<void(const uint8_t* report, size_t length)>;

    CHidReportReader(std::shared_ptr<IHidTransport> transport, std::string path, Callback callback);
    ~CHidReportReader();
    CHidReportReader(const CHidReportReader&) = delete;
    CHidReportReader& operator=(const CHidReportReader&) = delete;

    // Opens the interface and starts reading; the open's status.
    HidStatus Start();
    void Stop();

private:
    struct SShared;
    std::shared_ptr<IHidTransport> m_transport;
    std::string m_path;
    std::shared_ptr<SShared> m_shared;
};

}  // namespace vorlix
