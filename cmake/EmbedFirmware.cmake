# Turns the vendor firmware image named by VORLIX_FIRMWARE_IMAGE into EMBED_OUTPUT, a C++ source that
# returns it from EmbeddedFirmwareImage(). Refuses, with a fatal error, a missing or empty file, an image
# longer than 0x7FFE bytes (the check byte at 0x7FFE would overwrite its end) and the generated test
# image (recognised by its marker). Included at configure time by ui/firmware; also runs on its own:
#   cmake -DVORLIX_FIRMWARE_IMAGE=file -DEMBED_OUTPUT=out.cpp -P cmake/EmbedFirmware.cmake

# The generated test image's marker, "VORLIX TEST FIRMWARE - VIRTUAL MOUSE ONLY" in hexadecimal.
set(VORLIX_TEST_FIRMWARE_MARKER_HEX
    "564f524c49582054455354204649524d57415245202d205649525455414c204d4f555345204f4e4c59")

if(NOT EXISTS "${VORLIX_FIRMWARE_IMAGE}" OR IS_DIRECTORY "${VORLIX_FIRMWARE_IMAGE}")
  message(FATAL_ERROR "VORLIX_FIRMWARE_IMAGE: no such file: ${VORLIX_FIRMWARE_IMAGE}")
endif()
file(SIZE "${VORLIX_FIRMWARE_IMAGE}" _vorlix_fw_size)
if(_vorlix_fw_size EQUAL 0 OR _vorlix_fw_size GREATER 32766)
  message(FATAL_ERROR
          "VORLIX_FIRMWARE_IMAGE: ${_vorlix_fw_size} bytes; an image holds 1 to 0x7FFE (32766) bytes")
endif()
file(READ "${VORLIX_FIRMWARE_IMAGE}" _vorlix_fw_hex HEX)
string(FIND "${_vorlix_fw_hex}" "${VORLIX_TEST_FIRMWARE_MARKER_HEX}" _vorlix_fw_marker)
if(NOT _vorlix_fw_marker EQUAL -1)
  message(FATAL_ERROR "VORLIX_FIRMWARE_IMAGE: this is the generated test image; it is never embedded")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _vorlix_fw_bytes "${_vorlix_fw_hex}")
file(WRITE "${EMBED_OUTPUT}.new" "// Generated from the vendor image named by VORLIX_FIRMWARE_IMAGE.
#include \"ui/firmware/core/FirmwareImage.h\"

namespace vorlix {

namespace {

const uint8_t kImage[] = {${_vorlix_fw_bytes}};

}  // namespace

SFirmwareImage EmbeddedFirmwareImage() {
    return {FirmwareImageKind::Vendor, std::vector<uint8_t>(std::begin(kImage), std::end(kImage))};
}

}  // namespace vorlix
")
# Written only when it changed, so configuring again rebuilds nothing.
file(COPY_FILE "${EMBED_OUTPUT}.new" "${EMBED_OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${EMBED_OUTPUT}.new")
set(VORLIX_FIRMWARE_IMAGE_SIZE ${_vorlix_fw_size})
