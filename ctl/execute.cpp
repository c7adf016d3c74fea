#include "ctl/execute.h"

#include "ctl/ctloutput.h"
#include "ctl/ctlrun.h"
#include "ctl/portchoice.h"
#include "ctl/readouttext.h"
#include "ctl/subcommands.h"

std::optional<CtlCommand> CommandToSend(const CtlOptions &options, const QString &where,
                                        int *status)
{
    QString error;
    auto command = BuildFromWords(options.words, &error);
    if (!command) {
        PrintError(where + error);
        *status = ExitBadArguments;
        return std::nullopt;
    }
    *status = ExitDone;
    if (!options.dryRun)
        return command;
    PrintWrites(*command);
    return std::nullopt;
}

int OpenChosenPort(CtlLink &link, const CtlOptions &options)
{
    QString error;
    const auto port = ChoosePort(options, &error);
    if (!port) {
        PrintError(error);
        return ExitBadArguments;
    }
    if (!link.open(port->device, port->settings, &error)) {
        PrintError(error);
        return ExitPortNotOpened;
    }
    return ExitDone;
}

int Execute(CtlLink &link, const CtlCommand &command, const CtlOptions &options,
            const QString &where)
{
    link.setTimeout(options.timeoutMs);
    QByteArray reply;
    QString error;
    if (link.carryOut(command, &reply, &error) != LinkOutcome::Done) {
        PrintError(where + error);
        return ExitNoAnswer;
    }
    if (command.read != ReadKind::None)
        PrintResult(options.json ? ReadResultJson(command.read, reply)
                                 : ReadResultText(command.read, reply));
    return ExitDone;
}
