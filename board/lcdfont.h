#pragma once

#include <QtGlobal>

#include <array>

// One character cell: 8 rows of 5 dots, top row first, bit 4 the leftmost dot.
// Row 7 is the cursor line and stays empty in the built-in characters.
using Glyph = std::array<quint8, 8>;

// The board's character generator.
namespace LcdFont {

inline constexpr int Columns = 5;
inline constexpr int Rows = 8;
inline constexpr quint8 FullBlock = 0xFF;

// The built-in character for a code from 0x10 up. ASCII 0x20 to 0x7E have
// their usual shapes, 0xFF is a full block, 0x10 to 0x1F are blank and the
// other codes show an empty box. Codes below 0x10 are the eight RAM characters
// (see BoardModel::glyph) and come out blank here.
Glyph glyph(quint8 code);

// The partial bars that graph mode loads into the eight RAM characters:
// slots 0 to 3 light the leftmost 1 to 4 dot columns (bars growing to the
// right), slots 4 to 7 the rightmost 1 to 4 (bars growing to the left).
Glyph barGlyph(int slot);

} // namespace LcdFont
