// SPDX-License-Identifier: GPL-3.0-or-later
#include "hint_reason.h"

#include <array>

namespace engine {

std::string hintReasonText(const Assignment& move, const std::string& symbol, int numGrids)
{
    static constexpr std::array<const char*, 5> kGridNames{"top-left", "top-right", "bottom-left", "bottom-right",
                                                           "centre"};
    // Short enough for the status line. A row or column belongs to one grid,
    // so on a Samurai board the grid is named; a box is the same box in every
    // grid that shares it.
    const std::string grid = numGrids == 5 && move.grid >= 0 && move.grid < 5
                                 ? std::string(" (") + kGridNames[static_cast<std::size_t>(move.grid)] + " grid)"
                                 : std::string();
    switch (move.reason) {
    case MoveReason::HiddenInColumn:
        return "Only cell left for " + symbol + " in its column" + grid + ".";
    case MoveReason::HiddenInRow:
        return "Only cell left for " + symbol + " in its row" + grid + ".";
    case MoveReason::HiddenInBox:
        return "Only cell left for " + symbol + " in its box.";
    case MoveReason::BoxPlacement:
        return "Other empty cells of its box see a " + symbol + grid + ".";
    case MoveReason::SearchTrial:
        break;
    }
    return "Solver's trial: no rule forces " + symbol + ".";
}

} // namespace engine
