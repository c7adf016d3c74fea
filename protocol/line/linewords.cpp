#include "protocol/line/linewords.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Splits one line; the state is where the reading is and what it holds.
class Splitter
{
public:
    explicit Splitter(const QString &line) : m_line(line) {}

    std::optional<QStringList> words(QString *error)
    {
        for (qsizetype i = 0; i < m_line.size(); ++i) {
            const QChar c = m_line.at(i);
            if (m_quote.isNull() && !m_escaped && c == u'$' && i + 1 < m_line.size()
                && m_line.at(i + 1) == u'\'') {
                m_quote = AnsiQuote;
                m_inWord = true;
                ++i;
            } else if (m_quote == AnsiQuote) {
                i = ansi(i);
            } else if (m_quote.isNull()) {
                outside(c);
            } else {
                inside(c);
            }
        }
        if (!m_quote.isNull() || m_escaped) {
            *error = m_escaped ? QStringLiteral("the line ends with a backslash")
                               : QStringLiteral("the quote %1 is not closed")
                                     .arg(m_quote == AnsiQuote ? QChar(u'\'') : m_quote);
            return std::nullopt;
        }
        endWord();
        return m_words;
    }

private:
    void outside(QChar c)
    {
        if (m_escaped) {
            m_word += c;
            m_escaped = false;
        } else if (c == u'\\') {
            m_escaped = m_inWord = true;
        } else if (c == u'\'' || c == u'"') {
            m_quote = c;
            m_inWord = true;
        } else if (IsBlank(c)) {
            endWord();
        } else {
            m_word += c;
            m_inWord = true;
        }
    }

    void inside(QChar c)
    {
        if (m_escaped) {
            if (c != u'"' && c != u'\\')
                m_word += u'\\';
            m_word += c;
            m_escaped = false;
        } else if (c == m_quote) {
            m_quote = QChar();
        } else if (c == u'\\' && m_quote == u'"') {
            m_escaped = true;
        } else {
            m_word += c;
        }
    }

    // Inside $'...': the character at i, or the escape it starts; where the
    // reading goes on.
    qsizetype ansi(qsizetype i)
    {
        const QChar c = m_line.at(i);
        if (c == u'\'') {
            m_quote = QChar();
            return i;
        }
        if (c != u'\\' || i + 1 >= m_line.size()) {
            m_word += c;
            return i;
        }
        const QChar next = m_line.at(i + 1);
        static const QString Plain = QStringLiteral("nrt");
        static const QString Meant = QStringLiteral("\n\r\t");
        if (Plain.contains(next)) {
            m_word += Meant.at(Plain.indexOf(next));
        } else if (next == u'x' && HexValue(m_line.mid(i + 2, 2)) >= 0) {
            m_word += QChar(HexValue(m_line.mid(i + 2, 2)));
            return i + 3;
        } else {
            m_word += next; // \\, \', \" and any other character stand for themselves
        }
        return i + 1;
    }

    static int HexValue(const QString &digits)
    {
        bool ok = false;
        const int value = digits.size() == 2 ? digits.toInt(&ok, 16) : -1;
        return ok && !digits.startsWith(u'+') && !digits.startsWith(u'-') ? value : -1;
    }

    void endWord()
    {
        if (m_inWord)
            m_words << m_word;
        m_word.clear();
        m_inWord = false;
    }

    // Stands in m_quote for $'...'.
    static constexpr QChar AnsiQuote = QChar(u'$');

    const QString &m_line;
    QStringList m_words;
    QString m_word;
    QChar m_quote;
    bool m_escaped = false;
    bool m_inWord = false;
};

} // namespace

std::optional<QStringList> LineWords(const QString &line, QString *error)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
        return QStringList();
    return Splitter(trimmed).words(error);
}

QString QuotedWord(const QString &word)
{
    const bool control = std::any_of(word.begin(), word.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
    if (!control) {
        QString quoted = word;
        return u'\'' + quoted.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
    }
    QString quoted = QStringLiteral("$'");
    for (const QChar c : word) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            quoted +=
                QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else if (c == u'\\' || c == u'\'')
            quoted += u'\\' + QString(c);
        else
            quoted += c;
    }
    return quoted + u'\'';
}

QString QuotedLine(const QStringList &words)
{
    QStringList quoted;
    for (const QString &word : words)
        quoted << QuotedWord(word);
    return quoted.join(u' ');
}
