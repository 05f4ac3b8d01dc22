#pragma once

#include <memory>

#include "device/HidTransport.h"

namespace vorlix {

// The transport a program uses: the virtual mouse when the environment variable VORLIX_VIRTUAL_MOUSE
// names its socket, real HID otherwise.
std::shared_ptr<IHidTransport> CreateHidTransport();

inline constexpr const char* kVirtualMouseVariable = "VORLIX_VIRTUAL_MOUSE";

}  // namespace vorlix
