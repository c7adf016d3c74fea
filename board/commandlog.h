#pragma once

#include "boardcommand.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turns decoded commands into log lines: the bytes in hex, then the command's
// name and parameters ("FE 32 01 0F  SetCursorPosition row 1, column 15").
// Consecutive characters make one "text" line.
class CommandLog
{
public:
    // A read's line ends with its answer: "FE 0A  ReadInputs -> 05".
    void add(const BoardCommand &command, std::string_view reply = {});
    // A line of its own, after any pending text.
    void addNote(const QString &note);
    // The lines finished so far, a pending text run included; the log is empty afterwards.
    QStringList take();

    // One command's line.
    static QString describe(const BoardCommand &command);

private:
    void flushText();

    QByteArray m_text;
    QStringList m_lines;
};
