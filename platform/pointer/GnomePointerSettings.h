#pragma once

#include <memory>
#include <string>

#include "DesktopPointerBase.h"

struct _GSettings;

namespace vorlix {

// GNOME: speed and double-click time of the mouse settings schema through GSettings in this process.
// GNOME has no wheel-lines setting, so the wheel stays in the store.
class CGnomePointerSettings : public CDesktopPointerBase {
public:
    static constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

    struct SOptions {
        std::string schemaDir;    // a folder with gschemas.compiled; empty: the system's schemas
        std::string keyfilePath;  // settings kept in this key file; empty: the desktop's own store
    };

    CGnomePointerSettings(const SOptions& options, std::shared_ptr<CPointerFaults> faults);
    ~CGnomePointerSettings() override;

    // False when the schema is not installed: then this backend acts on nothing.
    bool Usable() const { return m_settings != nullptr; }

    bool Read(SPointerValues& values) override;

protected:
    bool Put(const SPointerValues& values) override;

private:
    ::_GSettings* m_settings = nullptr;
};

}  // namespace vorlix
