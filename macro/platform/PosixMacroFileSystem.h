#pragma once

#include "macro/MacroFileSystem.h"

namespace vorlix {

// The macro library's files on a POSIX file system. Replacing and creating go through a temporary
// file in the same folder, so a crash never leaves a half-written macro.
class CPosixMacroFileSystem : public IMacroFileSystem {
public:
    // The documents folder + "/VORLIX DAZE".
    static std::string LibraryFolder();

    bool CreateFolder(const std::string& path) override;
    bool ListFolder(const std::string& folder, std::vector<std::string>& names) override;
    bool Exists(const std::string& path) override;
    FileStatus ReadFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) override;
    FileStatus ReplaceFile(const std::string& path, const uint8_t* data, size_t size) override;
    FileStatus CreateNewFile(const std::string& path, const uint8_t* data, size_t size) override;
    bool DeleteFile(const std::string& path) override;
};

}  // namespace vorlix
