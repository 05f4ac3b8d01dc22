#pragma once

#include <string>
#include <vector>

namespace vorlix {

// Tells whether a path names a regular file this user may read.
class IFileProbe {
public:
    virtual ~IFileProbe() = default;
    virtual bool IsReadableFile(const std::string& path) = 0;
};

// Finds a file the monitor loads or starts: the notice library, the configuration program, a launch
// button's program. Only folders the installation controls are searched: the monitor's own folder, the
// installation folder from the store value "Path" and the fixed install folders. The current folder is
// never searched, so nothing is loaded or run from wherever the monitor happened to be started.
class CFileSearch {
public:
    // The install folders searched after the monitor's own folder and "Path".
    static const std::vector<std::string>& InstallFolders();

    CFileSearch(IFileProbe& probe, std::string ownFolder, std::string storePath,
                std::vector<std::string> installFolders = InstallFolders());

    // The first candidate that is a readable regular file, or empty. An absolute name is taken as it
    // stands; a relative one only inside the folders above, and never one that climbs out with "..".
    std::string Find(const std::string& name) const;
    // The folders searched for a relative name, in order (empty ones left out).
    std::vector<std::string> Folders() const;

private:
    IFileProbe& m_probe;
    std::string m_ownFolder;
    std::string m_storePath;
    std::vector<std::string> m_installFolders;
};

}  // namespace vorlix
