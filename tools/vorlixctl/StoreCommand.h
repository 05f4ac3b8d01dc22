#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// vorlixctl store list | get NAME | set NAME --dword N | set NAME --text T | delete NAME
int RunStoreCommand(Invocation& call);

}  // namespace vorlix::ctl
