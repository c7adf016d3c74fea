#include "ctl/ctlrun.h"

#include "ctl/ctlhelp.h"
#include "ctl/ctllink.h"
#include "ctl/ctloptions.h"
#include "ctl/ctloutput.h"
#include "ctl/execute.h"
#include "ctl/inputsession.h"

namespace {

// One command from the command line: everything checked and built before
// the port is opened, so a bad argument sends nothing.
int RunOneCommand(const CtlOptions &options)
{
    int status = ExitDone;
    const auto command = CommandToSend(options, {}, &status);
    if (!command)
        return status;
    CtlLink link(options.timeoutMs);
    if (const int opened = OpenChosenPort(link, options); opened != ExitDone)
        return opened;
    return Execute(link, *command, options, {});
}

} // namespace

int RunCtl(const QStringList &arguments)
{
    QString error;
    const auto options = ParseOptions(arguments, OptionScope::CommandLine, CtlOptions(), &error);
    if (!options) {
        PrintError(error + QStringLiteral(" (vantorctl --help tells more)"));
        return ExitBadArguments;
    }
    if (const auto helped = AnswerHelp(*options))
        return *helped;
    if (options->fromInput)
        return RunInputSession(*options);
    if (options->words.isEmpty()) {
        PrintError(QStringLiteral("no command given (vantorctl --help lists them)"));
        return ExitBadArguments;
    }
    return RunOneCommand(*options);
}
