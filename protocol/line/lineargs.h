#pragma once

#include "protocol/bytetext.h"
#include "protocol/textbytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The arguments of the line language, each checked as strictly as the manual
// page says. Each check gives no value for anything it does not take and
// sets *error to a sentence that names the argument and says why; an
// argument's own text is shown with its control characters escaped.

// A whole decimal number from first to last; surrounding blanks allowed,
// nothing else ("1.5", "0x10" and "-1" are refused, never rounded).
std::optional<quint8> WholeNumber(const QString &name, const QString &text, int first, int last,
                                  QString *error);
// A display text of at most width characters, each one the text rule lets
// through at its place; with escapes, \1 to \8, \\ and \xHH are read first.
// Too long a text is refused rather than cut.
std::optional<QString> DisplayText(const QString &name, const QString &text, int width,
                                   TextPlace place, bool escapes, QString *error);
// One of the words, in any case; its index.
std::optional<int> ChoiceArgument(const QString &name, const QString &text,
                                  const QStringList &words, QString *error);
// A direction of the scroll or bar-graph commands: "left" (or "left-to-right")
// is the panel's "Left to Right", "right" (or "right-to-left") its "Right to
// Left". True for left to right.
std::optional<bool> LeftToRight(const QString &text, QString *error);
// Bytes in hexadecimal, two digits each, blanks between them allowed
// ("FE 2F 05", "FE2F05"); at least one byte.
std::optional<QByteArray> HexBytes(const QStringList &texts, QString *error);
