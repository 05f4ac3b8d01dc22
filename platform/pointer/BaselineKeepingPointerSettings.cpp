#include "BaselineKeepingPointerSettings.h"

#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {

CBaselineKeepingPointerSettings::CBaselineKeepingPointerSettings(std::unique_ptr<IPointerSettings> desktop,
                                                                 CRegStore& store)
    : m_desktop(std::move(desktop)), m_store(store) {}

bool CBaselineKeepingPointerSettings::HasBaseline() {
    // A read of a missing value gives -1, and on a store that did not exist yet 0: neither is 1.
    return m_store.ReadDword(store::kDesktopBaselineRecorded) == 1;
}

void CBaselineKeepingPointerSettings::RecordBaseline() {
    // Zero marks a setting this desktop does not hold; those are not recorded.
    SPointerValues own{0, 0, 0};
    if (!m_desktop->Read(own)) {
        return;  // tried again at the next apply
    }
    if (own.speed > 0) {
        m_store.WriteDword(store::kDesktopBaselineSpeed, static_cast<uint32_t>(own.speed));
    }
    if (own.doubleClickMs > 0) {
        m_store.WriteDword(store::kDesktopBaselineDoubleClick, static_cast<uint32_t>(own.doubleClickMs));
    }
    if (own.wheelLines > 0) {
        m_store.WriteDword(store::kDesktopBaselineWheelLines, static_cast<uint32_t>(own.wheelLines));
    }
    m_store.WriteDword(store::kDesktopBaselineRecorded, 1);
}

bool CBaselineKeepingPointerSettings::Apply(const SPointerValues& values) {
    if (!HasBaseline()) {
        RecordBaseline();
    }
    return m_desktop->Apply(values);
}

bool CBaselineKeepingPointerSettings::Read(SPointerValues& values) {
    return m_desktop->Read(values);
}

bool CBaselineKeepingPointerSettings::RestoreBaseline() {
    if (!HasBaseline()) {
        return false;
    }
    SPointerValues values;
    m_desktop->Read(values);
    if (const int32_t speed = m_store.ReadDword(store::kDesktopBaselineSpeed); speed > 0) {
        values.speed = speed;
    }
    if (const int32_t click = m_store.ReadDword(store::kDesktopBaselineDoubleClick); click > 0) {
        values.doubleClickMs = click;
    }
    if (const int32_t lines = m_store.ReadDword(store::kDesktopBaselineWheelLines); lines > 0) {
        values.wheelLines = lines;
    }
    return m_desktop->Apply(values);
}

}  // namespace vorlix
