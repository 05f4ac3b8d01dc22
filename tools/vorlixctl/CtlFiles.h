#pragma once

#include <cstddef>
#include <string>

#include "CtlCommand.h"

namespace vorlix::ctl {

// Reads a whole input file, or standard input for "-", into text. Refuses anything but a regular file
// (a folder, a FIFO, a device node would crash, block or never end) and a file above maxBytes; false
// after saying why on stderr.
bool ReadInputFile(Invocation& call, const std::string& path, size_t maxBytes, std::string& text);

// Replaces the regular file at path (or makes a new one) with text as one step, through a temporary
// file of a unique name in the same folder that a failure removes again. The file keeps its mode; a
// symbolic link keeps pointing at it. Refuses a target that is not a regular file or that this user
// may not write. false after saying why on stderr.
bool WriteOutputFile(Invocation& call, const std::string& path, const std::string& text);

}  // namespace vorlix::ctl
