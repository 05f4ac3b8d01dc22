#include "TracingPointerSettings.h"

#include <string>

#include "platform/Trace.h"
#include "platform/pointer/UserPointerSettings.h"
#include "settings/StorePointerSettings.h"

namespace vorlix {

namespace {

// Where no desktop backend fits (or VORLIX_POINTER_DESKTOP=store asks for it), the store stands in for
// the desktop: what was put into effect is kept under the "Desktop ..." values, where the configuration
// program and the tests read it back.
class CStoreDesktop final : public IPointerSettings {
public:
    CStoreDesktop() : m_settings(m_store.Store()) {}
    bool Apply(const SPointerValues& values) override { return m_settings.Apply(values); }
    bool Read(SPointerValues& values) override { return m_settings.Read(values); }

private:
    CUserStore m_store;
    CStorePointerSettings m_settings;
};

}  // namespace

bool CTracingPointerSettings::Apply(const SPointerValues& values) {
    const bool applied = m_inner->Apply(values);
    Trace("pointer settings " + std::to_string(values.speed) + " " + std::to_string(values.doubleClickMs) +
          " " + std::to_string(values.wheelLines) + (applied ? "" : " (refused)"));
    return applied;
}

std::unique_ptr<IPointerSettings> CreateMonitorPointerSettings() {
    if (auto desktop = CreateUserPointerSettings()) {
        Trace("pointer backend: the desktop");
        return std::make_unique<CTracingPointerSettings>(std::move(desktop));
    }
    Trace("pointer backend: the store");
    return std::make_unique<CTracingPointerSettings>(std::make_unique<CStoreDesktop>());
}

}  // namespace vorlix
