#include "XInputPointerSpeed.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>
#include <mutex>

#include "PointerScale.h"

namespace vorlix {

namespace {

// Xlib reports protocol errors (a device unplugged between listing and writing) through one
// process-wide handler whose default ends the process. While a connection of ours talks to the server
// the handler only counts; the previous one comes back afterwards.
std::mutex g_errorMutex;
int g_errors = 0;
int CountError(Display*, XErrorEvent*) {
    ++g_errors;
    return 0;
}

class CXConnection {
public:
    explicit CXConnection(const std::string& name) : m_lock(g_errorMutex) {
        m_display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
        if (m_display != nullptr) {
            g_errors = 0;
            m_previous = XSetErrorHandler(CountError);
        }
    }
    ~CXConnection() {
        if (m_display != nullptr) {
            XSync(m_display, False);
            XCloseDisplay(m_display);
            XSetErrorHandler(m_previous);
        }
    }
    CXConnection(const CXConnection&) = delete;
    CXConnection& operator=(const CXConnection&) = delete;

    Display* Get() const { return m_display; }
    bool HasXi2() const {
        int opcode = 0, event = 0, error = 0;
        if (!XQueryExtension(m_display, "XInputExtension", &opcode, &event, &error)) {
            return false;
        }
        int major = 2, minor = 0;
        return XIQueryVersion(m_display, &major, &minor) == Success;
    }
    // Errors since the last call, after the server answered everything sent so far.
    int TakeErrors() {
        XSync(m_display, False);
        const int errors = g_errors;
        g_errors = 0;
        return errors;
    }

private:
    std::unique_lock<std::mutex> m_lock;
    Display* m_display = nullptr;
    XErrorHandler m_previous = nullptr;
};

struct SDevice {
    int id;
    std::string name;
};

std::vector<SDevice> SlavePointers(Display* display) {
    std::vector<SDevice> devices;
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; info != nullptr && i < count; ++i) {
        if (info[i].use == XISlavePointer) {
            devices.push_back({info[i].deviceid, info[i].name != nullptr ? info[i].name : ""});
        }
    }
    if (info != nullptr) {
        XIFreeDeviceInfo(info);
    }
    return devices;
}

// The device's acceleration, when it has the property as one 32-bit float.
bool GetAccel(Display* display, int device, Atom property, Atom floatType, float* accel) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Status status = XIGetProperty(display, device, property, 0, 1, False, AnyPropertyType, &type,
                                        &format, &items, &after, &data);
    const bool found =
        status == Success && type == floatType && format == 32 && items >= 1 && data != nullptr;
    if (found) {
        std::memcpy(accel, data, sizeof(float));
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

}  // namespace

CXInputPointerSpeed::CXInputPointerSpeed(std::string display, std::shared_ptr<CPointerFaults> faults)
    : CDesktopPointerBase("X11", std::move(faults)), m_display(std::move(display)) {}

bool CXInputPointerSpeed::Put(const SPointerValues& values) {
    CXConnection x(m_display);
    if (x.Get() == nullptr || !x.HasXi2()) {
        Fault("display", "X11: no X server with XInput 2 to set the pointer speed on");
        return false;
    }
    const Atom property = XInternAtom(x.Get(), kProperty, True);
    const Atom floatType = XInternAtom(x.Get(), "FLOAT", True);
    int written = 0;
    if (property != None && floatType != None) {
        float accel = static_cast<float>(SpeedToAccel(values.speed));
        for (const SDevice& device : SlavePointers(x.Get())) {
            float old = 0;
            if (!GetAccel(x.Get(), device.id, property, floatType, &old)) {
                continue;
            }
            XIChangeProperty(x.Get(), device.id, property, floatType, 32, XIPropModeReplace,
                             reinterpret_cast<unsigned char*>(&accel), 1);
            if (x.TakeErrors() == 0) {
                ++written;
            } else {
                Fault("write/" + device.name, "X11: cannot set the pointer speed of " + device.name);
            }
        }
    }
    if (written == 0) {
        Fault("no-device", "X11: no pointer device has the property \"" + std::string(kProperty) + "\"");
    }
    return written > 0;
}

bool CXInputPointerSpeed::Read(SPointerValues& values) {
    CXConnection x(m_display);
    if (x.Get() == nullptr || !x.HasXi2()) {
        Fault("display", "X11: no X server with XInput 2 to read the pointer speed from");
        return false;
    }
    const Atom property = XInternAtom(x.Get(), kProperty, True);
    const Atom floatType = XInternAtom(x.Get(), "FLOAT", True);
    if (property == None || floatType == None) {
        return false;
    }
    for (const SDevice& device : SlavePointers(x.Get())) {
        float accel = 0;
        if (GetAccel(x.Get(), device.id, property, floatType, &accel)) {
            if (!(accel >= -1.0f && accel <= 1.0f)) {
                Fault("range/" + device.name,
                      "X11: the pointer speed of " + device.name + " is out of range");
            }
            values.speed = AccelToSpeed(accel);
            return true;
        }
    }
    return false;
}

std::vector<std::string> ListXPointerNames(const std::string& display) {
    std::vector<std::string> names;
    CXConnection x(display);
    if (x.Get() == nullptr || !x.HasXi2()) {
        return names;
    }
    for (const SDevice& device : SlavePointers(x.Get())) {
        names.push_back(device.name);
    }
    return names;
}

}  // namespace vorlix
