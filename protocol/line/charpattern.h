#pragma once

#include "protocol/customchars.h"

#include <QString>
#include <optional>

// A custom character written on the command line: its eight pixel rows from
// the top, separated by commas. A row is five characters, "#" for a pixel
// that is on and "." for one that is off, leftmost pixel first ("#...#"), or
// its value 0 to 31, decimal or hexadecimal with 0x (bit 4 the leftmost
// pixel). No value, with *error set, for anything else.
std::optional<CharRows> CharPattern(const QString &name, const QString &text, QString *error);
