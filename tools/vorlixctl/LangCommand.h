#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// vorlixctl lang check FILE: explains to a translator what each program would make of a language file.
int RunLangCommand(Invocation& call);

}  // namespace vorlix::ctl
