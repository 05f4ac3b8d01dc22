#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gio/gio.h>

namespace vorlix::testing {

// A session bus of the test's own (a dbus-daemon started for it), named in DBUS_SESSION_BUS_ADDRESS
// while the object lives.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Up() const { return m_up; }

private:
    GTestDBus* m_bus = nullptr;
    bool m_up = false;
};

// A stand-in for a desktop service on the private bus: owns a name, serves objects described by
// introspection XML and calls the test's handlers on its own thread. It can also listen for a signal.
class FakeService {
public:
    // Answers a method call: return the reply (may be null for "()"), or set *error to fail the call.
    using MethodHandler = std::function<GVariant*(const std::string& path, const std::string& method,
                                                  GVariant* params, std::string* error)>;
    using GetHandler = std::function<GVariant*(const std::string& path, const std::string& property)>;
    using SetHandler =
        std::function<bool(const std::string& path, const std::string& property, GVariant* value)>;

    struct Object {
        std::string path;
        std::string interfaceXml;  // one <node> with one <interface>
    };

    // name: the bus name to own, empty for a listener only.
    FakeService(std::string name, std::vector<Object> objects, MethodHandler method = {}, GetHandler get = {},
                SetHandler set = {});
    ~FakeService();
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    bool Ready() const { return m_ready; }

    // Records every signal of that interface and member from anyone.
    void Listen(const std::string& interface, const std::string& member);
    // Waits (bounded) until count signals arrived; gives what arrived, as printed variants.
    std::vector<std::string> WaitForSignals(size_t count, int timeoutMs = 5000);

    struct Handlers;

private:
    void Run(std::string name, std::vector<Object> objects);

    MethodHandler m_method;
    GetHandler m_get;
    SetHandler m_set;
    GMainContext* m_context = nullptr;
    GMainLoop* m_loop = nullptr;
    GDBusConnection* m_connection = nullptr;
    std::thread m_thread;
    bool m_ready = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_signals;
};

}  // namespace vorlix::testing
