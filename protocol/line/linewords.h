#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The words of one line of the line language, split as a shell splits a
// simple command: blanks separate words; '...' keeps everything inside as it
// is; "..." keeps everything inside, where a backslash makes the next quote
// or backslash literal; $'...' reads the escapes \n, \r, \t and \xHH inside
// it, and a backslash before any other character keeps that character (so a
// word may hold any character); outside quotes a backslash makes the next
// character literal. A line that is empty or begins with # has no words. No
// value, with *error set, for an unclosed quote or a backslash at the end.
std::optional<QStringList> LineWords(const QString &line, QString *error);

// A word quoted so that LineWords reads it back exactly: in '...', or in
// $'...' when it holds a control character.
QString QuotedWord(const QString &word);
// Words quoted and joined with blanks: a line that LineWords splits back into them.
QString QuotedLine(const QStringList &words);
