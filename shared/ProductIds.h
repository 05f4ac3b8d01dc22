#pragma once

#include <cstdint>

// The product's USB ids. Override at build time with -DVORLIX_VENDOR_ID=0x.... -DVORLIX_PRODUCT_ID=0x....
#ifndef VORLIX_VENDOR_ID
#define VORLIX_VENDOR_ID 0x3A7C
#endif
#ifndef VORLIX_PRODUCT_ID
#define VORLIX_PRODUCT_ID 0x0D2E
#endif

namespace vorlix {

inline constexpr uint16_t kVendorId = VORLIX_VENDOR_ID;
inline constexpr uint16_t kProductId = VORLIX_PRODUCT_ID;

// Controller families the system accepts: the mouse interface's HID version number.
inline constexpr uint16_t kFamilyLowest = 9217;   // 0x2401
inline constexpr uint16_t kFamilyHighest = 9219;  // 0x2403

}  // namespace vorlix
