#pragma once

#include <QByteArrayView>
#include <QString>

// Bytes as a person reads them in a log or a monitor.

// Two upper-case hexadecimal digits a byte, blank between: "FE 2F 05".
QString HexText(QByteArrayView bytes);
// The bytes in double quotes: printable ASCII as it is, every other byte
// (the quote and the backslash too) as \xNN, so the text is never ambiguous.
QString QuotedText(QByteArrayView bytes);
// A text in double quotes as a message shows it: each control character (and
// the quote and the backslash) as \xNN, every other character as it is, so a
// message never carries a raw control byte.
QString QuotedChars(const QString &text);
