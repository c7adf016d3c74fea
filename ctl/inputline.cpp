#include "ctl/inputline.h"

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
        for (const QChar c : m_line) {
            if (m_quote.isNull())
                outside(c);
            else
                inside(c);
        }
        if (!m_quote.isNull() || m_escaped) {
            *error = m_escaped ? QStringLiteral("the line ends with a backslash")
                               : QStringLiteral("the quote %1 is not closed").arg(m_quote);
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

    void endWord()
    {
        if (m_inWord)
            m_words << m_word;
        m_word.clear();
        m_inWord = false;
    }

    const QString &m_line;
    QStringList m_words;
    QString m_word;
    QChar m_quote;
    bool m_escaped = false;
    bool m_inWord = false;
};

} // namespace

std::optional<QStringList> InputLineWords(const QString &line, QString *error)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
        return QStringList();
    return Splitter(trimmed).words(error);
}
