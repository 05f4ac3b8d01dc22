#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/DeviceSession.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/MessagePoster.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "tests/support/TestTransport.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix::testing {

class CRecordingPoster final : public IMessagePoster {
public:
    bool Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) override {
        posts.push_back({target, message, wParam, lParam});
        return true;
    }
    bool IsWindow(WindowHandle) override { return true; }
    struct SPost {
        WindowHandle target;
        uint32_t message, kind, value;
    };
    std::vector<SPost> posts;
};

class CRecordingOwner final : public IDeviceSessionOwner {
public:
    void ShowMessage(int number) override { messages.push_back(number); }
    int ChooseMouse(const std::vector<std::u16string>& shown) override {
        lines = shown;
        return choose ? choose() : -1;
    }
    void StartTimer(int id, uint32_t periodMs) override { timers[id] = periodMs; }
    void StopTimer(int id) override { timers.erase(id); }
    void SessionChanged(SessionChange change) override { changes.push_back(change); }
    void LaunchProgram(const std::u16string& path) override { launched.push_back(path); }
    void StartFirmwareUpdate() override { ++firmwareUpdates; }
    bool DialogOpen() const override { return dialogOpen; }
    void DeviceChangeNotified(uint32_t event) override { deviceEvents.push_back(event); }

    std::vector<int> messages;
    std::vector<std::u16string> lines;
    std::function<int()> choose;
    std::map<int, uint32_t> timers;
    std::vector<SessionChange> changes;
    std::vector<std::u16string> launched;
    int firmwareUpdates = 0;
    bool dialogOpen = false;
    std::vector<uint32_t> deviceEvents;
};

// A session on in-process virtual mice, with the fake clock, a memory store and recorders for
// everything the session sends out.
class SessionFixture : public ::testing::Test {
protected:
    static constexpr WindowHandle kOsdWindow = 77;

    void Start(int mice = 1, uint16_t family = 0x2401) {
        SVirtualMouseOptions options;
        options.mice = mice;
        options.family = family;
        Start(options);
    }

    void Start(const SVirtualMouseOptions& options) {
        session.reset();
        device.reset();
        hid.reset();
        poster.posts.clear();
        owner = CRecordingOwner();
        set = std::make_shared<CVirtualMouseSet>(options);
        transport = std::make_shared<CTestTransport>(std::make_shared<CVirtualTransport>(set));
        waiter = std::make_unique<CClockTransferWaiter>(clock);
        hid = std::make_unique<CHidClient>(transport);
        device = std::make_unique<CIcQT47>(transport, clock, *waiter);
        store.WriteDword(store::kOsdHandle, kOsdWindow);
        session = std::make_unique<CDeviceSession>(owner, *hid, *device, store, poster, clock);
    }

    uint8_t Peek(int mouse, unsigned address) const {
        uint8_t value = 0;
        set->Peek(mouse, address, value);
        return value;
    }
    std::vector<uint32_t> OsdKinds() const {
        std::vector<uint32_t> kinds;
        for (const auto& post : poster.posts) {
            kinds.push_back(post.kind);
        }
        return kinds;
    }

    CFakeClock clock;
    std::shared_ptr<CVirtualMouseSet> set;
    std::shared_ptr<CTestTransport> transport;
    std::unique_ptr<CClockTransferWaiter> waiter;
    std::unique_ptr<CHidClient> hid;
    std::unique_ptr<CIcQT47> device;
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CRecordingPoster poster;
    CRecordingOwner owner;
    std::unique_ptr<CDeviceSession> session;
};

}  // namespace vorlix::testing
