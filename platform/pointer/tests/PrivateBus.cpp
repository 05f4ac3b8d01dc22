#include "PrivateBus.h"

#include <chrono>
#include <future>

namespace vorlix::testing {

PrivateBus::PrivateBus() {
    m_bus = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(m_bus);
    m_up = g_test_dbus_get_bus_address(m_bus) != nullptr;
}

PrivateBus::~PrivateBus() {
    g_test_dbus_down(m_bus);
    g_object_unref(m_bus);
}

struct FakeService::Handlers {
    static void Method(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* method,
                       GVariant* params, GDBusMethodInvocation* invocation, gpointer self) {
        auto* service = static_cast<FakeService*>(self);
        std::string error;
        GVariant* reply = service->m_method ? service->m_method(path, method, params, &error) : nullptr;
        if (!error.empty()) {
            g_dbus_method_invocation_return_dbus_error(invocation, "org.example.Fake.Error", error.c_str());
        } else {
            g_dbus_method_invocation_return_value(invocation, reply);
        }
    }
    static GVariant* Get(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                         const gchar* property, GError** error, gpointer self) {
        auto* service = static_cast<FakeService*>(self);
        GVariant* value = service->m_get ? service->m_get(path, property) : nullptr;
        if (value == nullptr) {
            g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no %s", property);
        }
        return value;
    }
    static gboolean Set(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                        const gchar* property, GVariant* value, GError** error, gpointer self) {
        auto* service = static_cast<FakeService*>(self);
        if (service->m_set && service->m_set(path, property, value)) {
            return TRUE;
        }
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_PROPERTY_READ_ONLY, "cannot set %s", property);
        return FALSE;
    }
    static void Signal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                       GVariant* params, gpointer self) {
        auto* service = static_cast<FakeService*>(self);
        gchar* text = g_variant_print(params, FALSE);
        {
            std::lock_guard lock(service->m_mutex);
            service->m_signals.emplace_back(text);
        }
        g_free(text);
        service->m_changed.notify_all();
    }
};

FakeService::FakeService(std::string name, std::vector<Object> objects, MethodHandler method, GetHandler get,
                         SetHandler set)
    : m_method(std::move(method)), m_get(std::move(get)), m_set(std::move(set)) {
    m_context = g_main_context_new();
    m_loop = g_main_loop_new(m_context, FALSE);
    std::promise<bool> ready;
    auto started = ready.get_future();
    m_thread = std::thread([this, &ready, name = std::move(name), objects = std::move(objects)]() mutable {
        g_main_context_push_thread_default(m_context);
        GError* error = nullptr;
        gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        bool ok = address != nullptr;
        if (ok) {
            m_connection = g_dbus_connection_new_for_address_sync(
                address,
                static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                  G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                nullptr, nullptr, &error);
            ok = m_connection != nullptr;
        }
        g_free(address);
        static const GDBusInterfaceVTable vtable = {&Handlers::Method, &Handlers::Get, &Handlers::Set, {}};
        for (const Object& object : objects) {
            if (!ok) {
                break;
            }
            GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(object.interfaceXml.c_str(), &error);
            ok = node != nullptr && node->interfaces != nullptr && node->interfaces[0] != nullptr;
            ok = ok &&
                 g_dbus_connection_register_object(m_connection, object.path.c_str(), node->interfaces[0],
                                                   &vtable, this, nullptr, &error) != 0;
            if (node != nullptr) {
                g_dbus_node_info_unref(node);
            }
        }
        if (ok && !name.empty()) {
            GVariant* reply = g_dbus_connection_call_sync(
                m_connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "RequestName", g_variant_new("(su)", name.c_str(), 4u), G_VARIANT_TYPE("(u)"),
                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
            guint result = 0;
            if (reply != nullptr) {
                g_variant_get(reply, "(u)", &result);
                g_variant_unref(reply);
            }
            ok = result == 1;  // primary owner
        }
        if (error != nullptr) {
            g_printerr("fake service: %s\n", error->message);
            g_error_free(error);
        }
        ready.set_value(ok);
        g_main_loop_run(m_loop);
        g_main_context_pop_thread_default(m_context);
    });
    m_ready = started.wait_for(std::chrono::seconds(10)) == std::future_status::ready && started.get();
}

FakeService::~FakeService() {
    g_main_context_invoke(
        m_context,
        [](gpointer loop) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
            return G_SOURCE_REMOVE;
        },
        m_loop);
    m_thread.join();
    if (m_connection != nullptr) {
        g_dbus_connection_close_sync(m_connection, nullptr, nullptr);
        g_object_unref(m_connection);
    }
    g_main_loop_unref(m_loop);
    g_main_context_unref(m_context);
}

void FakeService::Listen(const std::string& interface, const std::string& member) {
    struct Request {
        FakeService* self;
        std::string interface, member;
        std::promise<void> done;
    } request{this, interface, member, {}};
    auto done = request.done.get_future();
    // Subscribed on the service's thread, so the callbacks run there.
    g_main_context_invoke(
        m_context,
        [](gpointer data) -> gboolean {
            auto* r = static_cast<Request*>(data);
            g_dbus_connection_signal_subscribe(r->self->m_connection, nullptr, r->interface.c_str(),
                                               r->member.c_str(), nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                               &Handlers::Signal, r->self, nullptr);
            r->done.set_value();
            return G_SOURCE_REMOVE;
        },
        &request);
    done.wait();
    // The match rule reaches the bus before any later signal: a round trip through it settles that.
    GVariant* reply = g_dbus_connection_call_sync(
        m_connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId",
        nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    if (reply != nullptr) {
        g_variant_unref(reply);
    }
}

std::vector<std::string> FakeService::WaitForSignals(size_t count, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_signals.size() >= count; });
    return m_signals;
}

}  // namespace vorlix::testing
