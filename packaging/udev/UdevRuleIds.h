#pragma once

#include <cstdint>
#include <string>

namespace vorlix {

// Puts the USB ids a build was made for into the udev rule that gives the seat's user the mouse's nodes,
// so the installed rule and the programs always name the same mouse.
class CUdevRuleIds {
public:
    struct SResult {
        bool ok = false;
        std::string text;   // the rule with the ids replaced
        std::string error;  // why it was refused, with the line number
    };

    // Replaces the value of every vendor match (ATTRS{idVendor}, ATTR{idVendor}, ENV{ID_VENDOR_ID}) and
    // product match (ATTRS{idProduct}, ATTR{idProduct}, ENV{ID_MODEL_ID}) by the ids as udev writes them
    // (four lower-case hex digits). A rule line that lacks either match is refused: it would hand the
    // user nodes of devices other than this mouse.
    static SResult Apply(const std::string& rules, uint16_t vendorId, uint16_t productId);
};

}  // namespace vorlix
