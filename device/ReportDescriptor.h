#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "HidTransport.h"

namespace vorlix {

// The top-level collections of a HID report descriptor, in order, each with the usage page and usage
// in effect when it opened. One hidraw node carries all collections of its USB interface, so this is
// how the device table learns what a node is. Returns false when the descriptor is cut off or
// malformed; the collections found before the fault are still given.
bool ParseTopLevelCollections(const uint8_t* data, size_t length, std::vector<HidCollection>& collections);

}  // namespace vorlix
