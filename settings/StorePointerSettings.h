#pragma once

#include "shared/PointerSettings.h"
#include "shared/RegStore.h"

namespace vorlix {

// A desktop whose pointer settings live in the store ("Desktop Pointer Speed", "Desktop Double-Click
// Time", "Desktop Wheel Scroll Lines"). It stands in where the real desktop's settings are not reached,
// and lets tests and other processes see exactly what was put into effect.
class CStorePointerSettings final : public IPointerSettings {
public:
    explicit CStorePointerSettings(CRegStore& store);

    // Refuses values outside their ranges (speed 1..20, double-click time above 0, wheel lines 1..10 or
    // a page) and then writes nothing.
    bool Apply(const SPointerValues& values) override;
    // Fills in what the store holds; a setting never put into effect keeps what values holds.
    bool Read(SPointerValues& values) override;

private:
    CRegStore& m_store;
};

}  // namespace vorlix
