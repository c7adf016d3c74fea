#pragma once

#include "ctl/ctlcommand.h"

#include <QStringList>
#include <vector>

// One command of vantorctl: its name and arguments, its builder and its help.
struct SubCommand
{
    using Builder = std::optional<CtlCommand> (*)(const QStringList &args, QString *error);

    const char *name;
    const char *synopsis; // its arguments as the help shows them
    int fewest;           // arguments it needs
    int most;             // arguments it takes at most
    Builder build;
    const char *summary; // one line for the list of commands
    const char *details; // the rest of its help
};

// Every command, in the order the help lists them.
const std::vector<SubCommand> &SubCommands();
// The command of that name; nullptr for none.
const SubCommand *FindSubCommand(const QString &name);

// The command that words name (the command's name first, then its
// arguments), built and checked; no value, with *error saying which argument
// is wrong and why, when it cannot be built.
std::optional<CtlCommand> BuildFromWords(const QStringList &words, QString *error);

// "vantorctl NAME SYNOPSIS", its summary and details.
QString SubCommandHelp(const SubCommand &command);
