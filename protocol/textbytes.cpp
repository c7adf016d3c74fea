#include "protocol/textbytes.h"

#include "protocol/commands.h"

#include <QStringList>

#include <cmath>

namespace {

// An optional sign, then ASCII digits with at most one decimal point among
// them, at least one digit: "7", "+7", "1.5", "2.", ".5". Checked by hand
// rather than with a regular expression, whose compiler would cost the
// panel's start-up about half a megabyte and a few tenths of a millisecond.
bool IsDecimalText(QStringView text)
{
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    bool point = false;
    bool digit = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

} // namespace

std::optional<double> DecimalNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!IsDecimalText(trimmed))
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok); // C locale: always a full stop
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<quint8> TextToByte(const QString &text)
{
    const auto value = DecimalNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding: halves to even
    if (rounded < 0.0 || rounded > 255.0)
        return std::nullopt;
    return quint8(rounded);
}

bool IsSendableChar(QChar c, TextPlace place)
{
    const char16_t code = c.unicode();
    if (code > 0xFF || code == Cmd::Prefix)
        return false;
    return place == TextPlace::Free || (code != Cmd::EndOfLine && code != Cmd::EndOfText);
}

QString SendableText(const QString &text, TextPlace place)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (IsSendableChar(c, place))
            kept.append(c);
    }
    return kept;
}

QString UnsendableCodes(const QString &text, TextPlace place)
{
    QStringList codes;
    for (const QChar c : text) {
        if (!IsSendableChar(c, place))
            codes << QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    }
    return codes.join(QLatin1Char(' '));
}

QByteArray TextToWire(const QString &text, TextPlace place)
{
    return SendableText(text, place).toLatin1();
}
