#pragma once

#include <map>
#include <set>

#include "macro/MacroFileSystem.h"

namespace vorlix {

// A file system in memory, for tests and the fuzz targets. Writes can be made to fail.
class CMemoryMacroFileSystem : public IMacroFileSystem {
public:
    bool CreateFolder(const std::string& path) override;
    bool ListFolder(const std::string& folder, std::vector<std::string>& names) override;
    bool Exists(const std::string& path) override;
    FileStatus ReadFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) override;
    FileStatus ReplaceFile(const std::string& path, const uint8_t* data, size_t size) override;
    FileStatus CreateNewFile(const std::string& path, const uint8_t* data, size_t size) override;
    bool DeleteFile(const std::string& path) override;

    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> folders;
    bool failWrites = false;

private:
    bool FolderExists(const std::string& path) const;
};

}  // namespace vorlix
