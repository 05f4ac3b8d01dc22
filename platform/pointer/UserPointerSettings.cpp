#include "UserPointerSettings.h"

#include <cstdlib>
#include <string>

#include "platform/UserStore.h"
#include "platform/pointer/BaselineKeepingPointerSettings.h"
#include "platform/pointer/DesktopInfo.h"
#include "platform/pointer/DesktopPointerSettings.h"

namespace vorlix {

namespace {

// Owns the store the baseline is recorded in, so it lives as long as the settings that use it.
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

std::unique_ptr<IPointerSettings> CreateUserPointerSettings() {
    const char* forced = std::getenv("VORLIX_POINTER_DESKTOP");
    if (forced != nullptr && std::string(forced) == "store") {
        return nullptr;
    }
    auto desktop = CreateDesktopPointerSettings(SDesktopInfo::FromEnvironment());
    if (!desktop) {
        return nullptr;
    }
    return std::make_unique<CUserDesktop>(std::move(desktop));
}

}  // namespace vorlix
