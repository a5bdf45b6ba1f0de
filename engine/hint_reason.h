// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "moves.h"

namespace engine {

// One sentence saying why a hinted move holds, from the rule that recorded
// it. symbol is the text shown for the move's value; on a Samurai board
// (numGrids 5) a row or column is named with its grid.
std::string hintReasonText(const Assignment& move, const std::string& symbol, int numGrids);

} // namespace engine
