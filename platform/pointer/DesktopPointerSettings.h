#pragma once

#include <memory>

#include "DesktopInfo.h"
#include "PointerFaults.h"
#include "shared/PointerSettings.h"

namespace vorlix {

// The backend that acts on the user's desktop, or null when none fits (then the store alone keeps the
// pointer settings). faults: where failures are told; null: stderr under VORLIX_TRACE.
std::unique_ptr<IPointerSettings> CreateDesktopPointerSettings(
    const SDesktopInfo& info, std::shared_ptr<CPointerFaults> faults = nullptr);

}  // namespace vorlix
