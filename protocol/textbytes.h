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

// Where a text goes on the wire: written at the cursor as it stands, or as a
// line of a two-line definition (start-up screen, user screens, scroll texts).
enum class TextPlace
{
    Free,
    Definition
};

// The one rule for display text on the wire, typed or stored: each Latin-1
// character goes out as its byte, the eight custom characters (0x00 to 0x07)
// and every glyph of the display's character set included. Only what would
// break the framing is left out: 0xFE anywhere (it starts a command), and
// inside a definition also the end-of-line mark 0x0D and the end-of-text mark
// 0xFF, which would end it early. A character outside Latin-1 has no byte.
bool IsSendableChar(QChar c, TextPlace place);
// The text without the characters the rule leaves out, in order.
QString SendableText(const QString &text, TextPlace place);
// The characters the rule leaves out, each as two or more hexadecimal digits
// ("FF FE 0D"), for telling the operator what was dropped.
QString UnsendableCodes(const QString &text, TextPlace place);

// A text as it goes on the wire: one byte per character, Latin-1, nothing
// escaped. Characters the rule above leaves out are dropped, whatever the
// text's source, so none of them ever reaches the board.
QByteArray TextToWire(const QString &text, TextPlace place);
