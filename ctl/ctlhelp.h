#pragma once

#include <QString>

// vantorctl's help: how to call it, its options, its commands, standard
// input and its exit status.
QString OverallHelp();

// Prints the help on the topic (a command's name, or everything when empty);
// the exit status: 2 for a topic that is no command.
int PrintHelp(const QString &topic);
