// Feeds arbitrary bytes to both programs' language-file loaders and to the translators' check.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lang/LangFileCheck.h"
#include "lang/LangFileLoader.h"
#include "lang/MemoryLangFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    vorlix::CMemoryLangFileSystem files;
    files.Add("German.txt", bytes);
    vorlix::CTextTables tables;
    vorlix::CLangFileLoader::LoadConfigTables(*files.Open("German.txt"), "German.txt", tables);
    vorlix::CLangFileLoader::LoadTrayTexts(*files.Open("German.txt"), "German.txt", tables);
    vorlix::CLangFileCheck::Check(bytes, "German.txt");
    return 0;
}
