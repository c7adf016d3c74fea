#pragma once

#include "protocol/readingset.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Polls of the inputs as comma-separated values, one line a poll: the local
// time in ISO 8601 with milliseconds, then one column per reading chosen, in
// the order of ReadingSet::Kinds; a read without reply leaves its field empty:
//
//     time,volts,milliamperes,inputs
//     2024-05-01T14:03:07.250,5.0176,10.24,5
//     2024-05-01T14:03:08.250,,10.24,5
//
// Numbers have a full stop and a zero before it, whatever the locale, so a
// spreadsheet reads them as they are.
class ReadingsCsv
{
public:
    // The columns of the readings chosen; kinds not chosen are left out.
    explicit ReadingsCsv(const QList<ReadKind> &chosen);

    QList<ReadKind> columns() const { return m_columns; }
    // The header line, with its line end.
    QByteArray header() const;
    // One poll's line, with its line end.
    QByteArray row(const ReadingSet &readings) const;
    // "volts", "milliamperes", "inputs".
    static QString columnName(ReadKind kind);

private:
    QList<ReadKind> m_columns;
};
