#include "macro/ScriptImage.h"

#include <algorithm>
#include <cstring>

#include "macro/MacroTypes.h"

namespace vorlix {

uint8_t CScriptImage::RunModeByte(MacroRunMode mode) {
    switch (mode) {
        case MacroRunMode::OneTime:
            return 5;
        case MacroRunMode::MultipleLoops:
        case MacroRunMode::RepeatUntilNextKey:
            return 4;
        case MacroRunMode::RepeatWhileHeld:
            return 7;
        case MacroRunMode::None:
        default:
            return 1;
    }
}

uint8_t CScriptImage::RepeatCountByte(MacroRunMode mode, int count) {
    return mode == MacroRunMode::RepeatUntilNextKey ? 255 : static_cast<uint8_t>(std::clamp(count, 0, 255));
}

int CScriptImage::ScriptNumber(int profile, int button) {
    return profile >= 0 && profile < 5 && button >= 0 && button < 8 ? button + 19 * profile : -1;
}

uint32_t CScriptImage::ModeValue(uint8_t runMode, uint8_t repeatCount) {
    return static_cast<uint32_t>(runMode) | (static_cast<uint32_t>(repeatCount) << 8);
}

int CScriptImage::SizeForFamily(int familyId) {
    const int high = (familyId >> 8) & 0xFF;
    return high == 0x31 || high == 0x32 ? kSmallSize : kSize;
}

int CScriptImage::Build(const uint8_t* body, int bodyLength, uint8_t runMode, uint8_t repeatCount,
                        uint8_t* image, int imageSize) {
    const int codeLength = bodyLength - kHeaderSize;
    if (body == nullptr || image == nullptr || codeLength < 0 || codeLength > kMaxCodeBytes ||
        bodyLength > imageSize) {
        return 0;
    }
    std::memset(image, 0, static_cast<size_t>(imageSize));
    image[0] = runMode;
    image[1] = repeatCount;
    image[2] = 1;
    image[3] = static_cast<uint8_t>(codeLength & 0xFF);
    image[4] = static_cast<uint8_t>(codeLength >> 8);
    std::memcpy(image + kHeaderSize, body + kHeaderSize, static_cast<size_t>(codeLength));
    return 1;
}

}  // namespace vorlix
