#include "FileSearch.h"

namespace vorlix {

namespace {

bool ClimbsOut(const std::string& name) {
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = name.find('/', start);
        const std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") {
            return true;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

}  // namespace

const std::vector<std::string>& CFileSearch::InstallFolders() {
    static const std::vector<std::string> folders{"/usr/local/lib/vorlix-daze", "/usr/lib/vorlix-daze",
                                                  "/usr/local/bin", "/usr/bin"};
    return folders;
}

CFileSearch::CFileSearch(IFileProbe& probe, std::string ownFolder, std::string storePath,
                         std::vector<std::string> installFolders)
    : m_probe(probe),
      m_ownFolder(std::move(ownFolder)),
      m_storePath(std::move(storePath)),
      m_installFolders(std::move(installFolders)) {}

std::vector<std::string> CFileSearch::Folders() const {
    std::vector<std::string> folders;
    // Relative folders would again mean "wherever the monitor was started": only absolute ones count.
    for (const std::string* folder : {&m_ownFolder, &m_storePath}) {
        if (!folder->empty() && folder->front() == '/') {
            folders.push_back(*folder);
        }
    }
    for (const std::string& folder : m_installFolders) {
        if (!folder.empty() && folder.front() == '/') {
            folders.push_back(folder);
        }
    }
    return folders;
}

std::string CFileSearch::Find(const std::string& name) const {
    if (name.empty()) {
        return {};
    }
    if (name.front() == '/') {
        return m_probe.IsReadableFile(name) ? name : std::string();
    }
    if (ClimbsOut(name)) {
        return {};
    }
    for (const std::string& folder : Folders()) {
        const std::string candidate = Join(folder, name);
        if (m_probe.IsReadableFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

}  // namespace vorlix
