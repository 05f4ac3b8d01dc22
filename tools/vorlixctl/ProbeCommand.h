#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// post NAME show|close|command ID|osd KIND VALUE|device KIND VALUE: posts one message to the endpoint
// whose handle the store holds under NAME. Fails (1) when NAME names no live endpoint.
int RunPostCommand(Invocation& call);

// osd-listen [--timeout S]: stands in for the notice window. Publishes an endpoint as "OSD Handle"
// while it runs, prints each OSD notice as KIND<TAB>VALUE on a line of its own, and puts the handle the
// store held before back when it ends (timeout, a close message, SIGINT, SIGTERM or SIGHUP).
int RunOsdListenCommand(Invocation& call);

}  // namespace vorlix::ctl
