#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/TestFirmwareImage.h"
#include "ui/firmware/core/FirmwareImage.h"

namespace vorlix::testing {
namespace {

namespace fs = std::filesystem;

// Whole files in one read: the build folder holds a gigabyte or more of programs, libraries and objects
// (more in a sanitizer build), so the search must not go byte by byte through a stream.
std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(static_cast<size_t>(fs::file_size(path)));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

bool Contains(const std::vector<uint8_t>& haystack, const std::vector<uint8_t>& needle) {
    return memmem(haystack.data(), haystack.size(), needle.data(), needle.size()) != nullptr;
}

// A program, a shared library or an object file (ELF), or a static library (ar archive).
bool IsBuiltBinary(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    in.read(head, sizeof head);
    return std::equal(head, head + 4,
                      "\x7f"
                      "ELF") ||
           std::equal(head, head + 8, "!<arch>\n");
}

TEST(FirmwareImage, NoBuiltProgramOrLibraryCarriesTheTestImagesMarker) {
    const std::vector<uint8_t> marker = TestFirmwareMarker();
    ASSERT_TRUE(Contains(GenerateTestFirmwareImage(), marker)) << "the search finds the marker where it is";
    std::vector<fs::path> scanned;
    std::vector<fs::path> carrying;
    for (const auto& entry : fs::recursive_directory_iterator(VORLIX_BUILD_DIR)) {
        if (!entry.is_regular_file() || !IsBuiltBinary(entry.path())) {
            continue;
        }
        scanned.push_back(entry.path());
        if (Contains(ReadAll(entry.path()), marker)) {
            carrying.push_back(entry.path());
        }
    }
    EXPECT_TRUE(carrying.empty()) << carrying.size() << " carry it, the first " << carrying.front();
    const fs::path self = fs::canonical("/proc/self/exe");
    EXPECT_NE(std::find_if(scanned.begin(), scanned.end(),
                           [&](const fs::path& p) { return fs::equivalent(p, self); }),
              scanned.end())
        << "this test program was among those searched";
}

TEST(FirmwareImage, TheProgramTakesTheEmbeddedImageElseTheTestImageFromAFile) {
    TempDir dir;
    const std::string path = dir / "image.bin";
    const std::vector<uint8_t> image = GenerateTestFirmwareImage();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    const SFirmwareImage read = ProgramFirmwareImage(path.c_str());
#ifdef VORLIX_VENDOR_IMAGE_SIZE
    // A build that names a vendor image carries it, and a test image never replaces it.
    EXPECT_EQ(EmbeddedFirmwareImage().kind, FirmwareImageKind::Vendor);
    EXPECT_EQ(EmbeddedFirmwareImage().bytes.size(), static_cast<size_t>(VORLIX_VENDOR_IMAGE_SIZE));
    EXPECT_EQ(read.kind, FirmwareImageKind::Vendor);
#else
    EXPECT_EQ(EmbeddedFirmwareImage().kind, FirmwareImageKind::None);
    EXPECT_EQ(ProgramFirmwareImage(nullptr).kind, FirmwareImageKind::None);
    EXPECT_EQ(read.kind, FirmwareImageKind::Test);
    EXPECT_EQ(read.bytes, image);
#endif

    std::ofstream(dir / "long.bin", std::ios::binary) << std::string(0x8001, 'x');
    std::ofstream(dir / "empty.bin", std::ios::binary);
    for (const std::string name : {"long.bin", "empty.bin", "missing.bin"}) {
        EXPECT_EQ(ReadTestFirmwareImage(dir / name).kind, FirmwareImageKind::None) << name;
    }
}

}  // namespace
}  // namespace vorlix::testing
