// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard navigation between the cells.
#include "navigation.h"

#include <QKeyEvent>

#include "cell_numbering.h"
#include "frm_main.h"
#include "samurai.h"

namespace mainwindow {

namespace {

bool has(int row, int col, int numGrids)
{
    return cellAtBoard(row, col, numGrids) >= 0;
}

// Where Right enters board row `row` from the end of a segment in column col.
int enterRowAtStart(int row, int col, int numGrids)
{
    if (!has(row, col, numGrids)) {
        for (int c = 0; c < engine::kBoardSide; ++c)
            if (has(row, c, numGrids)) return cellAtBoard(row, c, numGrids);
        return -1;
    }
    while (has(row, col - 1, numGrids)) --col;
    return cellAtBoard(row, col, numGrids);
}

// Where Left enters board row `row` from the start of a segment in column col.
int enterRowAtEnd(int row, int col, int numGrids)
{
    if (!has(row, col, numGrids)) {
        for (int c = engine::kBoardSide - 1; c >= 0; --c)
            if (has(row, c, numGrids)) return cellAtBoard(row, c, numGrids);
        return -1;
    }
    while (has(row, col + 1, numGrids)) ++col;
    return cellAtBoard(row, col, numGrids);
}

} // namespace

int arrowTarget(int index, Arrow key, int numGrids)
{
    if (index < 0 || index >= kCellCount) return -1;
    const BoardPosition p = boardPosition(index);
    // A cell that is not part of the board shown goes nowhere.
    if (cellAtBoard(p.row, p.col, numGrids) != index) return -1;
    switch (key) {
    case Arrow::Up: return cellAtBoard(p.row - 1, p.col, numGrids);
    case Arrow::Down: return cellAtBoard(p.row + 1, p.col, numGrids);
    case Arrow::Right:
        if (has(p.row, p.col + 1, numGrids)) return cellAtBoard(p.row, p.col + 1, numGrids);
        return enterRowAtStart(p.row + 1, p.col, numGrids);
    case Arrow::Left:
        if (has(p.row, p.col - 1, numGrids)) return cellAtBoard(p.row, p.col - 1, numGrids);
        return enterRowAtEnd(p.row - 1, p.col, numGrids);
    }
    return -1;
}

void frmMain::textCells_KeyDown(int index, int keyCode, Qt::KeyboardModifiers)
{
    Arrow key;
    switch (keyCode) {
    case Qt::Key_Up: key = Arrow::Up; break;
    case Qt::Key_Down: key = Arrow::Down; break;
    case Qt::Key_Left: key = Arrow::Left; break;
    case Qt::Key_Right: key = Arrow::Right; break;
    default: return;
    }
    const int target = arrowTarget(index, key, numGrids);
    if (target < 0) return;
    platform::TextCell* cell = textCells[static_cast<std::size_t>(target)];
    if (!cell) return;
    cell->setFocus(Qt::OtherFocusReason);
    // Selected, so that typing replaces the one character a cell holds.
    cell->selectAll();
}

} // namespace mainwindow
