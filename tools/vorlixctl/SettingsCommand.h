#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// The mouse's settings, read and changed through the device session: dump, profile, rate, liftoff,
// level, dpi, led, button, default, reset, export and import. Each takes --mouse N to choose among
// several attached mice.
int RunDumpCommand(Invocation& call);
int RunProfileCommand(Invocation& call);
int RunRateCommand(Invocation& call);
int RunLiftOffCommand(Invocation& call);
int RunLevelCommand(Invocation& call);
int RunDpiCommand(Invocation& call);
int RunLedCommand(Invocation& call);
int RunButtonCommand(Invocation& call);
int RunDefaultCommand(Invocation& call);
int RunResetCommand(Invocation& call);
int RunExportCommand(Invocation& call);
int RunImportCommand(Invocation& call);

}  // namespace vorlix::ctl
