#pragma once

#include "protocol/textbytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The arguments of vantorctl's commands, checked by the rules the panel
// applies to what the operator types. Each check gives no value for anything
// it does not take and sets *error to a sentence that names the argument and
// says why.

// A number by the panel's rule: decimal, a fraction rounded with halves to
// the even neighbour, 0 to 255.
std::optional<quint8> ByteArgument(const QString &name, const QString &text, QString *error);
// The same, within first to last.
std::optional<quint8> ByteInRange(const QString &name, const QString &text, int first, int last,
                                  QString *error);
// A display text of at most width characters, each one byte the board takes
// as text: no control codes, no FE or FF, nothing outside Latin-1. Too long a
// text is refused rather than cut.
bool CheckDisplayText(const QString &name, const QString &text, int width, TextPlace place,
                      QString *error);
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
