#pragma once

#include <string>
#include <vector>

#include "LangFileSystem.h"

namespace vorlix {

// Where the programs look for a language file or a help document. Each list is tried in order and the
// first file that opens for reading wins.
class CLangFileSearch {
public:
    static constexpr const char* kLanguagesFolder = "Languages";
    static constexpr const char* kHelpFolder = "HELP";

    // The configuration program: name relative to the current folder; the installation folder from the
    // store value "Path" (left out when it is empty), sub-folder, name; the executable's folder,
    // sub-folder, name.
    static std::vector<std::string> ConfigCandidates(const std::string& name, const std::string& subFolder,
                                                     const std::string& storePath, const std::string& exeDir);
    // The monitor: "./" and name; name itself; the executable's folder, "Languages", name.
    static std::vector<std::string> MonitorCandidates(const std::string& name, const std::string& exeDir);
    // The first candidate that can be read; empty when none.
    static std::string FindReadable(ILangFileSystem& files, const std::vector<std::string>& candidates);

    static std::string Join(const std::string& folder, const std::string& name);
};

}  // namespace vorlix
