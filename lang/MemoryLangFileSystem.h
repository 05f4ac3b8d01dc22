#pragma once

#include <map>
#include <string>
#include <vector>

#include "LangFileSystem.h"

namespace vorlix {

// Files held in memory under their paths; for tests, the fuzz target and `vorlixctl lang check`.
class CMemoryLangFileSystem : public ILangFileSystem {
public:
    void Add(const std::string& path, std::vector<uint8_t> bytes);
    void Remove(const std::string& path);

    std::unique_ptr<ILangFile> Open(const std::string& path) override;
    bool IsReadable(const std::string& path) override;

private:
    std::map<std::string, std::vector<uint8_t>> m_files;
};

}  // namespace vorlix
