#include "FirmwareImage.h"

#include <fstream>
#include <iterator>

namespace vorlix {

namespace {

// Longer files are no firmware image of this mouse: the buffer holds 0x8000 bytes.
constexpr std::streamoff kMaxImageFile = 0x8000;

}  // namespace

SFirmwareImage ReadTestFirmwareImage(const std::string& path) {
    SFirmwareImage image;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return image;
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kMaxImageFile) {
        return image;
    }
    file.seekg(0);
    image.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (static_cast<std::streamoff>(image.bytes.size()) == size) {
        image.kind = FirmwareImageKind::Test;
    } else {
        image.bytes.clear();
    }
    return image;
}

SFirmwareImage ProgramFirmwareImage(const char* testImagePath) {
    SFirmwareImage image = EmbeddedFirmwareImage();
    if (image.kind == FirmwareImageKind::None && testImagePath != nullptr && *testImagePath != '\0') {
        image = ReadTestFirmwareImage(testImagePath);
    }
    return image;
}

}  // namespace vorlix
