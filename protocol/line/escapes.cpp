#include "protocol/line/escapes.h"

namespace {

QChar CharAt(const QString &text, qsizetype i)
{
    return i < text.size() ? text.at(i) : QChar();
}

int HexDigit(QChar c)
{
    const char16_t u = c.toLower().unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The escape at text[i] (a backslash); its character and how many
// characters it takes, or nothing.
std::optional<std::pair<QChar, int>> Escape(const QString &text, qsizetype i)
{
    const QChar next = CharAt(text, i + 1);
    if (next == u'\\')
        return std::pair{next, 2};
    if (next >= u'1' && next <= u'8')
        return std::pair{QChar(next.unicode() - u'1'), 2};
    if (next == u'x') {
        const int high = HexDigit(CharAt(text, i + 2));
        const int low = HexDigit(CharAt(text, i + 3));
        if (high >= 0 && low >= 0)
            return std::pair{QChar(high * 16 + low), 4};
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> ExpandEscapes(const QString &text, QString *error)
{
    QString expanded;
    for (qsizetype i = 0; i < text.size();) {
        if (text.at(i) != u'\\') {
            expanded += text.at(i++);
            continue;
        }
        const auto escape = Escape(text, i);
        if (!escape) {
            *error = QStringLiteral("\"%1\" is no escape (\\1 to \\8, \\\\ or \\xHH)")
                         .arg(text.mid(i, 4));
            return std::nullopt;
        }
        expanded += escape->first;
        i += escape->second;
    }
    return expanded;
}
