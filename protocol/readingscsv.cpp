#include "protocol/readingscsv.h"

#include <QStringList>

ReadingsCsv::ReadingsCsv(const QList<ReadKind> &chosen)
{
    for (const ReadKind kind : ReadingSet::Kinds) {
        if (chosen.contains(kind))
            m_columns << kind;
    }
}

QByteArray ReadingsCsv::header() const
{
    QStringList names{QStringLiteral("time")};
    for (const ReadKind kind : m_columns)
        names << columnName(kind);
    return names.join(u',').toLatin1() + '\n';
}

QByteArray ReadingsCsv::row(const ReadingSet &readings) const
{
    QStringList fields{readings.time().toLocalTime().toString(Qt::ISODateWithMs)};
    for (const ReadKind kind : m_columns) {
        const auto value = readings.value(kind);
        fields << (value ? QString::number(*value, 'g', 15) : QString());
    }
    return fields.join(u',').toLatin1() + '\n';
}

QString ReadingsCsv::columnName(ReadKind kind)
{
    switch (kind) {
    case ReadKind::Voltage: return QStringLiteral("volts");
    case ReadKind::Current: return QStringLiteral("milliamperes");
    case ReadKind::Inputs: return QStringLiteral("inputs");
    case ReadKind::None: break;
    }
    return {};
}
