#include "ctl/ctlrun.h"

#include "ctl/ctlhelp.h"
#include "ctl/ctloutput.h"
#include "ctl/inputsession.h"
#include "ctl/linkchoice.h"
#include "ctl/servelaunch.h"
#include "protocol/line/commandset.h"
#include "protocol/line/linerequest.h"

#include <QCoreApplication>

namespace {

// One command from the command line: everything checked and built before
// the port is opened, so a bad argument sends nothing.
int RunOneCommand(const CtlOptions &options)
{
    QString error;
    const auto command = BuildFromWords(options.line.words, {options.line.escapes}, &error);
    if (!command) {
        PrintError(error);
        return StatusBadArguments;
    }
    if (options.dryRun) {
        PrintWrites(*command);
        return StatusDone;
    }
    int status = StatusDone;
    const auto link = OpenLink(options, &status);
    if (!link)
        return status;
    return PrintAnswer(link->carryOut(options.line, *command), options.line.json, {});
}

} // namespace

int RunCtl(const QStringList &arguments)
{
    QString error;
    const auto options = ParseCommandLine(arguments, &error);
    if (!options) {
        PrintError(error + QStringLiteral(" (vantorctl --help tells more)"));
        return StatusBadArguments;
    }
    if (options->version) {
        PrintResult(QStringLiteral("vantorctl ") + QCoreApplication::applicationVersion());
        return StatusDone;
    }
    if (const auto topic = HelpTopic(options->line))
        return PrintHelp(*topic);
    if (options->line.words.value(0) == u"serve")
        return ExecServe(arguments);
    if (!options->serveOnly.isEmpty()) {
        PrintError(options->serveOnly.first() + QStringLiteral(" belongs to vantorctl serve"));
        return StatusBadArguments;
    }
    if (options->fromInput)
        return RunInputSession(*options);
    if (options->line.words.isEmpty()) {
        PrintError(QStringLiteral("no command given (vantorctl --help lists them)"));
        return StatusBadArguments;
    }
    return RunOneCommand(*options);
}
