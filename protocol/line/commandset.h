#pragma once

#include "protocol/line/commandbuilders.h"

#include <QStringList>
#include <vector>

// One command of the line language: its name and arguments, its builder and its help.
struct LineCommandInfo
{
    using Builder = std::optional<LineCommand> (*)(const QStringList &args,
                                                   const ArgumentRules &rules, QString *error);

    const char *name;
    const char *synopsis; // its arguments as the help shows them
    int fewest;           // arguments it needs
    int most;             // arguments it takes at most
    Builder build;
    const char *summary; // one line for the list of commands
    const char *details; // the rest of its help
};

// Every command, in the order the help lists them.
const std::vector<LineCommandInfo> &LineCommands();
// The command of that name; nullptr for none.
const LineCommandInfo *FindLineCommand(const QString &name);
// The command whose name is nearest to a mistyped one ("txt": "text"); empty
// when none is near enough to be meant.
QString NearestCommandName(const QString &name);

// The command that words name (the command's name first, then its
// arguments), built and checked; no value, with *error saying which argument
// is wrong and why, when it cannot be built.
std::optional<LineCommand> BuildFromWords(const QStringList &words, const ArgumentRules &rules,
                                          QString *error);

// "Usage: vantorctl [OPTIONS] NAME SYNOPSIS", its summary and details.
QString LineCommandHelp(const LineCommandInfo &command);
// Every command's call and summary, two lines each, for the overall help.
QString LineCommandList();
// Help in one line, as a port's owner answers "help" on its socket: a
// command's call and summary, or the names of all for an empty topic; empty
// for a topic that names no command.
QString OneLineHelp(const QString &topic);
