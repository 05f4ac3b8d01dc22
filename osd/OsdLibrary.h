#pragma once

#include <cstdint>

// The library's entry points, looked up by name by the monitor after it loads the library.
extern "C" {
// Creates the notice window in the calling (GUI) thread and publishes "OSD Handle". 1 on success.
__attribute__((visibility("default"))) int VorlixOsdCreate();
// Destroys the notice window; "OSD Handle" becomes 0.
__attribute__((visibility("default"))) void VorlixOsdDestroy();
}
