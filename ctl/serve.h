#pragma once

#include "ctl/ctloptions.h"

// vantorctl serve: owns the port the options choose, without a window, and
// serves it to the user's other programs on its socket, as the panel does
// (see BoardService). A device that is not there, or goes away, is waited
// for and reopened. Runs until SIGINT, SIGTERM or SIGHUP, then stops serving
// and closes the port: exit status 0. A port that cannot be opened for a
// reason waiting will not mend (in use, permission denied) is exit status 3.
int RunServe(const CtlOptions &options);

// The same from vantorctl's arguments (without the program's name), as
// vantorctl-serve is given them (see ExecServe).
int RunServeCommandLine(const QStringList &arguments);
