#pragma once

#include <QStringList>

// vantorctl's exit status.
enum CtlExit
{
    ExitDone = 0,
    ExitNoAnswer = 1,      // the board did not answer, or did not take the bytes
    ExitBadArguments = 2,  // the message says which and why
    ExitPortNotOpened = 3, // the message names the device and why
};

// Runs vantorctl with its arguments (without the program's name): checks
// them all, builds the command, then opens the port and carries it out, or
// with "-" does so for each line of standard input. Results go to standard
// output, messages to standard error. The exit status.
int RunCtl(const QStringList &arguments);
