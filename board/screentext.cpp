#include "screentext.h"

#include <string>

ScreenText::ScreenText() : rows{}
{
    for (auto &row : rows)
        row.fill(Blank);
}

ScreenText ScreenText::fromLines(std::string_view line1, std::string_view line2)
{
    ScreenText screen;
    const std::string_view lines[Rows] = {line1, line2};
    for (int row = 0; row < Rows; ++row) {
        const std::string_view line = lines[row].substr(0, Columns);
        for (size_t column = 0; column < line.size(); ++column)
            screen.rows[size_t(row)][column] = quint8(line[column]);
    }
    return screen;
}

void ScreenText::blankRow(int row)
{
    rows[size_t(row)].fill(Blank);
}

void ScreenText::blankColumn(int column)
{
    for (auto &row : rows)
        row[size_t(column)] = Blank;
}

std::string ScreenText::rowText(int row) const
{
    const auto &cells = rows[size_t(row)];
    return std::string(cells.begin(), cells.end());
}
