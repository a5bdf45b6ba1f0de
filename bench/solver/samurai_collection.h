// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "puzzle_input.h"

namespace bench {

// Reads the published Samurai collection: '#' comment lines, then
// "<id> <puzzle> <solution>" with 441-character 21x21 position grids ('-' off
// the board, '.' empty). Puzzles become 405-character lines (grids 0..4).
bool loadSamuraiCollection(const std::string& path, std::vector<files::Puzzle>& puzzles, std::vector<std::string>& solutions);

// A 441-character position grid as a 405-character puzzle line.
std::string positionsToLine(const std::string& grid441);

} // namespace bench
