#pragma once

#include <QtGlobal>

#include <array>
#include <string_view>

// Two display rows of 16 character codes: what the display shows, or a stored screen.
struct ScreenText
{
    static constexpr int Rows = 2;
    static constexpr int Columns = 16;
    static constexpr quint8 Blank = 0x20;

    ScreenText();
    // The two lines, cut to 16 characters and filled up with blanks.
    static ScreenText fromLines(std::string_view line1, std::string_view line2);

    void blankRow(int row);
    void blankColumn(int column);
    quint8 at(int row, int column) const { return rows[size_t(row)][size_t(column)]; }
    // One row as Latin-1 text (for tests and logs).
    std::string rowText(int row) const;

    bool operator==(const ScreenText &other) const { return rows == other.rows; }
    bool operator!=(const ScreenText &other) const { return rows != other.rows; }

    std::array<std::array<quint8, Columns>, Rows> rows;
};
