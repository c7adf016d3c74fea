#pragma once

#include "ctl/ctllink.h"
#include "ctl/ctloptions.h"

#include <memory>

// The link the options choose, opened: through the program that owns the
// port when one serves it (unless --direct), else the device itself. No
// link, after telling why on standard error, with *status 2 for a bad choice
// of port and 3 for a port that cannot be opened.
std::unique_ptr<CtlLink> OpenLink(const CtlOptions &options, int *status);
