#include "ctl/inputsession.h"

#include "ctl/ctllink.h"
#include "ctl/ctloutput.h"
#include "ctl/ctlrun.h"
#include "ctl/execute.h"
#include "ctl/inputline.h"

#include <iostream>
#include <string>

namespace {

class InputSession
{
public:
    explicit InputSession(const CtlOptions &options) : m_options(options), m_link(options.timeoutMs)
    {
    }

    int run();

private:
    int runLine(const QString &line);
    QString where() const { return QStringLiteral("line %1: ").arg(m_lineNumber); }

    const CtlOptions &m_options;
    CtlLink m_link;
    int m_lineNumber = 0;
};

int InputSession::run()
{
    if (!m_options.words.isEmpty()) {
        PrintError(QStringLiteral("- takes no command: the commands come from standard input"));
        return ExitBadArguments;
    }
    if (!m_options.dryRun) {
        if (const int opened = OpenChosenPort(m_link, m_options); opened != ExitDone)
            return opened;
    }
    int status = ExitDone;
    // Line by line as each arrives: a script may wait for a read's result
    // before it writes the next line.
    for (std::string line; std::getline(std::cin, line);) {
        ++m_lineNumber;
        const int lineStatus = runLine(QString::fromStdString(line));
        if (status == ExitDone)
            status = lineStatus;
        if (!m_options.dryRun && !m_link.isOpen())
            break;
    }
    return status;
}

int InputSession::runLine(const QString &line)
{
    QString error;
    const auto words = InputLineWords(line, &error);
    const auto options =
        words ? ParseOptions(*words, OptionScope::InputLine, m_options, &error) : std::nullopt;
    if (!options) {
        PrintError(where() + error);
        return ExitBadArguments;
    }
    if (options->words.isEmpty() && !options->help)
        return ExitDone;
    if (const auto helped = AnswerHelp(*options))
        return *helped;
    int status = ExitDone;
    const auto command = CommandToSend(*options, where(), &status);
    return command ? Execute(m_link, *command, *options, where()) : status;
}

} // namespace

int RunInputSession(const CtlOptions &options)
{
    return InputSession(options).run();
}
