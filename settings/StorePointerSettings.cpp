#include "StorePointerSettings.h"

#include "ProfilePointerSettings.h"
#include "shared/StoreNames.h"

namespace vorlix {

CStorePointerSettings::CStorePointerSettings(CRegStore& store) : m_store(store) {}

bool CStorePointerSettings::Apply(const SPointerValues& values) {
    const bool wheelValid = values.wheelLines == SPointerValues::kWheelPage ||
                            (values.wheelLines >= 1 && values.wheelLines <= 10);
    if (values.speed < 1 || values.speed > 20 || values.doubleClickMs <= 0 || !wheelValid) {
        return false;
    }
    const bool speed =
        m_store.WriteDword(store::kDesktopPointerSpeed, static_cast<uint32_t>(values.speed)) == 1;
    const bool doubleClick =
        m_store.WriteDword(store::kDesktopDoubleClickTime, static_cast<uint32_t>(values.doubleClickMs)) == 1;
    const bool wheel =
        m_store.WriteDword(
            store::kDesktopWheelScrollLines,
            static_cast<uint32_t>(CProfilePointerSettings::EncodeWheelLines(values.wheelLines))) == 1;
    return speed && doubleClick && wheel;
}

bool CStorePointerSettings::Read(SPointerValues& values) {
    values.speed = CProfilePointerSettings::DecodeSpeed(m_store.ReadDword(store::kDesktopPointerSpeed))
                       .value_or(values.speed);
    values.doubleClickMs =
        CProfilePointerSettings::DecodeDoubleClick(m_store.ReadDword(store::kDesktopDoubleClickTime))
            .value_or(values.doubleClickMs);
    values.wheelLines =
        CProfilePointerSettings::DecodeWheelLines(m_store.ReadDword(store::kDesktopWheelScrollLines))
            .value_or(values.wheelLines);
    return true;
}

}  // namespace vorlix
