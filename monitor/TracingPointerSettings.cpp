#include "TracingPointerSettings.h"

#include <cstdlib>
#include <string>

#include "MonitorTrace.h"
#include "platform/pointer/BaselineKeepingPointerSettings.h"
#include "platform/pointer/DesktopInfo.h"
#include "platform/pointer/DesktopPointerSettings.h"
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

// The user's desktop, with its own values recorded once before the first change so they can be restored.
class CUserDesktop final : public IPointerSettings {
public:
    explicit CUserDesktop(std::unique_ptr<IPointerSettings> desktop)
        : m_settings(std::move(desktop), m_store.Store()) {}
    bool Apply(const SPointerValues& values) override { return m_settings.Apply(values); }
    bool Read(SPointerValues& values) override { return m_settings.Read(values); }

private:
    CUserStore m_store;
    CBaselineKeepingPointerSettings m_settings;
};

}  // namespace

bool CTracingPointerSettings::Apply(const SPointerValues& values) {
    const bool applied = m_inner->Apply(values);
    MonitorTrace("pointer settings " + std::to_string(values.speed) + " " +
                 std::to_string(values.doubleClickMs) + " " + std::to_string(values.wheelLines) +
                 (applied ? "" : " (refused)"));
    return applied;
}

std::unique_ptr<IPointerSettings> CreateMonitorPointerSettings() {
    const char* forced = std::getenv("VORLIX_POINTER_DESKTOP");
    if (forced == nullptr || std::string(forced) != "store") {
        if (auto desktop = CreateDesktopPointerSettings(SDesktopInfo::FromEnvironment())) {
            MonitorTrace("pointer settings go to the desktop");
            return std::make_unique<CTracingPointerSettings>(
                std::make_unique<CUserDesktop>(std::move(desktop)));
        }
    }
    MonitorTrace("pointer settings are kept in the store");
    return std::make_unique<CTracingPointerSettings>(std::make_unique<CStoreDesktop>());
}

}  // namespace vorlix
