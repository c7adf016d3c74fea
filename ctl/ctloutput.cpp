#include "ctl/ctloutput.h"

#include "protocol/bytetext.h"

#include <cstdio>

namespace {

void PrintLine(FILE *to, const QString &line)
{
    std::fputs(line.toUtf8().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

} // namespace

void PrintResult(const QString &line)
{
    PrintLine(stdout, line);
}

void PrintError(const QString &message)
{
    PrintLine(stderr, QStringLiteral("vantorctl: ") + message);
}

void PrintWrites(const CtlCommand &command)
{
    for (const QByteArray &bytes : command.writes)
        PrintResult(HexText(bytes));
}
