#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CtlCommand.h"

namespace vorlix {
class CDeviceSession;
}

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

// For other commands that change the mouse: refuses while VorlixDaze runs, chooses the mouse
// (mouseNumber from 1 among several, 0 when not given), holds its lock, connects, loads it and runs
// change on the ready session; change returns the exit status.
int ChangeMouse(Invocation& call, int mouseNumber, const std::function<int(CDeviceSession&)>& change);
// Takes "--mouse N" out of words; false (the reason on stderr) on a bad value or a repeated option.
bool TakeMouseOption(Invocation& call, std::vector<std::string>& words, int& mouseNumber);

}  // namespace vorlix::ctl
