#include "HidapiTransport.h"

#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "SysfsHid.h"
#include "device/InterfaceRules.h"
#include "device/ReportDescriptor.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

struct SUdev {
    udev* context = udev_new();
    ~SUdev() {
        if (context != nullptr) {
            udev_unref(context);
        }
    }
};

unsigned long HexAttribute(udev_device* device, const char* name) {
    const char* text = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    return text ? std::strtoul(text, nullptr, 16) : 0;
}

std::string TextAttribute(udev_device* device, const char* name) {
    const char* text = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    return text ? text : "";
}

// Everything the table needs about one hidraw node.
bool DescribeNode(udev_device* hidraw, HidInterfaceInfo& info) {
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    if (hid == nullptr) {
        return false;
    }
    info = HidInterfaceInfo{};
    info.path = udev_device_get_syspath(hid);
    if (!ParseHidId(udev_device_get_property_value(hid, "HID_ID"), info.vendorId, info.productId)) {
        return false;
    }
    udev_device* usbInterface = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_interface");
    udev_device* usbDevice = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device");
    info.interfaceNumber = static_cast<int>(HexAttribute(usbInterface, "bInterfaceNumber"));
    info.composite = std::strtoul(TextAttribute(usbDevice, "bNumInterfaces").c_str(), nullptr, 10) > 1;
    info.version = static_cast<uint16_t>(HexAttribute(usbDevice, "bcdDevice"));
    std::string product = TextAttribute(usbDevice, "product");
    if (product.empty()) {
        const char* name = udev_device_get_property_value(hid, "HID_NAME");
        product = name ? name : "";
    }
    info.product = Utf8ToUtf16(product);
    info.manufacturer = Utf8ToUtf16(TextAttribute(usbDevice, "manufacturer"));
    const char* parent = usbDevice ? udev_device_get_syspath(usbDevice) : nullptr;
    info.device = parent ? parent : info.path;
    std::ifstream descriptor(info.path + "/report_descriptor", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(descriptor)),
                                     std::istreambuf_iterator<char>());
    ParseTopLevelCollections(bytes.data(), bytes.size(), info.collections);
    return true;
}

class CHidapiDevice final : public IHidDevice {
public:
    explicit CHidapiDevice(hid_device* device) : m_device(device) {}
    ~CHidapiDevice() override { hid_close(m_device); }
    CHidapiDevice(const CHidapiDevice&) = delete;
    CHidapiDevice& operator=(const CHidapiDevice&) = delete;

    HidStatus SetFeature(const uint8_t* data, size_t length) override {
        return hid_send_feature_report(m_device, data, length) >= 0 ? HidStatus::Ok : Failure();
    }
    HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
        const int n = hid_get_feature_report(m_device, data, length);
        received = n > 0 ? static_cast<size_t>(n) : 0;
        return n >= 0 ? HidStatus::Ok : Failure();
    }
    HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) override {
        const int n = hid_read_timeout(m_device, data, length, timeoutMs);
        received = n > 0 ? static_cast<size_t>(n) : 0;
        if (n == 0) {
            return HidStatus::TimedOut;
        }
        return n > 0 ? HidStatus::Ok : Failure();
    }

private:
    static HidStatus Failure() {
        return errno == ENODEV || errno == ENOENT ? HidStatus::NotFound : HidStatus::IoFailed;
    }
    hid_device* m_device;
};

}  // namespace

CHidapiTransport::CHidapiTransport() {
    hid_init();
}

CHidapiTransport::~CHidapiTransport() {
    if (m_monitor.joinable()) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_stopPipe[1], &stop, 1);
        m_monitor.join();
    }
    for (int fd : m_stopPipe) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void CHidapiTransport::Remember(const HidInterfaceInfo& info) {
    std::lock_guard lock(m_mutex);
    m_known[info.path] = info;
}

HidStatus CHidapiTransport::Enumerate(std::vector<HidInterfaceInfo>& interfaces) {
    interfaces.clear();
    SUdev udev;
    if (udev.context == nullptr) {
        return HidStatus::IoFailed;
    }
    udev_enumerate* enumerate = udev_enumerate_new(udev.context);
    if (enumerate == nullptr) {
        return HidStatus::IoFailed;
    }
    udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* hidraw = udev_device_new_from_syspath(udev.context, udev_list_entry_get_name(entry));
        if (hidraw == nullptr) {
            continue;
        }
        HidInterfaceInfo info;
        if (DescribeNode(hidraw, info)) {
            Remember(info);
            interfaces.push_back(std::move(info));
        }
        udev_device_unref(hidraw);
    }
    udev_enumerate_unref(enumerate);
    return HidStatus::Ok;
}

HidStatus CHidapiTransport::Open(const std::string& path, std::unique_ptr<IHidDevice>& device) {
    device.reset();
    SUdev udev;
    if (udev.context == nullptr) {
        return HidStatus::IoFailed;
    }
    udev_device* hid = udev_device_new_from_syspath(udev.context, path.c_str());
    if (hid == nullptr) {
        return HidStatus::NotFound;
    }
    std::string node;
    udev_enumerate* enumerate = udev_enumerate_new(udev.context);
    if (enumerate != nullptr) {
        udev_enumerate_add_match_parent(enumerate, hid);
        udev_enumerate_add_match_subsystem(enumerate, "hidraw");
        udev_enumerate_scan_devices(enumerate);
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device* hidraw = udev_device_new_from_syspath(udev.context, udev_list_entry_get_name(entry));
            if (hidraw != nullptr) {
                const char* devnode = udev_device_get_devnode(hidraw);
                if (devnode != nullptr && node.empty()) {
                    node = devnode;
                }
                udev_device_unref(hidraw);
            }
        }
        udev_enumerate_unref(enumerate);
    }
    udev_device_unref(hid);
    if (node.empty()) {
        return HidStatus::NotFound;
    }
    // Ask the node itself first: hidapi reports every open failure alike.
    const int probe = ::open(node.c_str(), O_RDWR | O_CLOEXEC);
    if (probe < 0) {
        return StatusOfErrno(errno);
    }
    ::close(probe);
    hid_device* opened = hid_open_path(node.c_str());
    if (opened == nullptr) {
        return StatusOfErrno(errno);
    }
    device = std::make_unique<CHidapiDevice>(opened);
    return HidStatus::Ok;
}

int CHidapiTransport::Subscribe(HidClass cls, HidNotifyCallback callback) {
    if (!callback) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    if (!m_monitor.joinable()) {
        if (::pipe2(m_stopPipe, O_CLOEXEC) != 0) {
            return 0;
        }
        m_monitor = std::thread([this] { MonitorLoop(); });
    }
    const int id = m_nextId++;
    m_subscribers[id] = {cls, std::move(callback)};
    return id;
}

bool CHidapiTransport::Unsubscribe(int id) {
    std::lock_guard lock(m_mutex);
    return m_subscribers.erase(id) > 0;
}

void CHidapiTransport::MonitorLoop() {
    SUdev udev;
    if (udev.context == nullptr) {
        return;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(udev.context, "udev");
    if (monitor == nullptr) {
        return;
    }
    udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
    udev_monitor_enable_receiving(monitor);
    pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[1].revents != 0) {
            break;
        }
        udev_device* hidraw = udev_monitor_receive_device(monitor);
        if (hidraw == nullptr) {
            continue;
        }
        const std::string action = udev_device_get_action(hidraw) ? udev_device_get_action(hidraw) : "";
        HidInterfaceInfo info;
        uint32_t event = 0;
        if (action == "add" && DescribeNode(hidraw, info)) {
            Remember(info);
            event = kDeviceArrival;
        } else if (action == "remove") {
            const std::string path = HidPathOfHidraw(udev_device_get_syspath(hidraw));
            std::lock_guard lock(m_mutex);
            auto known = m_known.find(path);
            if (known != m_known.end()) {
                info = known->second;
                m_known.erase(known);
                event = kDeviceRemoveComplete;
            }
        }
        udev_device_unref(hidraw);
        if (event == 0) {
            continue;
        }
        std::vector<HidNotifyCallback> callbacks;
        {
            std::lock_guard lock(m_mutex);
            for (const auto& [id, subscriber] : m_subscribers) {
                if (InHidClass(info, subscriber.cls)) {
                    callbacks.push_back(subscriber.callback);
                }
            }
        }
        for (const HidNotifyCallback& callback : callbacks) {
            callback(event, info.path);
        }
    }
    udev_monitor_unref(monitor);
}

}  // namespace vorlix
