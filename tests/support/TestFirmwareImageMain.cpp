// Writes the generated test firmware image to the file named on the command line. For the virtual mouse
// only: the configuration program never sends it anywhere else, and no build embeds it.
#include <cstdio>
#include <fstream>

#include "TestFirmwareImage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    const std::vector<uint8_t> image = vorlix::testing::GenerateTestFirmwareImage();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return out ? 0 : 1;
}
