#pragma once

#include <QStringList>

// Runs vantorctl with its arguments (without the program's name): checks
// them all, builds the command, then opens the port (or reaches the program
// that owns it) and carries it out, or with "-" does so for each line of
// standard input. Results go to standard output, messages to standard error.
// The exit status (see LineStatus).
int RunCtl(const QStringList &arguments);
