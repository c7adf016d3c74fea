#pragma once

#include <QByteArray>
#include <QTest>

// The notation of the data tables.

// Bytes written as hexadecimal text: hex("FE2D00").
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// One row of the current table, its values in the order of the columns:
// dataRow("name", a, b) is QTest::newRow("name") << a << b as a single call,
// so that a row reads on one line.
template <typename... Values> void dataRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}
