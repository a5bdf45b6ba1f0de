// SPDX-License-Identifier: GPL-3.0-or-later
#include "samurai_collection.h"

#include <fstream>
#include <sstream>

#include "samurai.h"

namespace bench {

std::string positionsToLine(const std::string& grid441)
{
    std::string line;
    for (int g = 0; g < engine::kSamuraiGrids; ++g)
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c) {
                const char ch = grid441[static_cast<std::size_t>(engine::boardRow(g, r) * engine::kBoardSide +
                                                                 engine::boardCol(g, c))];
                line += ch >= '1' && ch <= '9' ? ch : '.';
            }
    return line;
}

bool loadSamuraiCollection(const std::string& path, std::vector<files::Puzzle>& puzzles, std::vector<std::string>& solutions)
{
    std::ifstream f(path);
    if (!f) return false;
    std::string line, lines;
    while (std::getline(f, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string id, puzzle, solution;
        fields >> id >> puzzle >> solution;
        if (puzzle.size() != 441 || solution.size() != 441) return false;
        lines += positionsToLine(puzzle) + "\n";
        solutions.push_back(positionsToLine(solution));
    }
    int errLine = 0;
    std::string reason;
    return files::parsePuzzleLines(lines, puzzles, errLine, reason);
}

} // namespace bench
