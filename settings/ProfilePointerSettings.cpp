#include "ProfilePointerSettings.h"

#include <algorithm>

#include "shared/StoreNames.h"

namespace vorlix {

namespace {

bool ValidProfile(int profileIndex) {
    return profileIndex >= 0 && profileIndex < CProfilePointerSettings::kProfileCount;
}

}  // namespace

CProfilePointerSettings::CProfilePointerSettings(CRegStore& store, IPointerSettings& desktop)
    : m_store(store), m_desktop(desktop) {}

std::optional<int> CProfilePointerSettings::DecodeSpeed(int32_t stored) {
    if (stored <= 0) {
        return std::nullopt;  // 0, -1 (missing) and values no desktop ever gave
    }
    return std::min<int32_t>(stored, 20);
}

std::optional<int> CProfilePointerSettings::DecodeDoubleClick(int32_t stored) {
    if (stored <= 0) {
        return std::nullopt;
    }
    return std::min<int32_t>(stored, kMaxDoubleClickMs);
}

std::optional<int> CProfilePointerSettings::DecodeWheelLines(int32_t stored) {
    if (stored <= 0) {
        return std::nullopt;
    }
    return stored > 10 ? SPointerValues::kWheelPage : stored;
}

int32_t CProfilePointerSettings::EncodeWheelLines(int lines) {
    if (lines == SPointerValues::kWheelPage || lines > 10) {
        return kStoredWheelPage;
    }
    return std::max(lines, 1);
}

CProfilePointerSettings::SRecorded CProfilePointerSettings::Recorded(int profileIndex) {
    SRecorded recorded;
    if (!ValidProfile(profileIndex)) {
        return recorded;
    }
    const int number = profileIndex + 1;
    recorded.speed = DecodeSpeed(m_store.ReadDword(store::MotionSpeed(number)));
    recorded.doubleClickMs = DecodeDoubleClick(m_store.ReadDword(store::DoubleClickSpeed(number)));
    recorded.wheelLines = DecodeWheelLines(m_store.ReadDword(store::WheelScrollLines(number)));
    return recorded;
}

bool CProfilePointerSettings::Apply(int profileIndex) {
    const SRecorded recorded = Recorded(profileIndex);
    if (!recorded.Any()) {
        return false;
    }
    SPointerValues values;
    if (!(recorded.speed && recorded.doubleClickMs && recorded.wheelLines)) {
        // The settings the profile leaves out stay as the desktop has them. A desktop that cannot
        // say gets the neutral values for them.
        m_desktop.Read(values);
    }
    values.speed = recorded.speed.value_or(values.speed);
    values.doubleClickMs = recorded.doubleClickMs.value_or(values.doubleClickMs);
    values.wheelLines = recorded.wheelLines.value_or(values.wheelLines);
    return m_desktop.Apply(values);
}

bool CProfilePointerSettings::Record(int profileIndex) {
    if (!ValidProfile(profileIndex)) {
        return false;
    }
    SPointerValues values;
    if (!m_desktop.Read(values)) {
        return false;
    }
    const int number = profileIndex + 1;
    const bool speed = m_store.WriteDword(store::MotionSpeed(number),
                                          static_cast<uint32_t>(std::clamp(values.speed, 1, 20))) == 1;
    const bool doubleClick =
        m_store.WriteDword(store::DoubleClickSpeed(number),
                           static_cast<uint32_t>(std::clamp(values.doubleClickMs, 1, kMaxDoubleClickMs))) ==
        1;
    const bool wheel = m_store.WriteDword(store::WheelScrollLines(number),
                                          static_cast<uint32_t>(EncodeWheelLines(values.wheelLines))) == 1;
    return speed && doubleClick && wheel;
}

}  // namespace vorlix
