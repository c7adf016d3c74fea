#include "protocol/line/lineargs.h"

#include "protocol/line/escapes.h"

#include <algorithm>

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Why a character cannot go out as display text at its place.
QString WhyNotText(QChar c, TextPlace place)
{
    const QString code = QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
    if (c.unicode() > 0xFF)
        return QStringLiteral("\"%1\" (U+%2) is outside Latin-1, and the board takes one byte a "
                              "character")
            .arg(c, code.rightJustified(4, u'0'));
    if (place == TextPlace::Free)
        return QStringLiteral("the character code %1 cannot be sent as text (FE starts a command)")
            .arg(code);
    return QStringLiteral("the character code %1 cannot be sent in a definition (0D ends a "
                          "line, FF the definition, FE starts a command)")
        .arg(code);
}

} // namespace

std::optional<quint8> WholeNumber(const QString &name, const QString &text, int first, int last,
                                  QString *error)
{
    const QString digits = text.trimmed();
    const bool whole = !digits.isEmpty() && digits.size() <= 9
                       && std::all_of(digits.begin(), digits.end(), IsAsciiDigit);
    const int value = whole ? digits.toInt() : -1;
    if (whole && value >= first && value <= last)
        return quint8(value);
    *error = QStringLiteral("%1 %2 is not a whole number from %3 to %4")
                 .arg(name, QuotedChars(text))
                 .arg(first)
                 .arg(last);
    return std::nullopt;
}

std::optional<QString> DisplayText(const QString &name, const QString &text, int width,
                                   TextPlace place, bool escapes, QString *error)
{
    QString reason;
    const auto expanded = escapes ? ExpandEscapes(text, &reason) : std::optional<QString>(text);
    if (!expanded) {
        *error = name + QStringLiteral(": ") + reason;
        return std::nullopt;
    }
    if (expanded->size() > width) {
        *error = QStringLiteral("%1 has %2 characters; it takes at most %3")
                     .arg(name)
                     .arg(expanded->size())
                     .arg(width);
        return std::nullopt;
    }
    for (const QChar c : *expanded) {
        if (!IsSendableChar(c, place)) {
            *error = name + QStringLiteral(": ") + WhyNotText(c, place);
            return std::nullopt;
        }
    }
    return expanded;
}

std::optional<int> ChoiceArgument(const QString &name, const QString &text,
                                  const QStringList &words, QString *error)
{
    const int index = int(words.indexOf(text.trimmed().toLower()));
    if (index >= 0)
        return index;
    *error =
        QStringLiteral("%1 %2 is not one of: %3").arg(name, QuotedChars(text), words.join(u", "));
    return std::nullopt;
}

std::optional<bool> LeftToRight(const QString &text, QString *error)
{
    const auto direction =
        ChoiceArgument(QStringLiteral("DIRECTION"), text,
                       {QStringLiteral("left"), QStringLiteral("right"),
                        QStringLiteral("left-to-right"), QStringLiteral("right-to-left")},
                       error);
    if (!direction)
        return std::nullopt;
    return *direction % 2 == 0;
}

std::optional<QByteArray> HexBytes(const QStringList &texts, QString *error)
{
    QString digits = texts.join(QString());
    digits.remove(u' ').remove(u'\t');
    const bool allHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
        const QChar lower = c.toLower();
        return IsAsciiDigit(c) || (lower >= u'a' && lower <= u'f');
    });
    if (!digits.isEmpty() && allHex && digits.size() % 2 == 0)
        return QByteArray::fromHex(digits.toLatin1());
    *error = QStringLiteral("HEX %1 is not bytes in hexadecimal, two digits each (FE 2F 05)")
                 .arg(QuotedChars(texts.join(u' ')));
    return std::nullopt;
}
