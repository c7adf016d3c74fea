#include "ctl/inputsession.h"

#include "ctl/ctlhelp.h"
#include "ctl/ctllink.h"
#include "ctl/ctloutput.h"
#include "ctl/ctlrun.h"
#include "ctl/execute.h"
#include "ctl/inputline.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The next line of standard input, read as soon as it is whole: a script may
// wait for a read's result before it writes the next line. (getline() of
// the C library rather than iostreams, whose set-up costs every start.)
std::optional<QString> NextInputLine()
{
    char *line = nullptr;
    size_t capacity = 0;
    const ssize_t length = ::getline(&line, &capacity, stdin);
    std::optional<QString> text;
    if (length >= 0)
        text = QString::fromUtf8(line, length);
    std::free(line);
    return text;
}

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
    while (const auto line = NextInputLine()) {
        ++m_lineNumber;
        const int lineStatus = runLine(*line);
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
