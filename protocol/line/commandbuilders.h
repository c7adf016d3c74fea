#pragma once

#include "protocol/line/linecommand.h"

#include <QStringList>

// How the arguments of a line are read: with escapes, a text argument may
// hold \1 to \8, \\ and \xHH (see ExpandEscapes).
struct ArgumentRules
{
    bool escapes = false;
};

// The builders of the line language's commands. Each takes the command's
// arguments (their count already checked) and gives the command the panel
// sends for the same action, built from the protocol's values, or no value
// with *error naming the bad argument. None of them sends anything.
namespace DisplayCommands {

std::optional<LineCommand> Text(const QStringList &args, const ArgumentRules &rules,
                                QString *error);
std::optional<LineCommand> Clear(const QStringList &args, const ArgumentRules &rules,
                                 QString *error);
std::optional<LineCommand> Cursor(const QStringList &args, const ArgumentRules &rules,
                                  QString *error);
std::optional<LineCommand> Goto(const QStringList &args, const ArgumentRules &rules,
                                QString *error);
std::optional<LineCommand> DeleteRow(const QStringList &args, const ArgumentRules &rules,
                                     QString *error);
std::optional<LineCommand> DeleteColumn(const QStringList &args, const ArgumentRules &rules,
                                        QString *error);
std::optional<LineCommand> Screen(const QStringList &args, const ArgumentRules &rules,
                                  QString *error);
std::optional<LineCommand> Startup(const QStringList &args, const ArgumentRules &rules,
                                   QString *error);
std::optional<LineCommand> DefineScreen(const QStringList &args, const ArgumentRules &rules,
                                        QString *error);
std::optional<LineCommand> Scroll(const QStringList &args, const ArgumentRules &rules,
                                  QString *error);
std::optional<LineCommand> Char(const QStringList &args, const ArgumentRules &rules,
                                QString *error);
std::optional<LineCommand> ShowChar(const QStringList &args, const ArgumentRules &rules,
                                    QString *error);

} // namespace DisplayCommands

namespace BoardCommands {

std::optional<LineCommand> Save(const QStringList &args, const ArgumentRules &rules,
                                QString *error);
std::optional<LineCommand> Backlight(const QStringList &args, const ArgumentRules &rules,
                                     QString *error);
std::optional<LineCommand> AutoOff(const QStringList &args, const ArgumentRules &rules,
                                   QString *error);
std::optional<LineCommand> Outputs(const QStringList &args, const ArgumentRules &rules,
                                   QString *error);
std::optional<LineCommand> Read(const QStringList &args, const ArgumentRules &rules,
                                QString *error);
std::optional<LineCommand> Graph(const QStringList &args, const ArgumentRules &rules,
                                 QString *error);
std::optional<LineCommand> Bar(const QStringList &args, const ArgumentRules &rules, QString *error);
std::optional<LineCommand> DeviceSpeed(const QStringList &args, const ArgumentRules &rules,
                                       QString *error);
std::optional<LineCommand> Raw(const QStringList &args, const ArgumentRules &rules, QString *error);

} // namespace BoardCommands
