#pragma once

#include <cstdint>
#include <string>

#include "CtlCommand.h"

namespace vorlix {
class CHidClient;
class CIcQT47;
class CMouseLock;
}  // namespace vorlix

namespace vorlix::ctl {

// How long a command waits for another one that holds the same mouse: VORLIX_LOCK_WAIT seconds
// (0..600) when set, else 30 s, more than the longest change (an import binding forty macros) takes.
uint32_t LockWaitMs();

// True, after saying so, while the configuration program runs: its next save would write its own,
// older copy of the settings over a change made here.
bool ConfigurationProgramRunning(Invocation& call);

// Builds the table of mice into hid and picks the one the command is about: wanted is the 1-based
// --mouse number, 0 when not given (then exactly one mouse must be attached). Gives the table index,
// or -1 after saying why on stderr.
int ChooseMouse(Invocation& call, CHidClient& hid, int wanted);

// Takes the lock of the mouse at path for this command, waiting LockWaitMs() for another command
// that holds it; false after saying why.
bool LockMouse(Invocation& call, CMouseLock& lock, const std::string& path);

// Says on stderr why talking to the mouse failed: it could not be opened (permission denied, with the
// udev hint; gone), it kept answering busy, or it did not answer. what names the step that failed.
void ReportMouseFailure(Invocation& call, CHidClient& hid, CIcQT47& device, const std::string& what);

}  // namespace vorlix::ctl
