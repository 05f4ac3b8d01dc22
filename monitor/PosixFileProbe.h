#pragma once

#include "monitor/core/FileSearch.h"

namespace vorlix {

// A regular file this user may read, on the local disk.
class CPosixFileProbe final : public IFileProbe {
public:
    bool IsReadableFile(const std::string& path) override;
};

}  // namespace vorlix
