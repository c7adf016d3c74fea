#include "ctl/ctlhelp.h"

#include "ctl/ctloutput.h"
#include "ctl/ctlrun.h"
#include "ctl/subcommands.h"

namespace {

const char *const Usage = R"(Usage: vantorctl [OPTIONS] COMMAND [ARGS...]
       vantorctl [OPTIONS] -
Drives the serial character-display board from scripts: the same bytes as
VantorApp sends for the same action, on the port VantorApp uses.

Options:
  --port DEVICE|COMn  the serial device, or port n as VantorApp maps it
                      (default: "CommPort" and [Ports] of vantor.ini)
  --speed 9600|19200  bit/s (default: "Setting" of vantor.ini, else 9600)
  --ini FILE          take the defaults from FILE instead of vantor.ini
  --timeout MS        wait at most MS ms for a reply or for the board to
                      take data (default 500)
  --json              print a read's value as one JSON object
  --dry-run           print the bytes in hexadecimal, one line a write,
                      instead of opening the port
  --help, -h          this help; with a command, that command's help
  --                  every argument after it is a command word, also one
                      that begins with --

Commands:
)";

const char *const Closing = R"(
"vantorctl COMMAND --help" or "vantorctl help COMMAND" tells more.

Texts take printable Latin-1 characters, 16 a display line and 40 a scroll
text; numbers are decimal, 0 to 255, a fraction rounded (halves to even).
Everything is checked before the port is opened, so a bad argument sends
nothing.

With - the commands come from standard input, one a line, with shell-like
quoting ('...', "...", \); empty lines and lines beginning with # are
skipped. The port stays open. Each line is checked before any of its bytes
go out; a bad line is told on standard error and skipped, and the rest go
on. --json, --timeout and --help may stand on a line.

Exit status:
  0  done
  1  the board did not answer, or did not take the bytes
  2  bad arguments (the message says which and why)
  3  the port could not be opened (the message names the device and why)
With -, the status of the first line that failed.
)";

} // namespace

QString OverallHelp()
{
    QString help = QLatin1String(Usage);
    for (const SubCommand &command : SubCommands()) {
        const QString call = QStringLiteral("%1 %2").arg(command.name, command.synopsis).trimmed();
        help += QStringLiteral("  %1\n      %2\n").arg(call, command.summary);
    }
    return help + QLatin1String(Closing);
}

std::optional<int> AnswerHelp(const CtlOptions &options)
{
    const bool helpWord = options.words.value(0) == u"help";
    if (!options.help && !helpWord)
        return std::nullopt;
    const QString topic = options.words.value(helpWord ? 1 : 0);
    if (topic.isEmpty()) {
        PrintResult(OverallHelp());
        return ExitDone;
    }
    const SubCommand *command = FindSubCommand(topic);
    if (!command) {
        PrintError(QStringLiteral("no help on \"%1\": there is no such command").arg(topic));
        return ExitBadArguments;
    }
    PrintResult(SubCommandHelp(*command));
    return ExitDone;
}
