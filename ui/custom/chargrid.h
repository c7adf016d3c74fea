#pragma once

#include "ui/custom/customchar.h"

#include <QObject>

class PixelCell;
class QButtonGroup;
class QWidget;

// The 8 x 5 drawing cells of the character editor, placed into a frame at a
// 24-pixel pitch. Each pixel row is a button group (UDC1, UDC1A .. UDC1G)
// whose ids are the column bits 16, 8, 4, 2, 1. The grid is one stop of the
// Tab chain; the arrow keys move the focus from cell to cell inside it.
class CharGrid : public QObject
{
    Q_OBJECT

public:
    explicit CharGrid(QWidget *frame);

    // row 0 (top) to 7; index is the column bit 16, 8, 4, 2 or 1.
    PixelCell *cell(int row, int index) const;
    // Colours every cell after its bit in rows.
    void paint(const CharRows &rows);

signals:
    void cellClicked(int row, int index);

private:
    void addRow(QWidget *frame, int row);
    void moveFocus(int row, int column);
    void makeTabStop(PixelCell *cell);

    PixelCell *m_cells[Cmd::CustomCharRows][CustomChar::Columns] = {};
    PixelCell *m_tabStop = nullptr;
};
