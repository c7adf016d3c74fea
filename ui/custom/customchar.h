#pragma once

#include "protocol/customchars.h"

#include <QColor>

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
