#pragma once

#include "protocol/line/linecommand.h"
#include "protocol/line/lineresult.h"

#include <QString>

// What vantorctl prints. Each line is flushed at once, so a script that
// feeds it commands through a pipe reads each result as it comes.

// A line of results on standard output.
void PrintResult(const QString &line);
// "vantorctl: " and the message, on standard error.
void PrintError(const QString &message);
// The command's writes in hexadecimal ("FE 2F 05"), one line each.
void PrintWrites(const LineCommand &command);
// What a command came to: a read's value (in JSON with json) on standard
// output, an error after where ("line 3: ") on standard error; nothing for a
// command done that reads nothing. The answer's status.
int PrintAnswer(const LineAnswer &answer, bool json, const QString &where);
