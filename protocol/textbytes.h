#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A number the operator typed or picked, as one parameter byte: decimal text,
// surrounding blanks allowed, a fraction rounded to the nearest whole number
// with halves to the even neighbour, result 0 to 255. Anything else has no value.
std::optional<quint8> TextToByte(const QString &text);

// A text as it goes on the wire: one byte per character, Latin-1, nothing
// escaped. A character outside Latin-1 becomes '?'.
QByteArray TextToWire(const QString &text);
