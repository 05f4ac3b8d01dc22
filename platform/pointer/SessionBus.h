#pragma once

#include <memory>
#include <string>

#include "GioPtr.h"
#include "PointerFaults.h"

namespace vorlix {

// The user's session bus for the pointer backends: a private connection made on first use and again
// after it was lost, with a short timeout on every call, so a hung desktop service never blocks the
// programs. It never starts a bus of its own: with no DBUS_SESSION_BUS_ADDRESS and no bus socket in
// XDG_RUNTIME_DIR there is simply no bus.
class CSessionBus {
public:
    static constexpr int kCallTimeoutMs = 1000;

    explicit CSessionBus(std::shared_ptr<CPointerFaults> faults, int timeoutMs = kCallTimeoutMs);
    ~CSessionBus();
    CSessionBus(const CSessionBus&) = delete;
    CSessionBus& operator=(const CSessionBus&) = delete;

    // The reply, or null after a failure (told once under the given key). params is consumed when
    // floating; replyType may be null to accept any reply.
    GVariantPtr Call(const char* service, const char* path, const char* interface, const char* method,
                     GVariant* params, const char* replyType, const std::string& faultKey);
    // A property of an object through org.freedesktop.DBus.Properties; null after a failure.
    GVariantPtr GetProperty(const char* service, const char* path, const char* interface, const char* name,
                            const std::string& faultKey);
    bool SetProperty(const char* service, const char* path, const char* interface, const char* name,
                     GVariant* value, const std::string& faultKey);
    // A broadcast signal; the bus has it before this returns.
    bool EmitSignal(const char* path, const char* interface, const char* name, GVariant* params,
                    const std::string& faultKey);

private:
    GDBusConnection* Connection(const std::string& faultKey);

    std::shared_ptr<CPointerFaults> m_faults;
    int m_timeoutMs;
    GObjectPtr<GDBusConnection> m_connection;
};

}  // namespace vorlix
