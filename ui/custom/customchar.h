#pragma once

#include "protocol/commands.h"

#include <QColor>
#include <array>

// One custom character of 5 x 8 pixels: its pixel rows from the top, one byte
// each. Bit 4 (16) is the leftmost pixel and bit 0 (1) the rightmost; bits 5
// to 7 stay zero, so every row lies in 0 to 31.
using CharRows = std::array<quint8, Cmd::CustomCharRows>;

namespace CustomChar {

inline constexpr int Columns = 5;
inline constexpr quint8 FullRow = 0x1F;

// The bit of pixel column `column` (0 = leftmost) in a row byte.
constexpr quint8 columnMask(int column)
{
    return quint8(0x10 >> column);
}

// A drawing cell's colour is its pixel's state: light green off, black on.
inline const QColor PixelOff(128, 255, 128);
inline const QColor PixelOn(0, 0, 0);

} // namespace CustomChar
