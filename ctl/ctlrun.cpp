#include "ctl/ctlrun.h"

#include "ctl/ctlhelp.h"
#include "ctl/ctloutput.h"
#include "ctl/inputsession.h"
#include "ctl/linkchoice.h"
#include "ctl/servelaunch.h"
#include "ctl/watch.h"
#include "protocol/line/commandset.h"
#include "protocol/line/linerequest.h"

#include <QCoreApplication>
#include <QHash>

namespace {

// Why an option stands with a command it does not belong to; empty when none does.
QString MisplacedOption(const CtlOptions &options, const QString &command)
{
    static const QHash<QString, QString> Owners = {{QStringLiteral("--follow-speed"), "serve"},
                                                   {QStringLiteral("--interval"), "watch"},
                                                   {QStringLiteral("--count"), "watch"}};
    for (const QString &option : options.commandOptions) {
        const QString owner = Owners.value(option, QStringLiteral("serve")); // the bridge's too
        if (owner != command)
            return QStringLiteral("%1 belongs to vantorctl %2").arg(option, owner);
    }
    return {};
}

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
    const QString command = options->line.words.value(0);
    if (const QString misplaced = MisplacedOption(*options, command); !misplaced.isEmpty()) {
        PrintError(misplaced);
        return StatusBadArguments;
    }
    if (command == u"serve")
        return ExecServe(arguments);
    if (command == u"watch")
        return RunWatch(*options);
    if (options->fromInput)
        return RunInputSession(*options);
    if (options->line.words.isEmpty()) {
        PrintError(QStringLiteral("no command given (vantorctl --help lists them)"));
        return StatusBadArguments;
    }
    return RunOneCommand(*options);
}
