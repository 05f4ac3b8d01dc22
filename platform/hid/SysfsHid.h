#pragma once

#include <cstdint>
#include <string>

#include "device/HidTransport.h"

namespace vorlix {

// Reads the HID_ID property of a HID device ("0003:00003A7C:00000D2E": bus, vendor, product).
bool ParseHidId(const char* text, uint16_t& vendorId, uint16_t& productId);
// The HID device's sysfs path for one of its hidraw nodes (".../0003:V:P.N/hidraw/hidrawM"): the
// stable identity the table keeps, also known when the node is being removed. Empty when it is none.
std::string HidPathOfHidraw(const std::string& hidrawSyspath);
// What an open failure's errno means to the caller.
HidStatus StatusOfErrno(int error);

}  // namespace vorlix
