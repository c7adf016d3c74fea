#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CommandDecoder;

// Turns what the board receives into log lines: the bytes in hex, then the
// command's name and parameters ("FE 32 01 0F  SetCursorPosition row 1,
// column 15"). The words come from the panel's own decoder of the stream, so
// the board's log and the panel's monitor name every command alike; the
// board's parser stays its own. Consecutive characters make one "text" line.
class CommandLog
{
public:
    CommandLog();
    ~CommandLog();

    // Bytes received and the board's answer to them. A read's line ends with
    // its part of the answer: "FE 0A  ReadInputs -> 05".
    void add(const QByteArray &received, const QByteArray &answer);
    // A line of its own.
    void addNote(const QString &note);
    // The lines finished so far; the log is empty afterwards.
    QStringList take();
    // Forgets a half-received command, as the board does at a power cycle.
    void reset();

private:
    std::unique_ptr<CommandDecoder> m_decoder;
    QStringList m_lines;
};
