#include "SysfsHid.h"

#include <cerrno>
#include <cstdio>

namespace vorlix {

bool ParseHidId(const char* text, uint16_t& vendorId, uint16_t& productId) {
    unsigned bus = 0;
    unsigned vid = 0;
    unsigned pid = 0;
    char extra = 0;
    if (text == nullptr || std::sscanf(text, "%x:%x:%x%c", &bus, &vid, &pid, &extra) != 3 || vid > 0xFFFF ||
        pid > 0xFFFF) {
        return false;
    }
    vendorId = static_cast<uint16_t>(vid);
    productId = static_cast<uint16_t>(pid);
    return true;
}

std::string HidPathOfHidraw(const std::string& hidrawSyspath) {
    const size_t cut = hidrawSyspath.rfind("/hidraw/hidraw");
    return cut == std::string::npos || cut == 0 ? std::string() : hidrawSyspath.substr(0, cut);
}

HidStatus StatusOfErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return HidStatus::PermissionDenied;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return HidStatus::NotFound;
        default:
            return HidStatus::IoFailed;
    }
}

}  // namespace vorlix
