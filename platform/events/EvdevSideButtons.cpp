#include "EvdevSideButtons.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

namespace vorlix {

namespace {

uint16_t HexAttribute(udev_device* device, const char* name) {
    const char* text = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    return text ? static_cast<uint16_t>(std::strtoul(text, nullptr, 16)) : 0;
}

bool PropertyIs(udev_device* device, const char* name, const char* value) {
    const char* text = udev_device_get_property_value(device, name);
    return text != nullptr && std::string(text) == value;
}

}  // namespace

CEvdevSideButtons::CEvdevSideButtons(Callback callback) : m_callback(std::move(callback)) {}

CEvdevSideButtons::~CEvdevSideButtons() {
    Stop();
}

std::vector<std::string> CEvdevSideButtons::FindNodes(uint16_t vendorId, uint16_t productId) {
    std::vector<std::string> nodes;
    udev* context = udev_new();
    if (context == nullptr) {
        return nodes;
    }
    udev_enumerate* enumerate = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(enumerate, "input");
    udev_enumerate_add_match_sysname(enumerate, "event*");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        if (device == nullptr) {
            continue;
        }
        // Only the pointer node: a node that also reports keys would show what the user types.
        udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
        const char* node = udev_device_get_devnode(device);
        if (node != nullptr && PropertyIs(device, "ID_INPUT_MOUSE", "1") &&
            !PropertyIs(device, "ID_INPUT_KEYBOARD", "1") && !PropertyIs(device, "ID_INPUT_KEY", "1") &&
            HexAttribute(usb, "idVendor") == vendorId && HexAttribute(usb, "idProduct") == productId) {
            nodes.emplace_back(node);
        }
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    udev_unref(context);
    return nodes;
}

bool CEvdevSideButtons::Start(const std::vector<std::string>& nodes) {
    Stop();
    std::vector<int> fds;
    for (const std::string& node : nodes) {
        const int fd = ::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            fds.push_back(fd);
        }
    }
    if (fds.empty()) {
        return false;
    }
    m_wake = ::eventfd(0, EFD_CLOEXEC);
    if (m_wake < 0) {
        for (int fd : fds) {
            ::close(fd);
        }
        return false;
    }
    m_thread = std::thread([this, fds] { Run(fds); });
    return true;
}

void CEvdevSideButtons::Stop() {
    if (m_thread.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wake, &one, sizeof one);
        m_thread.join();
    }
    if (m_wake >= 0) {
        ::close(m_wake);
        m_wake = -1;
    }
}

void CEvdevSideButtons::Run(std::vector<int> fds) {
    struct SNode {
        int fd = -1;
        libevdev* device = nullptr;
        uint8_t held = 0;
        uint8_t reported = 0;
    };
    std::vector<SNode> nodes;
    for (int fd : fds) {
        libevdev* device = nullptr;
        if (libevdev_new_from_fd(fd, &device) == 0) {
            nodes.push_back({fd, device, 0, 0});
        } else {
            ::close(fd);
        }
    }
    std::vector<pollfd> polls;
    for (const SNode& node : nodes) {
        polls.push_back({node.fd, POLLIN, 0});
    }
    polls.push_back({m_wake, POLLIN, 0});
    bool running = !nodes.empty();
    while (running) {
        if (::poll(polls.data(), polls.size(), -1) < 0) {
            running = errno == EINTR;
            continue;
        }
        if (polls.back().revents != 0) {
            break;
        }
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (polls[i].revents == 0) {
                continue;
            }
            if ((polls[i].revents & (POLLHUP | POLLERR)) != 0) {
                running = false;  // the mouse went away; the monitor starts a new reader on arrival
                break;
            }
            SNode& node = nodes[i];
            unsigned flag = LIBEVDEV_READ_FLAG_NORMAL;
            input_event event{};
            for (;;) {
                const int rc = libevdev_next_event(node.device, flag, &event);
                if (rc == LIBEVDEV_READ_STATUS_SYNC) {
                    // Events were dropped: catch up with the device's state, then read on normally.
                    flag = LIBEVDEV_READ_FLAG_SYNC;
                } else if (rc == -EAGAIN && flag == LIBEVDEV_READ_FLAG_SYNC) {
                    flag = LIBEVDEV_READ_FLAG_NORMAL;
                    continue;
                } else if (rc != LIBEVDEV_READ_STATUS_SUCCESS) {
                    if (rc != -EAGAIN) {
                        running = false;
                    }
                    break;
                }
                if (event.type == EV_KEY && (event.code == BTN_SIDE || event.code == BTN_EXTRA)) {
                    const uint8_t bit = event.code == BTN_SIDE ? kBack : kForward;
                    node.held = event.value != 0 ? static_cast<uint8_t>(node.held | bit)
                                                 : static_cast<uint8_t>(node.held & ~bit);
                } else if (event.type == EV_SYN && event.code == SYN_REPORT && node.held != node.reported) {
                    // Only frames that change the side buttons: pointer motion never wakes the monitor.
                    node.reported = node.held;
                    m_callback(node.held);
                }
            }
        }
    }
    for (SNode& node : nodes) {
        libevdev_free(node.device);
        ::close(node.fd);
    }
}

}  // namespace vorlix
