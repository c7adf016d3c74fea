#pragma once

#include <QByteArray>
#include <QStringConverter>
#include <QStringList>
#include <optional>

// The lines of a settings file in the form they were found: the byte-order
// mark and the encoding it declares (one byte per character without a mark),
// and each line with its own ending (LF, CRLF or CR). Writing it back changes
// only the lines that were replaced or added.
class IniText
{
public:
    // Nothing when the bytes do not follow the encoding their mark declares,
    // hold a second mark after the first, or look like UTF-16 or UTF-32
    // without a mark: such a file can be neither read nor safely written back.
    // *why (when given) then says which.
    static std::optional<IniText> parse(const QByteArray &bytes, QString *why = nullptr);
    QByteArray toBytes() const;

    const QStringList &lines() const { return m_lines; }
    // True for a file without a byte-order mark, read one byte a character.
    bool bytePerCharacter() const { return !m_encoding; }
    // The line keeps its ending.
    void replaceLine(int index, const QString &line);
    // A new line takes the ending most lines of the file have.
    void insertLine(int index, const QString &line);

private:
    void splitLines(const QString &text);
    void addLines(const QString &piece, const QString &ending);
    QString usualEnding() const;

    QByteArray m_mark;
    std::optional<QStringConverter::Encoding> m_encoding;
    QStringList m_lines;
    QStringList m_endings; // one per line; empty for a last line without one
};
