// The build names no vendor image: the program carries none.
#include "FirmwareImage.h"

namespace vorlix {

SFirmwareImage EmbeddedFirmwareImage() {
    return {};
}

}  // namespace vorlix
