#include "link/initext.h"

#include <array>

namespace {

const QString LF = QStringLiteral("\n");
const QString CRLF = QStringLiteral("\r\n");
const QString CR = QStringLiteral("\r");

int MarkLength(QStringConverter::Encoding encoding)
{
    switch (encoding) {
    case QStringConverter::Utf8: return 3;
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE: return 2;
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE: return 4;
    default: return 0;
    }
}

// Stateless and keeping a second mark as a character: decoding and encoding
// then give back exactly the bytes they were given.
constexpr auto ExactFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

QByteArray Encode(const QString &text, std::optional<QStringConverter::Encoding> encoding)
{
    if (!encoding)
        return text.toLatin1();
    QStringEncoder encoder(*encoding, ExactFlags);
    return encoder.encode(text);
}

// The body decoded, or nothing when it does not decode to the very same bytes.
std::optional<QString> Decode(const QByteArray &body, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, ExactFlags);
    const QString text = decoder.decode(body);
    if (decoder.hasError() || Encode(text, encoding) != body)
        return std::nullopt;
    return text;
}

// Text in UTF-16 or UTF-32 without a mark: a zero byte at every other (or
// every fourth) place. Read one byte a character it would be garbage, and
// written back it would be ruined. A single zero byte (a custom character in
// a start-up line) is no sign of it.
bool LooksWideWithoutMark(const QByteArray &bytes)
{
    std::array<qsizetype, 2> zeros{};
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\0')
            ++zeros[size_t(i % 2)];
    }
    const qsizetype half = bytes.size() / 2;
    return half > 0 && (zeros[0] * 2 > half || zeros[1] * 2 > half);
}

} // namespace

std::optional<IniText> IniText::parse(const QByteArray &bytes, QString *why)
{
    const auto refuse = [why](const char *reason) -> std::optional<IniText> {
        if (why)
            *why = QString::fromLatin1(reason);
        return std::nullopt;
    };
    IniText result;
    const auto encoding = QStringConverter::encodingForData(bytes);
    const int markLength = encoding ? MarkLength(*encoding) : 0;
    if (markLength == 0) {
        if (LooksWideWithoutMark(bytes))
            return refuse("Its text looks like UTF-16 or UTF-32 without a byte-order mark");
        result.splitLines(QString::fromLatin1(bytes));
        return result;
    }
    // A second mark right after the first is a file written twice over by
    // mistake; what it holds cannot be told for sure, so it is left alone.
    if (bytes.mid(markLength).startsWith(bytes.left(markLength)))
        return refuse("It begins with two byte-order marks");
    const auto text = Decode(bytes.mid(markLength), *encoding);
    if (!text)
        return refuse("Its text does not follow the encoding it declares");
    result.m_mark = bytes.left(markLength);
    result.m_encoding = encoding;
    result.splitLines(*text);
    return result;
}

void IniText::splitLines(const QString &text)
{
    const QStringList pieces = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const bool last = i + 1 == pieces.size();
        QString piece = pieces.at(i);
        QString ending = last ? QString() : LF;
        if (!last && piece.endsWith(QLatin1Char('\r'))) {
            piece.chop(1);
            ending = CRLF;
        }
        addLines(piece, ending);
    }
}

// A piece of text between LF line ends: one line, or several where a CR alone
// ends a line, as in old Macintosh files.
void IniText::addLines(const QString &piece, const QString &ending)
{
    const QStringList lines = piece.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        m_lines << lines.at(i);
        m_endings << CR;
    }
    if (!lines.last().isEmpty() || !ending.isEmpty()) {
        m_lines << lines.last();
        m_endings << ending;
    }
}

// The most common ending; LF in a file that has none yet.
QString IniText::usualEnding() const
{
    const std::array<QString, 3> endings{LF, CRLF, CR};
    QString usual = LF;
    qsizetype most = 0;
    for (const QString &ending : endings) {
        const qsizetype count = m_endings.count(ending);
        if (count > most) {
            usual = ending;
            most = count;
        }
    }
    return usual;
}

QByteArray IniText::toBytes() const
{
    const QString usual = usualEnding();
    QString text;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        // Every line ends with a line end, the last one too.
        const QString &ending = m_endings.at(i);
        text += m_lines.at(i) + (ending.isEmpty() ? usual : ending);
    }
    return m_mark + Encode(text, m_encoding);
}

void IniText::replaceLine(int index, const QString &line)
{
    m_lines[index] = line;
}

void IniText::insertLine(int index, const QString &line)
{
    m_endings.insert(index, usualEnding());
    m_lines.insert(index, line);
}
