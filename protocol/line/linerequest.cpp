#include "protocol/line/linerequest.h"

#include "protocol/line/commandset.h"
#include "protocol/line/linewords.h"

std::optional<QString> HelpTopic(const LineOptions &options)
{
    const bool helpWord = options.words.value(0) == u"help";
    if (!options.help && !helpWord)
        return std::nullopt;
    return options.words.value(helpWord ? 1 : 0);
}

std::optional<LineRequest> ParseLine(const QString &line, const LineOptions &defaults,
                                     QString *error)
{
    const auto words = LineWords(line, error);
    if (!words)
        return std::nullopt;
    const auto options = ParseLineOptions(*words, defaults, error);
    if (!options)
        return std::nullopt;
    LineRequest request{*options, std::nullopt, HelpTopic(*options)};
    if (request.helpTopic || options->words.isEmpty())
        return request;
    request.command = BuildFromWords(options->words, {options->escapes}, error);
    if (!request.command)
        return std::nullopt;
    return request;
}

LineAnswer AnswerWithoutBoard(const LineRequest &request)
{
    if (!request.helpTopic)
        return LineAnswer::ok();
    const QString help = OneLineHelp(*request.helpTopic);
    if (help.isEmpty())
        return LineAnswer::error(
            StatusBadArguments,
            QStringLiteral("no help on \"%1\": there is no such command").arg(*request.helpTopic));
    return {StatusDone, help, {{"help", help}}};
}
