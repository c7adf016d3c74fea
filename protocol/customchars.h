#pragma once

#include "protocol/commands.h"

#include <QByteArray>
#include <array>

// One custom character of 5 x 8 pixels: its pixel rows from the top, one byte
// each. Bit 4 (16) is the leftmost pixel and bit 0 (1) the rightmost; bits 5
// to 7 stay zero, so every row lies in 0 to 31.
using CharRows = std::array<quint8, Cmd::CustomCharRows>;
// The eight custom characters; index n is the board's character code n.
using CustomCharSet = std::array<CharRows, Cmd::CustomCharCount>;

// DefineCustomChar: FE 64, then characters 1 to 8, each from its top row to its bottom row.
QByteArray CustomCharsCommand(const CustomCharSet &chars);
// ShowCustomChar: the character code (0 to 7) alone, written as text at the cursor.
QByteArray ShowCustomCharCommand(int code);
