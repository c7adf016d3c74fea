#include "ctl/argvalues.h"

#include "protocol/textbytes.h"

#include <algorithm>

namespace {

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Why a character cannot go out as display text.
QString WhyNotText(QChar c)
{
    const QString code = QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
    if (c.unicode() > 0xFF)
        return QStringLiteral("\"%1\" (U+%2) is outside Latin-1, and the board takes one byte a "
                              "character")
            .arg(c, code.rightJustified(4, u'0'));
    return QStringLiteral("the character code %1 cannot be sent as text (control codes, FE and "
                          "FF are the board's command bytes)")
        .arg(code);
}

} // namespace

std::optional<quint8> ByteArgument(const QString &name, const QString &text, QString *error)
{
    return ByteInRange(name, text, 0, 255, error);
}

std::optional<quint8> ByteInRange(const QString &name, const QString &text, int first, int last,
                                  QString *error)
{
    const auto value = TextToByte(text);
    if (value && *value >= first && *value <= last)
        return value;
    *error = QStringLiteral("%1 %2 is not a number from %3 to %4")
                 .arg(name, Quoted(text))
                 .arg(first)
                 .arg(last);
    return std::nullopt;
}

bool CheckDisplayText(const QString &name, const QString &text, int width, TextPlace place,
                      QString *error)
{
    if (text.size() > width) {
        *error = QStringLiteral("%1 has %2 characters; it takes at most %3")
                     .arg(name)
                     .arg(text.size())
                     .arg(width);
        return false;
    }
    for (const QChar c : text) {
        if (!IsSendableChar(c, place)) {
            *error = name + QStringLiteral(": ") + WhyNotText(c);
            return false;
        }
    }
    return true;
}

std::optional<int> ChoiceArgument(const QString &name, const QString &text,
                                  const QStringList &words, QString *error)
{
    const int index = int(words.indexOf(text.trimmed().toLower()));
    if (index >= 0)
        return index;
    *error = QStringLiteral("%1 %2 is not one of: %3").arg(name, Quoted(text), words.join(u", "));
    return std::nullopt;
}

std::optional<bool> LeftToRight(const QString &text, QString *error)
{
    const auto direction = ChoiceArgument(
        "DIRECTION", text, {"left", "right", "left-to-right", "right-to-left"}, error);
    if (!direction)
        return std::nullopt;
    return *direction % 2 == 0;
}

std::optional<QByteArray> HexBytes(const QStringList &texts, QString *error)
{
    QString digits = texts.join(QString());
    digits.remove(u' ').remove(u'\t');
    const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
    const bool allHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
        const QChar lower = c.toLower();
        return (c >= u'0' && c <= u'9') || (lower >= u'a' && lower <= u'f');
    });
    if (!digits.isEmpty() && allHex && digits.size() % 2 == 0)
        return bytes;
    *error = QStringLiteral("HEX %1 is not bytes in hexadecimal, two digits each (FE 2F 05)")
                 .arg(Quoted(texts.join(u' ')));
    return std::nullopt;
}
