#pragma once

#include <cstdint>

namespace vorlix {

// The keyboard usage a macro records for a key, looked up by the key's position on the keyboard: its
// Linux input event code (an X11 keycode less 8). A position, not the character of the user's layout,
// is what the mouse replays as a keyboard, so a German user's Z key records the usage of the key in
// that place. Left and right modifiers have their own codes and so their own usages. 0 when the key
// has no usage in the macro's key set; such keys are not recorded.
int KeyUsageFromEventCode(uint32_t eventCode);

}  // namespace vorlix
