// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mainwindow {

enum class Arrow { Up, Down, Left, Right };

// The cell (cellIndex) an arrow key moves the focus to from cell `index` on a
// board of numGrids grids (1 or 5), or -1 when the focus stays. Up and Down
// never wrap. Left and Right move along a row segment (a run of cells with no
// gap) and at its end wrap to the next or previous board row: to the segment
// of that row that covers the same column, or to the row's only segment when
// none does (Right enters it at its start, Left at its end).
int arrowTarget(int index, Arrow key, int numGrids);

} // namespace mainwindow
