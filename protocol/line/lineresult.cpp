#include "protocol/line/lineresult.h"

#include "protocol/readouts.h"

#include <QJsonDocument>

QString ReadResultText(ReadKind kind, const QByteArray &reply)
{
    return ReadoutText(kind, reply).value_or(QString()).trimmed();
}

QJsonObject ReadResultJson(ReadKind kind, const QByteArray &reply)
{
    if (kind == ReadKind::Inputs)
        return {{"kind", "inputs"}, {"value", reply.isEmpty() ? 0 : int(quint8(reply.at(0)))}};
    const bool voltage = kind == ReadKind::Voltage;
    const quint16 count = AnalogCount(reply).value_or(0);
    return {{"kind", voltage ? "voltage" : "current"},
            {"count", count},
            {"value", count * (voltage ? VoltsPerCount : MilliampsPerCount)},
            {"unit", voltage ? "V" : "mA"}};
}

LineAnswer LineAnswer::ok()
{
    return {StatusDone, {}, {{"ok", true}}};
}

LineAnswer LineAnswer::read(ReadKind kind, const QByteArray &reply)
{
    return {StatusDone, ReadResultText(kind, reply), ReadResultJson(kind, reply)};
}

LineAnswer LineAnswer::error(LineStatus status, const QString &message)
{
    return {status, message, {{"error", message}, {"exit", int(status)}}};
}

QString LineAnswer::line(bool asJson) const
{
    if (asJson)
        return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
    if (status != StatusDone)
        return QStringLiteral("error: ") + text;
    return text.isEmpty() ? QStringLiteral("ok") : text;
}

LineAnswer LineAnswer::fromJsonLine(const QString &line)
{
    const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
    if (object.isEmpty() && line.startsWith(u"error: ")) // a refusal before any line was read
        return error(StatusNoAnswer, line.mid(7));
    if (object.isEmpty())
        return error(StatusNoAnswer,
                     QStringLiteral("an answer that is no JSON object: %1").arg(line));
    if (object.contains(u"error")) {
        const int exit = object.value(u"exit").toInt(StatusNoAnswer);
        const LineStatus status = exit >= StatusNoAnswer && exit <= StatusPortNotOpened
                                      ? LineStatus(exit)
                                      : StatusNoAnswer;
        return error(status, object.value(u"error").toString());
    }
    return {StatusDone, {}, object};
}

QString ReadResultText(const QJsonObject &read)
{
    const QString kind = read.value(u"kind").toString();
    if (kind == u"inputs")
        return QString::number(read.value(u"value").toInt());
    const int count = read.value(u"count").toInt();
    const QByteArray reply{"\0", 1};
    return ReadResultText(kind == u"voltage" ? ReadKind::Voltage : ReadKind::Current,
                          reply + char(count >> 8) + char(count & 0xFF));
}
