#include "GnomePointerSettings.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

#include <algorithm>

#include "GioPtr.h"
#include "PointerScale.h"

namespace vorlix {

namespace {

struct SchemaSourceUnref {
    void operator()(GSettingsSchemaSource* source) const { g_settings_schema_source_unref(source); }
};
struct SchemaUnref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};

}  // namespace

CGnomePointerSettings::CGnomePointerSettings(const SOptions& options, std::shared_ptr<CPointerFaults> faults)
    : CDesktopPointerBase("GNOME", std::move(faults)) {
    std::unique_ptr<GSettingsSchemaSource, SchemaSourceUnref> source;
    if (options.schemaDir.empty()) {
        if (GSettingsSchemaSource* system = g_settings_schema_source_get_default()) {
            source.reset(g_settings_schema_source_ref(system));
        }
    } else {
        GError* raw = nullptr;
        source.reset(
            g_settings_schema_source_new_from_directory(options.schemaDir.c_str(), nullptr, FALSE, &raw));
        GErrorPtr error(raw);
    }
    std::unique_ptr<GSettingsSchema, SchemaUnref> schema(
        source ? g_settings_schema_source_lookup(source.get(), kSchema, TRUE) : nullptr);
    if (!schema || !g_settings_schema_has_key(schema.get(), "speed") ||
        !g_settings_schema_has_key(schema.get(), "double-click")) {
        Fault("schema", std::string("GNOME: the settings schema ") + kSchema + " is not installed");
        return;
    }
    GObjectPtr<GSettingsBackend> backend;
    if (!options.keyfilePath.empty()) {
        backend.reset(g_keyfile_settings_backend_new(options.keyfilePath.c_str(), "/", nullptr));
    }
    m_settings = g_settings_new_full(schema.get(), backend.get(), nullptr);
}

CGnomePointerSettings::~CGnomePointerSettings() {
    if (m_settings != nullptr) {
        g_settings_sync();
        g_object_unref(m_settings);
    }
}

bool CGnomePointerSettings::Put(const SPointerValues& values) {
    if (m_settings == nullptr) {
        return false;
    }
    const bool ok = g_settings_set_double(m_settings, "speed", SpeedToAccel(values.speed)) &&
                    g_settings_set_int(m_settings, "double-click", values.doubleClickMs);
    if (!ok) {
        Fault("write", "GNOME: the mouse settings are not writable");
    }
    // Writes reach the desktop's store before the programs go on (or end).
    g_settings_sync();
    return ok;
}

bool CGnomePointerSettings::Read(SPointerValues& values) {
    if (m_settings == nullptr) {
        return false;
    }
    values.speed = AccelToSpeed(g_settings_get_double(m_settings, "speed"));
    const int click = g_settings_get_int(m_settings, "double-click");
    if (click < kMinDoubleClickMs || click > kMaxDoubleClickMs) {
        Fault("double-click/range", "GNOME: the double-click time is out of range: " + std::to_string(click));
    }
    values.doubleClickMs = std::clamp(click, kMinDoubleClickMs, kMaxDoubleClickMs);
    return true;
}

}  // namespace vorlix
