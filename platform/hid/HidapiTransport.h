#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/HidTransport.h"

namespace vorlix {

// Real HID on Linux: the hidraw nodes found through libudev, opened and driven with hidapi's hidraw
// backend. An interface's path is the sysfs path of its HID device (.../0003:VVVV:PPPP.NNNN), which
// stays the same while the mouse stays plugged in, unlike hidraw numbers, which are reused after an
// unplug. Open resolves it to the /dev/hidrawN node of the moment.
class CHidapiTransport final : public IHidTransport {
public:
    CHidapiTransport();
    ~CHidapiTransport() override;
    CHidapiTransport(const CHidapiTransport&) = delete;
    CHidapiTransport& operator=(const CHidapiTransport&) = delete;

    HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override;
    int Subscribe(HidClass cls, HidNotifyCallback callback) override;
    bool Unsubscribe(int id) override;

private:
    struct SSubscriber {
        HidClass cls;
        HidNotifyCallback callback;
    };
    void MonitorLoop();
    void Remember(const HidInterfaceInfo& info);

    std::mutex m_mutex;
    std::map<int, SSubscriber> m_subscribers;
    int m_nextId = 1;
    // What each known interface was, so a removal (when sysfs is already gone) can still be matched
    // against a subscriber's class.
    std::map<std::string, HidInterfaceInfo> m_known;
    std::thread m_monitor;
    int m_stopPipe[2] = {-1, -1};
};

}  // namespace vorlix
