#include "HidClient.h"

#include <cstdio>
#include <vector>

#include "InterfaceRules.h"

namespace vorlix {

namespace {

bool InList(const SUsbId* list, int count, uint16_t vid, uint16_t pid) {
    if (list == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (list[i].vendorId == vid && list[i].productId == pid) {
            return true;
        }
    }
    return false;
}

bool InVersions(const uint16_t* versions, int count, uint16_t version) {
    if (versions == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (versions[i] == version) {
            return true;
        }
    }
    return false;
}

// A device that gives no string is shown with a single blank, as the selection dialog expects.
std::u16string CutName(const std::u16string& name) {
    if (name.empty()) {
        return u" ";
    }
    return name.substr(0, CHidClient::kMaxNameChars);
}

}  // namespace

CHidClient::CHidClient(std::shared_ptr<IHidTransport> transport) : m_transport(std::move(transport)) {}

CHidClient::~CHidClient() {
    if (m_registration != 0 && m_transport) {
        m_transport->Unsubscribe(m_registration);
    }
}

CHidClient::CHidClient(const CHidClient& other)
    : m_transport(other.m_transport),
      m_count(other.m_count),
      m_class(other.m_class),
      m_entries(other.m_entries),
      m_lastError(other.m_lastError) {}

CHidClient& CHidClient::operator=(const CHidClient& other) {
    if (this != &other) {
        m_transport = other.m_transport;
        m_count = other.m_count;
        m_class = other.m_class;
        m_entries = other.m_entries;
        m_lastError = other.m_lastError;
    }
    return *this;
}

int CHidClient::LoadDll() {
    return m_transport ? 1 : 0;
}

template <typename PathTest, typename AttributeTest>
int CHidClient::Enumerate(HidClass cls, PathTest pathTest, AttributeTest attributeTest) {
    m_count = 0;
    if (!m_transport) {
        return 0;
    }
    m_class = cls;
    std::vector<HidInterfaceInfo> present;
    if (m_transport->Enumerate(present) != HidStatus::Ok) {
        return 0;
    }
    int examined = 0;
    for (const HidInterfaceInfo& info : present) {
        if (!InHidClass(info, cls)) {
            continue;  // not a member of the class's interface set
        }
        if (examined++ >= kTableSize) {
            break;
        }
        if (!pathTest(info) || !attributeTest(info)) {
            continue;
        }
        SEntry& entry = m_entries[static_cast<size_t>(m_count)];
        entry.path = info.path;
        entry.product = CutName(info.product);
        entry.manufacturer = CutName(info.manufacturer);
        entry.idText = Id2String(info.vendorId, info.productId);
        entry.version = info.version;
        entry.vendorId = info.vendorId;
        entry.productId = info.productId;
        ++m_count;
    }
    return m_count > 0 ? 1 : 0;
}

int CHidClient::CreateDeviceTable(uint16_t vid, uint16_t pid, bool mouseClass) {
    return Enumerate(
        mouseClass ? HidClass::Mouse : HidClass::Hid, [](const HidInterfaceInfo&) { return true; },
        [&](const HidInterfaceInfo& info) {
            return (vid == 0 && pid == 0) || (info.vendorId == vid && info.productId == pid);
        });
}

int CHidClient::CreateDeviceTable(const SUsbId* list, int count) {
    return Enumerate(
        HidClass::Mouse, [](const HidInterfaceInfo& info) { return !PathHasMi01Col03(info); },
        [&](const HidInterfaceInfo& info) { return InList(list, count, info.vendorId, info.productId); });
}

int CHidClient::CreateDeviceTable(const SUsbId* list, int count, uint16_t low, uint16_t high, bool mouseClass,
                                  bool firstInterfaceOnly) {
    return Enumerate(
        mouseClass ? HidClass::Mouse : HidClass::Keyboard,
        [&](const HidInterfaceInfo& info) {
            if (PathHasMi01Col03(info) || !PathHasMi00(info)) {
                return false;
            }
            return !(firstInterfaceOnly && PathHasMi(info) && !PathHasMi00(info));
        },
        [&](const HidInterfaceInfo& info) {
            return low <= info.version && info.version <= high &&
                   InList(list, count, info.vendorId, info.productId);
        });
}

int CHidClient::CreateDeviceTable(const SUsbId* list, int count, uint16_t low, uint16_t high, uint16_t family,
                                  bool keyboardClass) {
    return Enumerate(
        keyboardClass ? HidClass::Keyboard : HidClass::Mouse,
        [](const HidInterfaceInfo& info) { return !PathHasMi01Col03(info); },
        [&](const HidInterfaceInfo& info) {
            const bool familyMatch = (info.version >> 8) == (family >> 8);
            return (familyMatch || (low <= info.version && info.version <= high)) &&
                   InList(list, count, info.vendorId, info.productId);
        });
}

int CHidClient::CreateDeviceTable(const SUsbId* list, int count, const uint16_t* versions, int versionCount) {
    return Enumerate(
        HidClass::Mouse, [](const HidInterfaceInfo& info) { return !PathHasMi01Col03(info); },
        [&](const HidInterfaceInfo& info) {
            return InVersions(versions, versionCount, info.version) &&
                   InList(list, count, info.vendorId, info.productId);
        });
}

int CHidClient::CreateDeviceTable(const uint16_t* versions, int versionCount, bool mouseClass,
                                  bool firstInterfaceOnly) {
    return Enumerate(
        mouseClass ? HidClass::Mouse : HidClass::Keyboard,
        [&](const HidInterfaceInfo& info) {
            return !(firstInterfaceOnly && PathHasMi(info) && !PathHasMi00(info));
        },
        [&](const HidInterfaceInfo& info) { return InVersions(versions, versionCount, info.version); });
}

const CHidClient::SEntry* CHidClient::Entry(int index) const {
    if (index < 0 || index >= m_count) {
        return nullptr;
    }
    return &m_entries[static_cast<size_t>(index)];
}

const char* CHidClient::GetDevice(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->path.c_str() : nullptr;
}

const char16_t* CHidClient::GetDeviceName(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->product.c_str() : nullptr;
}

const char16_t* CHidClient::GetVendorName(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->manufacturer.c_str() : nullptr;
}

const char16_t* CHidClient::GetDeviceID(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->idText.c_str() : nullptr;
}

uint16_t CHidClient::GetDeviceVID(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->vendorId : 0xFFFF;
}

uint16_t CHidClient::GetDevicePID(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->productId : 0xFFFF;
}

uint16_t CHidClient::GetDeviceVer(int index) const {
    const SEntry* entry = Entry(index);
    return entry ? entry->version : 0xFFFF;
}

std::u16string CHidClient::Id2String(uint16_t vid, uint16_t pid) {
    char text[32];
    std::snprintf(text, sizeof text, "VID=%04X, PID=%04X", vid, pid);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

HidStatus CHidClient::OpenEntry(int index, std::unique_ptr<IHidDevice>& device) {
    device.reset();
    const SEntry* entry = Entry(index);
    if (entry == nullptr || !m_transport) {
        // An empty table stays empty: sending to whatever HID device happens to come first would
        // reach a stranger's device.
        m_lastError = {HidStatus::NotFound, {}};
        return HidStatus::NotFound;
    }
    const HidStatus status = m_transport->Open(entry->path, device);
    m_lastError = {status, status == HidStatus::Ok ? std::string() : entry->path};
    if (status == HidStatus::Ok && !device) {
        m_lastError.status = HidStatus::IoFailed;
        return HidStatus::IoFailed;
    }
    return status;
}

int CHidClient::Write(int index, const void* report, size_t length) {
    std::unique_ptr<IHidDevice> device;
    if (report == nullptr || OpenEntry(index, device) != HidStatus::Ok) {
        return 0;
    }
    return device->SetFeature(static_cast<const uint8_t*>(report), length) == HidStatus::Ok ? 1 : 0;
}

int CHidClient::Read(int index, void* report, size_t length) {
    std::unique_ptr<IHidDevice> device;
    if (report == nullptr || OpenEntry(index, device) != HidStatus::Ok) {
        return 0;
    }
    size_t received = 0;
    return device->GetFeature(static_cast<uint8_t*>(report), length, received) == HidStatus::Ok ? 1 : 0;
}

int CHidClient::ReadInputReport(int index, void* report, size_t& length, int timeoutMs) {
    std::unique_ptr<IHidDevice> device;
    if (report == nullptr || OpenEntry(index, device) != HidStatus::Ok) {
        return 0;
    }
    size_t received = 0;
    if (device->ReadInput(static_cast<uint8_t*>(report), length, received, timeoutMs) != HidStatus::Ok) {
        return 0;
    }
    length = received;
    return 1;
}

int CHidClient::SetFeatureReport(int index, const uint8_t* report, int length) {
    // Reports the transfer's own outcome: a refused report is not a sent one.
    return length > 0 ? Write(index, report, static_cast<size_t>(length)) : 0;
}

int CHidClient::GetFeatureReport(int index, uint8_t* report, int length) {
    return length > 0 ? Read(index, report, static_cast<size_t>(length)) : 0;
}

std::unique_ptr<IHidDevice> CHidClient::Open(int index) {
    std::unique_ptr<IHidDevice> device;
    OpenEntry(index, device);
    return device;
}

int CHidClient::Close(std::unique_ptr<IHidDevice>& device) {
    if (!device) {
        return 0;
    }
    device.reset();
    return 1;
}

unsigned long CHidClient::Read(IHidDevice* device, void* buffer, int timeoutMs) {
    if (device == nullptr || buffer == nullptr) {
        return 0;
    }
    size_t received = 0;
    if (device->ReadInput(static_cast<uint8_t*>(buffer), kInputReadLength, received, timeoutMs) !=
        HidStatus::Ok) {
        return 0;
    }
    return static_cast<unsigned long>(received);
}

std::string CHidClient::LastOpenErrorText() const {
    switch (m_lastError.status) {
        case HidStatus::Ok:
            return {};
        case HidStatus::NotFound:
            return m_lastError.path.empty() ? "Open failed: no mouse in the device table"
                                            : "Open failed: the mouse is gone: " + m_lastError.path;
        case HidStatus::PermissionDenied:
            return "Open failed: permission denied: " + m_lastError.path + PermissionHint();
        default:
            return std::string("Open failed: ") + HidStatusText(m_lastError.status) + ": " + m_lastError.path;
    }
}

const char* CHidClient::PermissionHint() {
    return "\nThis user may not open the mouse's HID node. Install the udev rule "
           "resources/udev/70-vorlix-daze.rules (see the README) and plug the mouse in again.";
}

int CHidClient::RegisterNotify(HidNotifyCallback owner) {
    if (!m_transport || !owner) {
        return 0;
    }
    // A second registration ends the first, so no callback outlives its registration record.
    if (m_registration != 0) {
        m_transport->Unsubscribe(m_registration);
        m_registration = 0;
    }
    const int id = m_transport->Subscribe(m_class, owner);
    if (id == 0) {
        return 0;
    }
    m_registration = id;
    m_owner = std::move(owner);
    return 1;
}

int CHidClient::UnRegisterNotify() {
    if (m_registration == 0 || !m_transport) {
        return 0;
    }
    const bool ended = m_transport->Unsubscribe(m_registration);
    m_registration = 0;
    m_owner = nullptr;
    return ended ? 1 : 0;
}

int CHidClient::ReRegisterNotify(HidNotifyCallback owner) {
    if (!m_transport || !owner) {
        return 0;
    }
    if (m_registration != 0) {
        if (!m_transport->Unsubscribe(m_registration)) {
            return 0;
        }
        m_registration = 0;
    }
    m_registration = m_transport->Subscribe(m_class, std::move(owner));
    return m_registration != 0 ? 1 : 0;
}

int CHidClient::RecoverRegisterNotify() {
    if (!m_transport) {
        return 0;
    }
    if (m_registration != 0) {
        if (!m_transport->Unsubscribe(m_registration)) {
            return 0;
        }
        m_registration = 0;
    }
    if (!m_owner) {
        return 1;
    }
    m_registration = m_transport->Subscribe(m_class, m_owner);
    return m_registration != 0 ? 1 : 0;
}

}  // namespace vorlix
