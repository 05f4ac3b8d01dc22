#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "VirtualMouse.h"
#include "device/HidTransport.h"
#include "shared/ProductIds.h"

namespace vorlix {

struct SVirtualMouseOptions {
    uint16_t family = 0x2401;
    uint8_t firmware = 9;
    int mice = 1;
    std::string product = "Vorlix Daze Gaming Mouse";
    std::string manufacturer = "Vorlix";
    int busy = 0;          // busy answers before each answer
    uint8_t updateTo = 9;  // firmware version after a complete update
    int pageBusy = 0;      // status polls answered busy before a firmware page counts as done
    int busyPage = -1;     // the one page answered busy, -1 for every page
    std::vector<VirtualFault> faults;
    std::string pathPrefix = "virtual";  // the mice's paths start with this
    uint16_t vendorId = kVendorId;
    uint16_t productId = kProductId;
};

// Identical virtual mice that differ only by path, each with two interfaces: interface 0 a mouse
// collection carrying the command channel, interface 1 a keyboard, a consumer and the vendor
// collection carrying the data channel and the event reports. Thread-safe.
class CVirtualMouseSet {
public:
    using EventCallback = std::function<void(uint32_t event, const HidInterfaceInfo& info)>;

    explicit CVirtualMouseSet(SVirtualMouseOptions options);
    ~CVirtualMouseSet();
    CVirtualMouseSet(const CVirtualMouseSet&) = delete;
    CVirtualMouseSet& operator=(const CVirtualMouseSet&) = delete;

    int MouseCount() const { return static_cast<int>(m_mice.size()); }
    // Every interface of every mouse; none while unplugged.
    std::vector<HidInterfaceInfo> Interfaces() const;
    HidStatus Open(const std::string& path) const;
    HidStatus SetFeature(const std::string& path, const uint8_t* data, size_t length);
    HidStatus GetFeature(const std::string& path, uint8_t* data, size_t length, size_t& received);
    HidStatus ReadInput(const std::string& path, uint8_t* data, size_t length, size_t& received,
                        int timeoutMs);

    // Control of the model, as the control commands of the program offer it.
    bool Peek(int mouse, unsigned address, uint8_t& value) const;
    bool Poke(int mouse, unsigned address, uint8_t value);
    void Unplug();
    void Plug();
    bool Plugged() const;
    // A vendor event report (report 3) on the data interface.
    bool Event(int mouse, uint8_t code, uint8_t a, uint8_t b, uint8_t c);
    bool InBootLoader(int mouse) const;
    int Firmware(int mouse) const;
    // A press of side button 4 or 5 on the mouse interface.
    bool Button(int mouse, int button);
    // Lets every transfer held by the hang fault return (failing).
    void ReleaseHangs();

    std::vector<uint8_t> Script(int mouse, unsigned number) const;
    // Every command and data report the mouse received, oldest first: the latest kJournalLimit of
    // them, so a long-running server stays small. clear empties it in the same step.
    static constexpr size_t kJournalLimit = 10000;
    std::vector<std::vector<uint8_t>> Journal(int mouse, bool clear = false);
    int EffectByte(int mouse, unsigned offset) const;
    std::vector<uint8_t> Memory(int mouse) const;
    void LoadMemory(int mouse, const std::vector<uint8_t>& bytes);
    // Called (under no lock) after the memory of any mouse changed.
    void SetMemoryObserver(std::function<void()> observer);
    void SetLogSink(std::function<void(const std::string&)> sink);
    std::vector<std::string> LogLines() const;
    uint64_t TransferCount() const;

    int Subscribe(EventCallback callback);
    bool Unsubscribe(int id);

private:
    struct SRoute {
        int mouse = -1;
        int interfaceNumber = -1;
    };
    SRoute Route(const std::string& path) const;
    HidInterfaceInfo InterfaceInfo(int mouse, int interfaceNumber) const;
    bool HasFault(VirtualFault fault) const;
    // Runs the fault of a data-channel transfer; true when it decided the transfer's outcome.
    bool DataFault(std::unique_lock<std::mutex>& lock, HidStatus& outcome);
    void Notify(uint32_t event);
    void Queue(int mouse, int interfaceNumber, std::vector<uint8_t> report);

    SVirtualMouseOptions m_options;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<CVirtualMouse>> m_mice;
    std::map<std::pair<int, int>, std::deque<std::vector<uint8_t>>> m_inputs;
    std::vector<std::deque<std::vector<uint8_t>>> m_journals;  // one per mouse
    bool m_plugged = true;
    uint64_t m_unplugs = 0;  // counts unplugs, so a waiting reader notices one it slept through
    bool m_unplugDone = false;
    bool m_releaseHangs = false;
    uint64_t m_transfers = 0;
    std::vector<std::string> m_log;
    std::function<void(const std::string&)> m_logSink;
    std::function<void()> m_memoryObserver;
    bool m_memoryDirty = false;
    std::map<int, EventCallback> m_subscribers;
    int m_nextSubscriber = 1;
};

}  // namespace vorlix
