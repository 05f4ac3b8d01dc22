#pragma once

#include "CtlCommand.h"

namespace vorlix::ctl {

// vorlixctl list: one line per mouse: index, "version: product", path (tab-separated).
int RunDeviceList(Invocation& call);
// vorlixctl info [--mouse I]: family id, signature check, identify mode and firmware version.
int RunDeviceInfo(Invocation& call);
// vorlixctl read ADDR [--mouse I]: the byte at ADDR in decimal.
int RunDeviceRead(Invocation& call);
// vorlixctl write ADDR VALUE [--mouse I].
int RunDeviceWrite(Invocation& call);

}  // namespace vorlix::ctl
