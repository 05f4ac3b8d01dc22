#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// vorlixctl macro list | show FILE|NAME | decode HEX... | new NAME | delete NAME | import FILE |
// export NAME FILE
int RunMacroCommand(Invocation& call);

}  // namespace vorlix::ctl
