#pragma once

#include "ctl/ctloptions.h"

// vantorctl watch [voltage] [current] [inputs]: polls the readings named
// (all three when none is) every --interval seconds, through the port's owner
// when there is one, and prints one line a poll as soon as it is whole: the
// CSV of the panel's "Log to CSV..." (a header first), or with --json one
// object a line. A read without a reply leaves its field empty (null). Ends
// after --count polls, or on SIGINT, SIGTERM or SIGHUP; the exit status is 0,
// or 1 when the polls ran out without a single read answered.
int RunWatch(const CtlOptions &options);
