#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The words of one line of vantorctl's standard input, split as a shell
// splits a simple command: blanks separate words; '...' keeps everything
// inside as it is; "..." keeps everything inside, where a backslash makes the
// next " or \ literal; outside quotes a backslash makes the next character
// literal. A line that is empty or begins with # has no words. No value, with
// *error set, for an unclosed quote or a backslash at the end.
std::optional<QStringList> InputLineWords(const QString &line, QString *error);
