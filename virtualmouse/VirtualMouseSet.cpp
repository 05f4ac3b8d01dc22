#include "VirtualMouseSet.h"

#include <algorithm>
#include <chrono>

#include "device/InterfaceRules.h"
#include "device/TransferWait.h"

namespace vorlix {

namespace {

constexpr int kCommandInterface = 0;
constexpr int kDataInterface = 1;
constexpr int kInterfaceCount = 2;
constexpr uint8_t kEventReport = 3;
constexpr size_t kEventReportLength = 8;
constexpr size_t kMouseReportLength = 4;

std::u16string Widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// A mouse that restarted (into its boot loader or out of it) is a new device with new paths.
std::string DeviceOf(const std::string& prefix, int mouse, int generation) {
    return prefix + "/mouse" + std::to_string(mouse) +
           (generation > 0 ? "-" + std::to_string(generation) : "");
}

std::string PathOf(const std::string& prefix, int mouse, int generation, int interfaceNumber) {
    return DeviceOf(prefix, mouse, generation) + "/if" + std::to_string(interfaceNumber);
}

}  // namespace

CVirtualMouseSet::CVirtualMouseSet(SVirtualMouseOptions options) : m_options(std::move(options)) {
    const int count = std::max(1, m_options.mice);
    for (int i = 0; i < count; ++i) {
        auto mouse = std::make_unique<CVirtualMouse>(m_options.family, m_options.firmware, m_options.busy);
        mouse->dropAnswers = HasFault(VirtualFault::DropAnswers);
        mouse->wrongEcho = HasFault(VirtualFault::WrongEcho);
        mouse->neverReady = HasFault(VirtualFault::NeverReady);
        mouse->neverConfirm = HasFault(VirtualFault::NeverConfirm);
        mouse->pageBusyAnswers = m_options.pageBusy;
        mouse->busyPage = m_options.busyPage;
        mouse->updateTo = m_options.updateTo;
        if (HasFault(VirtualFault::BootLoader)) {
            mouse->EnterBootLoader();
        }
        mouse->log = [this, i](const std::string& line) {
            // Called with m_mutex held.
            const std::string text = "mouse " + std::to_string(i) + ": " + line;
            m_log.push_back(text);
            if (m_logSink) {
                m_logSink(text);
            }
        };
        mouse->memoryChanged = [this] { m_memoryDirty = true; };
        m_mice.push_back(std::move(mouse));
    }
    m_journals.resize(m_mice.size());
}

CVirtualMouseSet::~CVirtualMouseSet() {
    ReleaseHangs();
}

bool CVirtualMouseSet::HasFault(VirtualFault fault) const {
    return std::find(m_options.faults.begin(), m_options.faults.end(), fault) != m_options.faults.end();
}

HidInterfaceInfo CVirtualMouseSet::InterfaceInfo(int mouse, int interfaceNumber) const {
    HidInterfaceInfo info;
    const CVirtualMouse& model = *m_mice[static_cast<size_t>(mouse)];
    info.path = PathOf(m_options.pathPrefix, mouse, model.Generation(), interfaceNumber);
    info.vendorId = m_options.vendorId;
    info.productId = m_options.productId;
    info.version = model.Version();
    info.interfaceNumber = interfaceNumber;
    info.composite = true;
    if (interfaceNumber == kCommandInterface) {
        info.collections = {kMouseCollection};
    } else {
        info.collections = {kKeyboardCollection, {0x000C, 0x0001}, kDataCollection};
    }
    info.product = Widen(m_options.product);
    info.manufacturer = Widen(m_options.manufacturer);
    info.device = DeviceOf(m_options.pathPrefix, mouse, model.Generation());
    return info;
}

std::vector<HidInterfaceInfo> CVirtualMouseSet::Interfaces() const {
    std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> list;
    if (!m_plugged) {
        return list;
    }
    for (int mouse = 0; mouse < MouseCount(); ++mouse) {
        for (int i = 0; i < kInterfaceCount; ++i) {
            list.push_back(InterfaceInfo(mouse, i));
        }
    }
    return list;
}

CVirtualMouseSet::SRoute CVirtualMouseSet::Route(const std::string& path) const {
    for (int mouse = 0; mouse < MouseCount(); ++mouse) {
        for (int i = 0; i < kInterfaceCount; ++i) {
            if (path ==
                PathOf(m_options.pathPrefix, mouse, m_mice[static_cast<size_t>(mouse)]->Generation(), i)) {
                return {mouse, i};
            }
        }
    }
    return {};
}

HidStatus CVirtualMouseSet::Open(const std::string& path) const {
    std::lock_guard lock(m_mutex);
    if (!m_plugged || Route(path).mouse < 0) {
        return HidStatus::NotFound;
    }
    return HasFault(VirtualFault::DenyOpen) ? HidStatus::PermissionDenied : HidStatus::Ok;
}

bool CVirtualMouseSet::DataFault(std::unique_lock<std::mutex>& lock, HidStatus& outcome) {
    if (HasFault(VirtualFault::UnplugMidway) && !m_unplugDone) {
        m_unplugDone = true;
        lock.unlock();
        Unplug();
        lock.lock();
        outcome = HidStatus::NotFound;
        return true;
    }
    if (HasFault(VirtualFault::HangTransfer)) {
        MarkTransferStalled();
        m_changed.wait(lock, [&] { return m_releaseHangs; });
        outcome = HidStatus::IoFailed;
        return true;
    }
    return false;
}

HidStatus CVirtualMouseSet::SetFeature(const std::string& path, const uint8_t* data, size_t length) {
    std::unique_lock lock(m_mutex);
    const SRoute route = Route(path);
    if (!m_plugged || route.mouse < 0) {
        return HidStatus::NotFound;
    }
    ++m_transfers;
    CVirtualMouse& mouse = *m_mice[static_cast<size_t>(route.mouse)];
    auto& journal = m_journals[static_cast<size_t>(route.mouse)];
    const auto record = [&] {
        if (journal.size() >= kJournalLimit) {
            journal.pop_front();
        }
        journal.emplace_back(data, data + length);
    };
    if (route.interfaceNumber == kCommandInterface) {
        record();
        const int generation = mouse.Generation();
        mouse.Command(data, length);
        if (mouse.Generation() != generation) {
            // The mouse restarted: its old device went away and a new one arrived. Readers of the old
            // device end as they would on an unplug.
            ++m_unplugs;
            m_inputs.clear();
            m_changed.notify_all();
            lock.unlock();
            Notify(kDeviceRemoveComplete);
            Notify(kDeviceArrival);
            return HidStatus::Ok;
        }
    } else {
        HidStatus outcome = HidStatus::Ok;
        if (DataFault(lock, outcome)) {
            return outcome;
        }
        record();
        mouse.DataReport(data, length);
    }
    if (m_memoryDirty && m_memoryObserver) {
        m_memoryDirty = false;
        auto observer = m_memoryObserver;
        lock.unlock();
        observer();
    }
    return HidStatus::Ok;
}

HidStatus CVirtualMouseSet::GetFeature(const std::string& path, uint8_t* data, size_t length,
                                       size_t& received) {
    received = 0;
    std::unique_lock lock(m_mutex);
    const SRoute route = Route(path);
    if (!m_plugged || route.mouse < 0) {
        return HidStatus::NotFound;
    }
    if (data == nullptr || length == 0) {
        return HidStatus::IoFailed;
    }
    ++m_transfers;
    CVirtualMouse& mouse = *m_mice[static_cast<size_t>(route.mouse)];
    const bool cut = HasFault(VirtualFault::ShortAnswers);
    if (route.interfaceNumber == kCommandInterface) {
        const auto answer = mouse.Answer();
        received = std::min(length, answer.size());
        if (cut) {
            received = std::min<size_t>(received, 5);
        }
        std::copy(answer.begin(), answer.begin() + static_cast<long>(received), data);
        return HidStatus::Ok;
    }
    HidStatus outcome = HidStatus::Ok;
    if (DataFault(lock, outcome)) {
        return outcome;
    }
    const auto answer = mouse.DataAnswer(data[0], length);
    received = cut ? answer.size() / 2 : answer.size();
    std::copy(answer.begin(), answer.begin() + static_cast<long>(received), data);
    return HidStatus::Ok;
}

HidStatus CVirtualMouseSet::ReadInput(const std::string& path, uint8_t* data, size_t length, size_t& received,
                                      int timeoutMs) {
    received = 0;
    std::unique_lock lock(m_mutex);
    const SRoute route = Route(path);
    if (!m_plugged || route.mouse < 0) {
        return HidStatus::NotFound;
    }
    // The queue is looked up afresh on every wake: an unplug empties the table of queues while a reader
    // waits, and a reader must notice an unplug even when the mouse is plugged in again before it wakes.
    const std::pair<int, int> key{route.mouse, route.interfaceNumber};
    const uint64_t unplugs = m_unplugs;
    const auto gone = [&] { return !m_plugged || m_unplugs != unplugs; };
    const auto ready = [&] {
        const auto found = m_inputs.find(key);
        return gone() || (found != m_inputs.end() && !found->second.empty());
    };
    if (timeoutMs < 0) {
        m_changed.wait(lock, ready);
    } else if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return HidStatus::TimedOut;
    }
    if (gone()) {
        return HidStatus::NotFound;
    }
    auto& queue = m_inputs[key];
    const std::vector<uint8_t> report = std::move(queue.front());
    queue.pop_front();
    received = std::min(length, report.size());
    std::copy(report.begin(), report.begin() + static_cast<long>(received), data);
    return HidStatus::Ok;
}

bool CVirtualMouseSet::Peek(int mouse, unsigned address, uint8_t& value) const {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount()) {
        return false;
    }
    value = m_mice[static_cast<size_t>(mouse)]->Peek(address);
    return true;
}

bool CVirtualMouseSet::Poke(int mouse, unsigned address, uint8_t value) {
    std::unique_lock lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount() || address >= kMouseMemorySize) {
        return false;
    }
    m_mice[static_cast<size_t>(mouse)]->Poke(address, value);
    m_memoryDirty = false;
    auto observer = m_memoryObserver;
    lock.unlock();
    if (observer) {
        observer();
    }
    return true;
}

void CVirtualMouseSet::Notify(uint32_t event) {
    std::vector<EventCallback> callbacks;
    std::vector<HidInterfaceInfo> infos;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [id, callback] : m_subscribers) {
            callbacks.push_back(callback);
        }
        for (int mouse = 0; mouse < MouseCount(); ++mouse) {
            for (int i = 0; i < kInterfaceCount; ++i) {
                infos.push_back(InterfaceInfo(mouse, i));
            }
        }
    }
    for (const HidInterfaceInfo& info : infos) {
        for (const EventCallback& callback : callbacks) {
            callback(event, info);
        }
    }
}

bool CVirtualMouseSet::InBootLoader(int mouse) const {
    std::lock_guard lock(m_mutex);
    return mouse >= 0 && mouse < MouseCount() && m_mice[static_cast<size_t>(mouse)]->InBootLoader();
}

int CVirtualMouseSet::Firmware(int mouse) const {
    std::lock_guard lock(m_mutex);
    return mouse >= 0 && mouse < MouseCount() ? m_mice[static_cast<size_t>(mouse)]->Firmware() : -1;
}

void CVirtualMouseSet::Unplug() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) {
            return;
        }
        m_plugged = false;
        ++m_unplugs;
        m_inputs.clear();
        m_changed.notify_all();
    }
    Notify(kDeviceRemoveComplete);
}

void CVirtualMouseSet::Plug() {
    {
        std::lock_guard lock(m_mutex);
        if (m_plugged) {
            return;
        }
        m_plugged = true;
    }
    Notify(kDeviceArrival);
}

bool CVirtualMouseSet::Plugged() const {
    std::lock_guard lock(m_mutex);
    return m_plugged;
}

void CVirtualMouseSet::Queue(int mouse, int interfaceNumber, std::vector<uint8_t> report) {
    m_inputs[{mouse, interfaceNumber}].push_back(std::move(report));
    m_changed.notify_all();
}

bool CVirtualMouseSet::Event(int mouse, uint8_t code, uint8_t a, uint8_t b, uint8_t c) {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount() || !m_plugged) {
        return false;
    }
    std::vector<uint8_t> report(kEventReportLength, 0);
    report[0] = kEventReport;
    report[1] = code;
    report[2] = a;
    report[3] = b;
    report[4] = c;
    Queue(mouse, kDataInterface, std::move(report));
    return true;
}

bool CVirtualMouseSet::Button(int mouse, int button) {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount() || !m_plugged || (button != 4 && button != 5)) {
        return false;
    }
    // Boot-protocol style mouse reports: buttons bit 3 (button 4) or bit 4 (button 5), then release.
    std::vector<uint8_t> press(kMouseReportLength, 0);
    press[0] = static_cast<uint8_t>(1u << (button - 1));
    Queue(mouse, kCommandInterface, std::move(press));
    Queue(mouse, kCommandInterface, std::vector<uint8_t>(kMouseReportLength, 0));
    return true;
}

void CVirtualMouseSet::ReleaseHangs() {
    std::lock_guard lock(m_mutex);
    m_releaseHangs = true;
    m_changed.notify_all();
}

std::vector<uint8_t> CVirtualMouseSet::Script(int mouse, unsigned number) const {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount()) {
        return {};
    }
    const std::vector<uint8_t>* script = m_mice[static_cast<size_t>(mouse)]->Script(number);
    return script ? *script : std::vector<uint8_t>();
}

std::vector<std::vector<uint8_t>> CVirtualMouseSet::Journal(int mouse, bool clear) {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount()) {
        return {};
    }
    auto& journal = m_journals[static_cast<size_t>(mouse)];
    std::vector<std::vector<uint8_t>> reports(journal.begin(), journal.end());
    if (clear) {
        journal.clear();
    }
    return reports;
}

int CVirtualMouseSet::EffectByte(int mouse, unsigned offset) const {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount()) {
        return -1;
    }
    return m_mice[static_cast<size_t>(mouse)]->EffectByte(offset);
}

std::vector<uint8_t> CVirtualMouseSet::Memory(int mouse) const {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount()) {
        return {};
    }
    auto& memory = m_mice[static_cast<size_t>(mouse)]->Memory();
    return std::vector<uint8_t>(memory.begin(), memory.end());
}

void CVirtualMouseSet::LoadMemory(int mouse, const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(m_mutex);
    if (mouse < 0 || mouse >= MouseCount() || bytes.size() != kMouseMemorySize) {
        return;
    }
    auto& memory = m_mice[static_cast<size_t>(mouse)]->Memory();
    std::copy(bytes.begin(), bytes.end(), memory.begin());
}

void CVirtualMouseSet::SetMemoryObserver(std::function<void()> observer) {
    std::lock_guard lock(m_mutex);
    m_memoryObserver = std::move(observer);
}

void CVirtualMouseSet::SetLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard lock(m_mutex);
    m_logSink = std::move(sink);
}

std::vector<std::string> CVirtualMouseSet::LogLines() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

uint64_t CVirtualMouseSet::TransferCount() const {
    std::lock_guard lock(m_mutex);
    return m_transfers;
}

int CVirtualMouseSet::Subscribe(EventCallback callback) {
    std::lock_guard lock(m_mutex);
    const int id = m_nextSubscriber++;
    m_subscribers[id] = std::move(callback);
    return id;
}

bool CVirtualMouseSet::Unsubscribe(int id) {
    std::lock_guard lock(m_mutex);
    return m_subscribers.erase(id) > 0;
}

}  // namespace vorlix
