#pragma once

#include <cstdint>

namespace vorlix {

// The run modes the button dialog offers for a macro button.
enum class MacroRunMode {
    None,               // no choice made
    OneTime,            // "ONE-TIME"
    MultipleLoops,      // "Multiple Loops"
    RepeatWhileHeld,    // "REPEAT when press and hold"
    RepeatUntilNextKey  // "Repeat until next key is pressed"
};

// The script a macro button runs: a 48-byte script header (run mode, repeat count, 1, code length)
// followed by the macro's code, as the mouse keeps it.
class CScriptImage {
public:
    static constexpr int kSize = 2048;
    static constexpr int kSmallSize = 240;  // controller families 0x31xx and 0x32xx
    static constexpr int kHeaderSize = 48;

    // Bytes 0 and 1 of the script header for a choice of the button dialog.
    static uint8_t RunModeByte(MacroRunMode mode);
    static uint8_t RepeatCountByte(MacroRunMode mode, int count);
    // The script number of a button (0..7) of a profile (0..4), or -1.
    static int ScriptNumber(int profile, int button);
    // The store value kept beside a binding: run mode | repeat count << 8.
    static uint32_t ModeValue(uint8_t runMode, uint8_t repeatCount);
    // Image size for a controller family id.
    static int SizeForFamily(int familyId);

    // Builds the image from a macro file's body. The header is rebuilt, never copied from the file.
    // 0 when the body is shorter than the script header or its code does not fit imageSize.
    static int Build(const uint8_t* body, int bodyLength, uint8_t runMode, uint8_t repeatCount,
                     uint8_t* image, int imageSize);
};

}  // namespace vorlix
