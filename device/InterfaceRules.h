#pragma once

#include "HidTransport.h"

namespace vorlix {

// How the device table's interface tests read on Linux. Windows names every collection of a composite
// device in its interface path ("...&mi_01&col03..."), and the table's filters are substring tests on
// that path. Here one hidraw node stands for one USB interface with all its top-level collections, so
// each path test becomes a test of the interface record:
//
//   mouse class       a top-level collection with usage page 0x01, usage 0x02
//   keyboard class    a top-level collection with usage page 0x01, usage 0x06
//   HID class         every node
//   "&mi_"            the device has several interfaces (only those carry "&mi_" in their path)
//   "&mi_00"          interface 0 of such a device
//   "&mi_01&col03"    interface 1 of such a device, when it has a third top-level collection
bool InHidClass(const HidInterfaceInfo& info, HidClass cls);
bool PathHasMi(const HidInterfaceInfo& info);
bool PathHasMi00(const HidInterfaceInfo& info);
bool PathHasMi01Col03(const HidInterfaceInfo& info);
// The data channel of the command protocol: usage page 0x0008, usage 0x004B.
bool HasDataChannel(const HidInterfaceInfo& info);

inline constexpr HidCollection kMouseCollection{0x0001, 0x0002};
inline constexpr HidCollection kKeyboardCollection{0x0001, 0x0006};
inline constexpr HidCollection kDataCollection{0x0008, 0x004B};

}  // namespace vorlix
