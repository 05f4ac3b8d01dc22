#include "SessionBus.h"

#include <sys/stat.h>

#include <cstdlib>

namespace vorlix {

namespace {

std::string SessionBusAddress() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address != nullptr && *address) {
        return address;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        const std::string socket = std::string(runtime) + "/bus";
        struct stat info {};
        if (stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
            return "unix:path=" + socket;
        }
    }
    return {};
}

}  // namespace

CSessionBus::CSessionBus(std::shared_ptr<CPointerFaults> faults, int timeoutMs)
    : m_faults(std::move(faults)), m_timeoutMs(timeoutMs) {}

CSessionBus::~CSessionBus() {
    if (m_connection) {
        // Sends what is queued (a change signal emitted last) before the connection goes.
        g_dbus_connection_flush_sync(m_connection.get(), nullptr, nullptr);
        g_dbus_connection_close_sync(m_connection.get(), nullptr, nullptr);
    }
}

GDBusConnection* CSessionBus::Connection(const std::string& faultKey) {
    if (m_connection && !g_dbus_connection_is_closed(m_connection.get())) {
        return m_connection.get();
    }
    m_connection.reset();
    const std::string address = SessionBusAddress();
    if (address.empty()) {
        m_faults->Report("bus/none", "no session bus: the desktop's pointer services cannot be reached");
        return nullptr;
    }
    GError* raw = nullptr;
    auto flags = static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                   G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
    GDBusConnection* connection =
        g_dbus_connection_new_for_address_sync(address.c_str(), flags, nullptr, nullptr, &raw);
    GErrorPtr error(raw);
    if (connection == nullptr) {
        m_faults->Report(faultKey + "/connect",
                         std::string("cannot connect to the session bus: ") + (error ? error->message : "?"));
        return nullptr;
    }
    g_dbus_connection_set_exit_on_close(connection, FALSE);
    m_connection.reset(connection);
    return connection;
}

GVariantPtr CSessionBus::Call(const char* service, const char* path, const char* interface,
                              const char* method, GVariant* params, const char* replyType,
                              const std::string& faultKey) {
    GVariantPtr owned(params != nullptr ? g_variant_ref_sink(params) : nullptr);
    GDBusConnection* connection = Connection(faultKey);
    if (connection == nullptr) {
        return nullptr;
    }
    GError* raw = nullptr;
    GVariant* reply =
        g_dbus_connection_call_sync(connection, service, path, interface, method, owned.get(),
                                    replyType != nullptr ? G_VARIANT_TYPE(replyType) : nullptr,
                                    G_DBUS_CALL_FLAGS_NO_AUTO_START, m_timeoutMs, nullptr, &raw);
    GErrorPtr error(raw);
    if (reply == nullptr) {
        m_faults->Report(faultKey, std::string(service) + " " + method +
                                       " failed: " + (error ? error->message : "no reply"));
    }
    return GVariantPtr(reply);
}

GVariantPtr CSessionBus::GetProperty(const char* service, const char* path, const char* interface,
                                     const char* name, const std::string& faultKey) {
    GVariantPtr reply = Call(service, path, "org.freedesktop.DBus.Properties", "Get",
                             g_variant_new("(ss)", interface, name), "(v)", faultKey);
    if (!reply) {
        return nullptr;
    }
    GVariant* value = nullptr;
    g_variant_get(reply.get(), "(v)", &value);
    return GVariantPtr(value);
}

bool CSessionBus::SetProperty(const char* service, const char* path, const char* interface, const char* name,
                              GVariant* value, const std::string& faultKey) {
    return Call(service, path, "org.freedesktop.DBus.Properties", "Set",
                g_variant_new("(ssv)", interface, name, value), nullptr, faultKey) != nullptr;
}

bool CSessionBus::EmitSignal(const char* path, const char* interface, const char* name, GVariant* params,
                             const std::string& faultKey) {
    GVariantPtr owned(params != nullptr ? g_variant_ref_sink(params) : nullptr);
    GDBusConnection* connection = Connection(faultKey);
    if (connection == nullptr) {
        return false;
    }
    GError* raw = nullptr;
    const bool sent =
        g_dbus_connection_emit_signal(connection, nullptr, path, interface, name, owned.get(), &raw) &&
        g_dbus_connection_flush_sync(connection, nullptr, &raw);
    GErrorPtr error(raw);
    if (!sent) {
        m_faults->Report(faultKey, std::string("cannot send ") + interface + "." + name + ": " +
                                       (error ? error->message : "?"));
    }
    return sent;
}

}  // namespace vorlix
