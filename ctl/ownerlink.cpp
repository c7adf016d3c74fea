#include "ctl/ownerlink.h"

#include "protocol/line/linewords.h"

bool OwnerLink::connectTo(const QString &socketPath, int timeoutMs)
{
    m_open = m_client.connectTo(socketPath, timeoutMs);
    return m_open;
}

// The line asks for its answer in JSON, which carries the exit status of an
// error; what is printed is still what the options ask for.
LineAnswer OwnerLink::carryOut(const LineOptions &options, const LineCommand &command)
{
    QStringList line{QStringLiteral("--json"), QStringLiteral("--timeout"),
                     QString::number(options.timeoutMs)};
    if (options.escapes)
        line << QStringLiteral("-e");
    line << QStringLiteral("--") << options.words;
    QString error;
    const auto answered = m_client.ask(QuotedLine(line), options.timeoutMs + OwnerWorkMs, &error);
    if (!answered) {
        m_open = false;
        return LineAnswer::error(StatusNoAnswer,
                                 QStringLiteral("the program that owns the port: %1").arg(error));
    }
    LineAnswer answer = LineAnswer::fromJsonLine(*answered);
    if (answer.status == StatusDone && command.read != ReadKind::None)
        answer.text = ReadResultText(answer.json);
    return answer;
}
