#pragma once

#include <QString>
#include <optional>

// The escapes a text argument may hold with -e (--escapes): \1 to \8 for
// custom characters 1 to 8 (the board's codes 0 to 7), \\ for a backslash and
// \xHH for the character of byte HH. Whether the result may go on the wire is
// the text rule's to say. No value, with *error set, for a backslash that
// starts no escape.
std::optional<QString> ExpandEscapes(const QString &text, QString *error);
