#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The value of a decimal text: an optional sign, digits with at most one
// decimal point, surrounding blanks allowed. No value for anything else
// ("nan", "inf", "1e2", "0x10", "1,5", empty text).
std::optional<double> DecimalNumber(const QString &text);

// A number the operator typed or picked, as one parameter byte: decimal text,
// surrounding blanks allowed, a fraction rounded to the nearest whole number
// with halves to the even neighbour, result 0 to 255. Anything else has no value.
std::optional<quint8> TextToByte(const QString &text);

// The one rule for display text on the wire, typed or stored: printable ASCII
// (0x20 to 0x7E) and the printable upper half of Latin-1 short of the command
// prefix 0xFE and the end-of-text mark 0xFF (0xA0 to 0xFD). Control bytes,
// 0xFE and 0xFF inside a text would end a definition early or start a command.
bool IsSendableChar(QChar c);
// The text without the characters the rule leaves out, in order.
QString SendableText(const QString &text);
// The characters the rule leaves out, each as two or more hexadecimal digits
// ("FF FE 07"), for telling the operator what was dropped.
QString UnsendableCodes(const QString &text);

// A text as it goes on the wire: one byte per character, Latin-1, nothing
// escaped. Characters the rule above leaves out are dropped, whatever the
// text's source, so none of them ever reaches the board.
QByteArray TextToWire(const QString &text);
