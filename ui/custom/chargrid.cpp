#include "ui/custom/chargrid.h"

#include "ui/custom/pixelcell.h"
#include "ui/fixedform.h"

#include <QButtonGroup>
#include <QWidget>

namespace {

constexpr int Pitch = 24;
constexpr int CellSize = 17;
const char *const RowNames[Cmd::CustomCharRows] = {"UDC1",  "UDC1A", "UDC1B", "UDC1C",
                                                   "UDC1D", "UDC1E", "UDC1F", "UDC1G"};

int columnOf(int index)
{
    for (int column = 0; column < CustomChar::Columns; ++column) {
        if (CustomChar::columnMask(column) == index)
            return column;
    }
    return -1;
}

} // namespace

CharGrid::CharGrid(QWidget *frame) : QObject(frame)
{
    for (int row = 0; row < Cmd::CustomCharRows; ++row)
        addRow(frame, row);
    for (auto &cells : m_cells) {
        for (PixelCell *cell : cells)
            cell->setFocusPolicy(Qt::ClickFocus);
    }
    makeTabStop(m_cells[0][0]);
}

void CharGrid::addRow(QWidget *frame, int row)
{
    const QString name = QLatin1String(RowNames[row]);
    auto *group = new QButtonGroup(this);
    group->setObjectName(name);
    for (int column = 0; column < CustomChar::Columns; ++column) {
        const int index = CustomChar::columnMask(column);
        auto *cell = place(new PixelCell(frame), QStringLiteral("%1_%2").arg(name).arg(index),
                           {Pitch * (column + 1), Pitch * (row + 1), CellSize, CellSize});
        cell->setAccessibleName(tr("Pixel row %1, column %2").arg(row + 1).arg(column + 1));
        group->addButton(cell, index);
        connect(cell, &PixelCell::stepFocus, this,
                [this, row, column](int rowStep, int columnStep) {
                    moveFocus(row + rowStep, column + columnStep);
                });
        connect(cell, &PixelCell::focusEntered, this, [this, cell] { makeTabStop(cell); });
        m_cells[row][column] = cell;
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this, row](int id) { emit cellClicked(row, id); });
}

PixelCell *CharGrid::cell(int row, int index) const
{
    const int column = columnOf(index);
    if (row < 0 || row >= Cmd::CustomCharRows || column < 0)
        return nullptr;
    return m_cells[row][column];
}

void CharGrid::paint(const CharRows &rows)
{
    for (int row = 0; row < Cmd::CustomCharRows; ++row) {
        for (int column = 0; column < CustomChar::Columns; ++column) {
            const bool lit = rows[row] & CustomChar::columnMask(column);
            m_cells[row][column]->setBackColor(lit ? CustomChar::PixelOn : CustomChar::PixelOff);
        }
    }
}

void CharGrid::moveFocus(int row, int column)
{
    if (row < 0 || row >= Cmd::CustomCharRows || column < 0 || column >= CustomChar::Columns)
        return; // the edges stop the focus
    m_cells[row][column]->setFocus(Qt::OtherFocusReason);
}

// Only the cell that had the focus last is in the Tab chain, so Tab enters
// the grid where the operator left it and leaves it in one step.
void CharGrid::makeTabStop(PixelCell *cell)
{
    if (cell == m_tabStop)
        return;
    if (m_tabStop)
        m_tabStop->setFocusPolicy(Qt::ClickFocus);
    cell->setFocusPolicy(Qt::StrongFocus);
    m_tabStop = cell;
}
