#pragma once

#include <memory>

#include "shared/PointerSettings.h"

namespace vorlix {

class CRegStore;

// Wraps a desktop backend so the first profile ever applied on this account does not overwrite the
// user's own desktop settings without a trace: before that first apply the desktop's values are
// recorded in the store ("Desktop Baseline ..."), once, and RestoreBaseline puts them back.
class CBaselineKeepingPointerSettings : public IPointerSettings {
public:
    CBaselineKeepingPointerSettings(std::unique_ptr<IPointerSettings> desktop, CRegStore& store);

    bool Apply(const SPointerValues& values) override;
    bool Read(SPointerValues& values) override;

    bool HasBaseline();
    // Applies the recorded values; settings not recorded keep the desktop's current value. False when
    // nothing was recorded yet or the desktop refused.
    bool RestoreBaseline();

private:
    void RecordBaseline();

    std::unique_ptr<IPointerSettings> m_desktop;
    CRegStore& m_store;
};

}  // namespace vorlix
