#include "protocol/readingset.h"

#include "protocol/readouts.h"

QString ReadingSet::word(ReadKind kind)
{
    return kind == ReadKind::Voltage   ? QStringLiteral("voltage")
           : kind == ReadKind::Current ? QStringLiteral("current")
                                       : QStringLiteral("inputs");
}

void ReadingSet::setReply(ReadKind kind, const QByteArray &reply)
{
    setValue(kind, ReadingValue(kind, reply));
}

void ReadingSet::setValue(ReadKind kind, std::optional<double> value)
{
    if (const int at = slot(kind); at >= 0)
        m_values[size_t(at)] = value;
}

std::optional<double> ReadingSet::value(ReadKind kind) const
{
    const int at = slot(kind);
    return at >= 0 ? m_values[size_t(at)] : std::nullopt;
}

// Slots follow the values of ReadKind: inputs 1, voltage 2, current 3.
int ReadingSet::slot(ReadKind kind)
{
    return kind == ReadKind::None ? -1 : int(kind) - 1;
}
