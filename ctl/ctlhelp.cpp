#include "ctl/ctlhelp.h"

#include "ctl/ctloutput.h"
#include "ctl/servehelp.h"
#include "protocol/line/commandset.h"
#include "protocol/line/lineargs.h"

namespace {

const char *const Usage = R"(Usage: vantorctl [OPTIONS] COMMAND [ARGS...]
       vantorctl [OPTIONS] -
       vantorctl [OPTIONS] watch [voltage] [current] [inputs] [--interval S] [--count N]
       vantorctl serve [OPTIONS]   (vantorctl help serve)
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
  -e, --escapes       read \1 to \8 (custom characters), \\ and \xHH in texts
  --dry-run           print the bytes in hexadecimal, one line a write,
                      instead of opening the port
  --direct            open the device even when VantorApp or vantorctl
                      serve has it, instead of going through that program
  --help, -h          this help; with a command, that command's help
  --version, -V       the version
  --                  every argument after it is a command word, also one
                      that begins with --

Commands:
)";

const char *const Closing = R"(
"vantorctl COMMAND --help" or "vantorctl help COMMAND" tells more.

Texts take Latin-1 characters, 16 a display line and 40 a scroll text;
numbers are whole and decimal, each within the range its command gives.
Everything is checked before the port is opened, so a bad argument sends
nothing. When a program owns the port (VantorApp, or vantorctl serve), the
command goes through it, at the speed it has the port at.

watch polls the readings named (all three without a name) every --interval
seconds (default 1) and prints one CSV row a poll (a header first; with
--json one object a line), until --count polls or SIGINT; a read without a
reply leaves its field empty, and exit status 1 tells that none was answered.

serve owns the port and serves it to the user's other programs, as VantorApp
does while its port is open; vantorctl goes through such a program when one
serves the device (see "man vantorctl").

With - the commands come from standard input, one a line (at most 64 KiB),
with shell-like quoting ('...', "...", $'...', \); empty lines and lines
beginning with # are skipped. The port stays open. Each line is checked
before any of its bytes go out; a bad line is told on standard error and
skipped, and the rest go on. --json, --timeout, -e and --help may stand on a
line.

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
    return QLatin1String(Usage) + LineCommandList() + QLatin1String(Closing);
}

int PrintHelp(const QString &topic)
{
    if (topic.isEmpty()) {
        PrintResult(OverallHelp());
        return StatusDone;
    }
    if (topic == u"serve") {
        PrintResult(ServeHelp());
        return StatusDone;
    }
    const LineCommandInfo *command = FindLineCommand(topic);
    if (!command) {
        PrintError(
            QStringLiteral("no help on %1: there is no such command").arg(QuotedChars(topic)));
        return StatusBadArguments;
    }
    PrintResult(LineCommandHelp(*command));
    return StatusDone;
}
