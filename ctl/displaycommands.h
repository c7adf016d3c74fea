#pragma once

#include "ctl/ctlcommand.h"

#include <QStringList>

// Builders of vantorctl's commands for the display: what it shows, where the
// cursor is, stored screens, scrolling and custom characters. Each takes the
// command's arguments (their count already checked) and gives the command the
// panel sends for the same action, or no value with *error naming the bad
// argument. None of them sends anything.
namespace DisplayCommands {

std::optional<CtlCommand> Text(const QStringList &args, QString *error);
std::optional<CtlCommand> Clear(const QStringList &args, QString *error);
std::optional<CtlCommand> Cursor(const QStringList &args, QString *error);
std::optional<CtlCommand> Goto(const QStringList &args, QString *error);
std::optional<CtlCommand> DeleteRow(const QStringList &args, QString *error);
std::optional<CtlCommand> DeleteColumn(const QStringList &args, QString *error);
std::optional<CtlCommand> Screen(const QStringList &args, QString *error);
std::optional<CtlCommand> Startup(const QStringList &args, QString *error);
std::optional<CtlCommand> DefineScreen(const QStringList &args, QString *error);
std::optional<CtlCommand> Scroll(const QStringList &args, QString *error);
std::optional<CtlCommand> Char(const QStringList &args, QString *error);
std::optional<CtlCommand> ShowChar(const QStringList &args, QString *error);

} // namespace DisplayCommands
