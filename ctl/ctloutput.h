#pragma once

#include "ctl/ctlcommand.h"

#include <QString>

// What vantorctl prints. Each line is flushed at once, so a script that
// feeds it commands through a pipe reads each result as it comes.

// A line of results on standard output.
void PrintResult(const QString &line);
// "vantorctl: " and the message, on standard error.
void PrintError(const QString &message);
// The command's writes in hexadecimal ("FE 2F 05"), one line each.
void PrintWrites(const CtlCommand &command);
