#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlix::testing {

// The marker bytes that make a generated test firmware image recognisable. They are kept masked in the
// sources, so that no program or library that merely contains this code carries them.
std::vector<uint8_t> TestFirmwareMarker();

// A generated test image of size bytes: a fixed pattern with the marker at its start and at the start of
// every 2048-byte page. Never a vendor image; for the virtual mouse only.
std::vector<uint8_t> GenerateTestFirmwareImage(size_t size = 30884);

}  // namespace vorlix::testing
