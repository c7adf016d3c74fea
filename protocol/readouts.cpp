#include "protocol/readouts.h"
#include <cmath>

std::optional<quint16> AnalogCount(const QByteArray &reply)
{
    if (reply.size() < 3)
        return std::nullopt;
    return quint16(quint8(reply.at(1)) * 256 + quint8(reply.at(2)));
}

QString NumberText(double value)
{
    // 'g' with 15 digits drops trailing zeros and the point of whole numbers;
    // QString::number ignores the locale, so the point is always a full stop.
    QString digits = QString::number(std::abs(value), 'g', 15);
    if (digits.startsWith(QLatin1String("0.")))
        digits.remove(0, 1);
    return (value < 0 ? QLatin1String("-") : QLatin1String(" ")) + digits;
}

std::optional<double> ReadingValue(ReadKind kind, const QByteArray &reply)
{
    if (kind == ReadKind::Inputs)
        return reply.isEmpty() ? std::nullopt : std::optional<double>(quint8(reply.at(0)));
    const auto count = AnalogCount(reply);
    if (!count || kind == ReadKind::None)
        return std::nullopt;
    return *count * (kind == ReadKind::Voltage ? VoltsPerCount : MilliampsPerCount);
}

std::optional<QString> InputsText(const QByteArray &reply)
{
    if (reply.isEmpty())
        return std::nullopt;
    return QString::number(quint8(reply.at(0)));
}

std::optional<QString> VoltageText(const QByteArray &reply)
{
    const auto count = AnalogCount(reply);
    if (!count)
        return std::nullopt;
    return NumberText(*count * VoltsPerCount) + QLatin1String("V");
}

std::optional<QString> CurrentText(const QByteArray &reply)
{
    const auto count = AnalogCount(reply);
    if (!count)
        return std::nullopt;
    return NumberText(*count * MilliampsPerCount) + QLatin1String("mA");
}

std::optional<QString> ReadoutText(ReadKind kind, const QByteArray &reply)
{
    switch (kind) {
    case ReadKind::Inputs: return InputsText(reply);
    case ReadKind::Voltage: return VoltageText(reply);
    case ReadKind::Current: return CurrentText(reply);
    case ReadKind::None: break;
    }
    return std::nullopt;
}
