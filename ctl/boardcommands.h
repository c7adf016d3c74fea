#pragma once

#include "ctl/ctlcommand.h"

#include <QStringList>

// Builders of vantorctl's commands for the rest of the board: its memory,
// backlight, outputs and inputs, bar graphs, speed, and raw bytes. Like the
// display's builders, each gives the command the panel sends for the same
// action, or no value with *error naming the bad argument, and sends nothing.
namespace BoardCommands {

std::optional<CtlCommand> Save(const QStringList &args, QString *error);
std::optional<CtlCommand> Backlight(const QStringList &args, QString *error);
std::optional<CtlCommand> AutoOff(const QStringList &args, QString *error);
std::optional<CtlCommand> Outputs(const QStringList &args, QString *error);
std::optional<CtlCommand> Read(const QStringList &args, QString *error);
std::optional<CtlCommand> Graph(const QStringList &args, QString *error);
std::optional<CtlCommand> Bar(const QStringList &args, QString *error);
std::optional<CtlCommand> DeviceSpeed(const QStringList &args, QString *error);
std::optional<CtlCommand> Raw(const QStringList &args, QString *error);

} // namespace BoardCommands
