#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

// Where the image the program may write into a mouse comes from.
enum class FirmwareImageKind {
    None,    // the build carries no image: no update can be offered
    Vendor,  // the vendor's image, embedded at build time: for the real mouse
    Test,    // a generated test image read at run time: for the virtual mouse only
};

// The image the program carries, and its origin.
struct SFirmwareImage {
    FirmwareImageKind kind = FirmwareImageKind::None;
    std::vector<uint8_t> bytes;
};

// The vendor image embedded at build time; kind None when the build names none.
SFirmwareImage EmbeddedFirmwareImage();

// A test image read from a file (the demo and the tests): kind Test, or None when the file cannot be
// read or is empty. Such an image only ever goes to the virtual mouse.
SFirmwareImage ReadTestFirmwareImage(const std::string& path);

// The image the configuration program uses: the embedded vendor image when the build has one, else the
// test image named by the environment variable below, else none.
inline constexpr const char* kTestFirmwareVariable = "VORLIX_TEST_FIRMWARE";
SFirmwareImage ProgramFirmwareImage(const char* testImagePath);

}  // namespace vorlix
