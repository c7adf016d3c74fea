#pragma once

#include "protocol/line/linecommand.h"
#include "protocol/line/lineoptions.h"
#include "protocol/line/lineresult.h"

#include <QString>
#include <optional>

// One line of the line language, read: the one parser of vantorctl's
// standard input and of the port owner's socket, so a line means the same in
// every mode.
struct LineRequest
{
    LineOptions options;
    // The command to carry out; none for an empty line, a comment or help.
    std::optional<LineCommand> command;
    // Help asked for ("help", "help text", "text --help"): the command's name,
    // or an empty text for help on everything.
    std::optional<QString> helpTopic;
};

// Splits the line as a shell would, reads its options over the defaults and
// builds its command. No value, with *error set, for a line that cannot be
// split, a bad option or a command that cannot be built.
std::optional<LineRequest> ParseLine(const QString &line, const LineOptions &defaults,
                                     QString *error);

// The help that words and options ask for, if any (see LineRequest::helpTopic).
std::optional<QString> HelpTopic(const LineOptions &options);

// The answer to a line that asks nothing of the board: its help in one line
// (see OneLineHelp; help on no command is an error of class 2), or "ok" for
// an empty line or a comment.
LineAnswer AnswerWithoutBoard(const LineRequest &request);
