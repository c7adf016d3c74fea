#pragma once

#include "ctl/ctloptions.h"

// vantorctl - : the commands come from standard input, one a line, and the
// port stays open between them (it is opened before the first line, unless
// --dry-run). Each line is split as a shell would, checked, and only then
// sent. A bad line (or one over 64 KiB) is told on standard error with its
// number and skipped; a read without a reply is told and the next line goes
// on; a board that takes no data, or a device that goes away, ends the
// session. The exit status of the first line that failed, or 0.
int RunInputSession(const CtlOptions &options);
