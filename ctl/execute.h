#pragma once

#include "ctl/ctlcommand.h"
#include "ctl/ctllink.h"
#include "ctl/ctloptions.h"

// The command that options.words name, to be sent; no value when nothing is
// to be sent: with --dry-run its bytes are printed instead (*status 0), a
// command that cannot be built is told after where (*status 2).
std::optional<CtlCommand> CommandToSend(const CtlOptions &options, const QString &where,
                                        int *status);

// Opens the port that the options choose; ExitDone, or the exit status after
// telling why not (2 for a bad choice, 3 for a port that cannot be opened).
int OpenChosenPort(CtlLink &link, const CtlOptions &options);

// Carries out a command built beforehand on the open link and prints a
// read's value, in JSON with --json. A failure is told on standard error,
// after where (empty, or "line 3: "). The exit status for the command.
int Execute(CtlLink &link, const CtlCommand &command, const CtlOptions &options,
            const QString &where);
