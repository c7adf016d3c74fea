#pragma once

#include "boardmodel.h"
#include "support/testdata.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

// Bytes written as numbers: Bytes({0xFE, 0x32, 1, 15}).
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

// One display row as text, 16 characters.
inline QString Row(const BoardModel &model, int row)
{
    return QString::fromLatin1(model.state().display.rowText(row).c_str());
}

// A row given by its first characters, filled up with blanks to 16.
inline QString Padded(const char *text)
{
    return QString::fromLatin1(text).leftJustified(16, QLatin1Char(' '));
}
