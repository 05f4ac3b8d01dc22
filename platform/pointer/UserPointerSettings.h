#pragma once

#include <memory>

#include "shared/PointerSettings.h"

namespace vorlix {

// The pointer settings of the desktop this session runs, with the desktop's own values recorded in the
// user's store before the first change (so they can be restored), or nullptr when no desktop backend
// fits this session or VORLIX_POINTER_DESKTOP=store asks for none.
std::unique_ptr<IPointerSettings> CreateUserPointerSettings();

}  // namespace vorlix
