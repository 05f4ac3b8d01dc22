#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vorlix {

// How a transfer or an open ended. The callers tell these apart: a node the user may not open needs
// the udev rule, a node that is gone needs the mouse plugged in, and neither is a mouse that merely
// does not answer.
enum class HidStatus {
    Ok,
    NotFound,          // no such device, or it went away
    PermissionDenied,  // the node exists but this user may not open it
    IoFailed,          // the device refused or broke off the transfer
    TimedOut,          // nothing arrived within the wait
};

const char* HidStatusText(HidStatus status);

// One top-level collection of a report descriptor.
struct HidCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    bool operator==(const HidCollection&) const = default;
};

// One HID interface (one device node) as the enumeration sees it.
struct HidInterfaceInfo {
    std::string path;  // stable identity of the interface; resolved to its node when opened
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;  // the HID version number: the controller family id of our mouse
    int interfaceNumber = 0;
    bool composite = false;  // the device has several interfaces
    std::vector<HidCollection> collections;
    std::u16string product;
    std::u16string manufacturer;
    // The physical device the interface belongs to: the interfaces of one mouse share it.
    std::string device;
};

// Device-change events handed to a subscriber, with the same codes the configuration program and the
// monitor already dispatch on.
inline constexpr uint32_t kDeviceArrival = 0x8000;
inline constexpr uint32_t kDeviceRemoveComplete = 0x8004;

// The classes an enumeration or a subscription can ask for.
enum class HidClass { Mouse, Keyboard, Hid };

// An open device node. Closing is destroying it.
class IHidDevice {
public:
    virtual ~IHidDevice() = default;
    virtual HidStatus SetFeature(const uint8_t* data, size_t length) = 0;
    // data[0] holds the report id on entry; received is the number of bytes that actually arrived.
    virtual HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) = 0;
    // One input report of up to length bytes; TimedOut when none arrived within timeoutMs.
    virtual HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) = 0;
};

using HidNotifyCallback = std::function<void(uint32_t event, const std::string& path)>;

// The seam between the device link and the world: real HID nodes or the virtual mouse. Shared by
// pointer so a worker that outlives its caller's wait still holds a live transport.
class IHidTransport {
public:
    virtual ~IHidTransport() = default;
    // Every present HID interface, in a stable order.
    virtual HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) = 0;
    virtual HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) = 0;
    // Arrival and removal of interfaces of the given class reach the callback, possibly on another
    // thread. Returns a registration id, 0 on failure.
    virtual int Subscribe(HidClass cls, HidNotifyCallback callback) = 0;
    virtual bool Unsubscribe(int id) = 0;
    // True only for the virtual mouse that tests and the demo run against: the one device a generated
    // test firmware image may ever be sent to.
    virtual bool IsVirtualMouse() const { return false; }
};

}  // namespace vorlix
