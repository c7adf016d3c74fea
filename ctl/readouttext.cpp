#include "ctl/readouttext.h"

#include "protocol/readouts.h"

QString ReadResultText(ReadKind kind, const QByteArray &reply)
{
    return ReadoutText(kind, reply).value_or(QString()).trimmed();
}

QString ReadResultJson(ReadKind kind, const QByteArray &reply)
{
    if (kind == ReadKind::Inputs)
        return QStringLiteral("{\"kind\":\"inputs\",\"value\":%1}")
            .arg(reply.isEmpty() ? 0 : quint8(reply.at(0)));
    const bool voltage = kind == ReadKind::Voltage;
    const quint16 count = AnalogCount(reply).value_or(0);
    // JSON wants the zero before the point that the read-out leaves out.
    const double value = count * (voltage ? VoltsPerCount : MilliampsPerCount);
    return QStringLiteral("{\"kind\":\"%1\",\"count\":%2,\"value\":%3,\"unit\":\"%4\"}")
        .arg(voltage ? "voltage" : "current")
        .arg(count)
        .arg(QString::number(value, 'g', 15), voltage ? "V" : "mA");
}
