// langgen: writes the English language file from the built-in default tables, so the shipped
// English.txt can never drift from what the programs show without a file.
//   langgen OUTPUT         write the file
//   langgen --check FILE   exit 1 when FILE differs from what would be written
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "lang/LangFileWriter.h"
#include "shared/ProgramInfo.h"

namespace {

constexpr char kHelp[] =
    "usage: langgen OUTPUT | langgen --check FILE\n"
    "\n"
    "Writes the English language file from the built-in texts, or with --check ends with status 1 when\n"
    "FILE differs from what would be written.\n";

}  // namespace

int main(int argc, char** argv) {
    if (const auto status =
            vorlix::CProgramInfo::Answer(argc, argv, {"langgen", kHelp, vorlix::EHelpScan::FirstArgument})) {
        return *status;
    }
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::cerr << "usage: langgen OUTPUT | langgen --check FILE\n";
        return 2;
    }
    const std::vector<uint8_t> english = vorlix::CLangFileWriter::Write(vorlix::CTextTables(), "English.txt");
    const char* path = argv[argc - 1];
    if (check) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> existing{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
        if (existing != english) {
            std::cerr << "langgen: " << path
                      << " differs from the built-in English texts; regenerate it with "
                      << "langgen " << path << "\n";
            return 1;
        }
        return 0;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(english.data()), static_cast<std::streamsize>(english.size()));
    out.close();
    if (!out) {
        std::cerr << "langgen: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
