#include "ctl/ctloutput.h"

#include "protocol/bytetext.h"

#include <QJsonDocument>
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

void PrintWrites(const LineCommand &command)
{
    for (const QByteArray &bytes : command.writes)
        PrintResult(HexText(bytes));
}

int PrintAnswer(const LineAnswer &answer, bool json, const QString &where)
{
    if (answer.status != StatusDone) {
        PrintError(where + answer.text);
        return answer.status;
    }
    if (json && answer.json.contains(u"kind"))
        PrintResult(QString::fromUtf8(QJsonDocument(answer.json).toJson(QJsonDocument::Compact)));
    else if (!json && !answer.text.isEmpty())
        PrintResult(answer.text);
    return StatusDone;
}
