#pragma once

#include <string>

#include "lang/LangFileSystem.h"

namespace vorlix {

// Language files and help documents on the local disk. Relative paths are taken from the current folder.
class CPosixLangFileSystem : public ILangFileSystem {
public:
    std::unique_ptr<ILangFile> Open(const std::string& path) override;
    bool IsReadable(const std::string& path) override;

    // The folder of the running program, from /proc/self/exe; empty when it cannot be found.
    static std::string ExecutableDir();
};

}  // namespace vorlix
