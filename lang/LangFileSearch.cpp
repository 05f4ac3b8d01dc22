#include "LangFileSearch.h"

namespace vorlix {

std::string CLangFileSearch::Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::vector<std::string> CLangFileSearch::ConfigCandidates(const std::string& name,
                                                           const std::string& subFolder,
                                                           const std::string& storePath,
                                                           const std::string& exeDir) {
    std::vector<std::string> candidates{name};
    // An empty "Path" would turn into the root folder; an installation that sets no path means none.
    if (!storePath.empty()) {
        candidates.push_back(Join(Join(storePath, subFolder), name));
    }
    if (!exeDir.empty()) {
        candidates.push_back(Join(Join(exeDir, subFolder), name));
    }
    return candidates;
}

std::vector<std::string> CLangFileSearch::MonitorCandidates(const std::string& name,
                                                            const std::string& exeDir) {
    std::vector<std::string> candidates{"./" + name, name};
    if (!exeDir.empty()) {
        candidates.push_back(Join(Join(exeDir, kLanguagesFolder), name));
    }
    return candidates;
}

std::string CLangFileSearch::FindReadable(ILangFileSystem& files,
                                          const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        if (files.IsReadable(candidate)) {
            return candidate;
        }
    }
    return {};
}

}  // namespace vorlix
