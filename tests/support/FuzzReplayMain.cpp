// Runs a fuzz entry point over every file of the given folders or files: the kept corpus and the
// crashes found so far. Used as an ordinary test in every build. A named folder or file that is
// missing, or a folder without a single file, fails the run: a moved or emptied corpus would
// otherwise replay nothing and still pass.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

// Replays one named corpus folder or file; false when it is missing, unreadable or holds no input.
bool RunRoot(const std::filesystem::path& root, int& count) {
    std::error_code error;
    if (std::filesystem::is_regular_file(root, error)) {
        const bool ok = RunFile(root);
        count += ok ? 1 : 0;
        return ok;
    }
    if (!std::filesystem::is_directory(root, error)) {
        std::fprintf(stderr, "corpus %s is missing\n", root.c_str());
        return false;
    }
    int found = 0;
    bool ok = true;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
        if (entry.is_regular_file()) {
            ok = RunFile(entry.path()) && ok;
            ++found;
        }
    }
    if (error) {
        std::fprintf(stderr, "cannot list corpus %s: %s\n", root.c_str(), error.message().c_str());
        return false;
    }
    if (found == 0) {
        std::fprintf(stderr, "corpus %s holds no input\n", root.c_str());
        return false;
    }
    count += found;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS...\n", argv[0]);
        return 2;
    }
    int count = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        ok = RunRoot(argv[i], count) && ok;
    }
    // An empty input is always worth one run.
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("replayed %d inputs\n", count);
    return ok ? 0 : 1;
}
