#pragma once

#include <string>

class QWidget;

namespace vorlix {

// The file chooser of the Launch Prgm button: starts in the stored program's folder with its name
// proposed (else /usr/bin), offers executable files and "All files". On OK path is the chosen file's
// full path and name its file name; on Cancel neither changes and the result is false.
bool ChooseProgram(const std::string& storedPath, std::string& path, std::string& name,
                   QWidget* parent = nullptr);

}  // namespace vorlix
