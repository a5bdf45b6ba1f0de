#include "solution_counter.h"

#include <bit>

namespace {
// Grid origins on the 21 x 21 board, written out here rather than taken from
// the engine's table.
constexpr int kOriginCol[5] = {0, 12, 0, 12, 6};
constexpr int kOriginRow[5] = {0, 0, 12, 12, 6};
} // namespace

SolutionCounter::SolutionCounter(int numGrids)
{
    value_.fill(-1);
    std::array<bool, 441> used{};
    int unit = 0;
    for (int g = 0; g < numGrids; ++g) {
        const int oc = numGrids == 1 ? 0 : kOriginCol[g];
        const int orow = numGrids == 1 ? 0 : kOriginRow[g];
        for (int k = 0; k < 9; ++k) {
            for (int t = 0; t < 9; ++t) {
                const int rowPos = (orow + k) * 21 + oc + t;
                const int colPos = (orow + t) * 21 + oc + k;
                const int boxPos = (orow + (k / 3) * 3 + t / 3) * 21 + oc + (k % 3) * 3 + t % 3;
                unitsOf_[static_cast<std::size_t>(rowPos)].push_back(unit);
                unitsOf_[static_cast<std::size_t>(colPos)].push_back(unit + 1);
                unitsOf_[static_cast<std::size_t>(boxPos)].push_back(unit + 2);
                used[static_cast<std::size_t>(rowPos)] = true;
            }
            unit += 3;
        }
    }
    unitMask_.assign(static_cast<std::size_t>(unit), 0);
    for (int p = 0; p < 441; ++p)
        if (used[static_cast<std::size_t>(p)]) positions_.push_back(p);
}

std::uint16_t SolutionCounter::candidates(int pos) const
{
    std::uint16_t held = 0;
    for (int u : unitsOf_[static_cast<std::size_t>(pos)]) held |= unitMask_[static_cast<std::size_t>(u)];
    return static_cast<std::uint16_t>(~held & 0x1FF);
}

bool SolutionCounter::place(int boardCol, int boardRow, int value)
{
    const int pos = boardRow * 21 + boardCol;
    if (value < 0 || value > 8 || unitsOf_[static_cast<std::size_t>(pos)].empty()) return false;
    int& v = value_[static_cast<std::size_t>(pos)];
    if (v == value) return true;
    if (v >= 0 || !(candidates(pos) & (1u << value))) return false;
    v = value;
    for (int u : unitsOf_[static_cast<std::size_t>(pos)]) unitMask_[static_cast<std::size_t>(u)] |= 1u << value;
    return true;
}

bool SolutionCounter::search(int limit, int& found)
{
    // The empty position with the fewest candidates; a value with a single
    // place in some unit is branched on as a one-way choice first.
    int best = -1, bestCount = 10;
    std::uint16_t bestMask = 0;
    for (int p : positions_) {
        if (value_[static_cast<std::size_t>(p)] >= 0) continue;
        const std::uint16_t m = candidates(p);
        const int n = std::popcount(static_cast<unsigned>(m));
        if (n < bestCount) {
            best = p;
            bestCount = n;
            bestMask = m;
            if (n == 0) return false;
        }
    }
    if (best < 0) return ++found >= limit;
    if (bestCount > 1) {
        // Places of each value missing from each unit.
        std::vector<int> placeOf(unitMask_.size() * 9, -1);
        std::vector<std::uint8_t> places(unitMask_.size() * 9, 0);
        for (int p : positions_) {
            if (value_[static_cast<std::size_t>(p)] >= 0) continue;
            const std::uint16_t m = candidates(p);
            for (int u : unitsOf_[static_cast<std::size_t>(p)])
                for (int v = 0; v < 9; ++v)
                    if (m & (1u << v)) {
                        const std::size_t k = static_cast<std::size_t>(u) * 9 + static_cast<std::size_t>(v);
                        ++places[k];
                        placeOf[k] = p;
                    }
        }
        for (std::size_t u = 0; u < unitMask_.size(); ++u)
            for (int v = 0; v < 9; ++v) {
                if (unitMask_[u] & (1u << v)) continue;
                const std::size_t k = u * 9 + static_cast<std::size_t>(v);
                if (places[k] == 0) return false;
                if (places[k] == 1 && bestCount > 1) {
                    best = placeOf[k];
                    bestCount = 1;
                    bestMask = static_cast<std::uint16_t>(1u << v);
                }
            }
    }
    for (int v = 0; v < 9; ++v) {
        if (!(bestMask & (1u << v))) continue;
        value_[static_cast<std::size_t>(best)] = v;
        for (int u : unitsOf_[static_cast<std::size_t>(best)]) unitMask_[static_cast<std::size_t>(u)] |= 1u << v;
        const bool stop = search(limit, found);
        for (int u : unitsOf_[static_cast<std::size_t>(best)])
            unitMask_[static_cast<std::size_t>(u)] &= static_cast<std::uint16_t>(~(1u << v));
        value_[static_cast<std::size_t>(best)] = -1;
        if (stop) return true;
    }
    return false;
}

int SolutionCounter::count(int limit)
{
    int found = 0;
    search(limit, found);
    return found;
}

int countBoardSolutions(const engine::PlainBoard& board, const files::SymbolTable& symbols, int limit)
{
    SolutionCounter counter(board.numGrids);
    for (int g = 0; g < board.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const std::string text = board.cell(g, c, r).text();
                if (text.empty()) continue;
                const int v = symbols.symbolToIndex(text);
                const int oc = board.numGrids == 1 ? 0 : kOriginCol[g];
                const int orow = board.numGrids == 1 ? 0 : kOriginRow[g];
                if (v < 0 || !counter.place(oc + c, orow + r, v)) return -1;
            }
    return counter.count(limit);
}
