#pragma once

#include "ctl/ctloptions.h"

#include <QString>
#include <optional>

// vantorctl's help: how to call it, its options, its commands, standard
// input and its exit status.
QString OverallHelp();

// What --help or "help [COMMAND]" asks for, printed; the exit status, or no
// value when the options ask for no help.
std::optional<int> AnswerHelp(const CtlOptions &options);
