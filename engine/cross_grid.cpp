#include "cross_grid.h"

#include "samurai.h"

namespace engine {

namespace {

// Transfers one shared box: candidates barred in the source are barred in the
// target, and a source value replaces whatever the target held. No move is
// recorded: the move list keeps only the grid that placed the value.
void transferBox(const GridState& src, int srcCol, int srcRow, GridState& dst, int dstCol, int dstRow)
{
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const int s = cellAt(srcCol + a, srcRow + b);
            const int d = cellAt(dstCol + a, dstRow + b);
            dst.cand[d] &= src.cand[s];
            if (src.val[s] >= 0) dst.val[d] = src.val[s];
        }
}

} // namespace

void propagateAccrossGrids(int g, GridSlots& gridArray)
{
    if (g < 0 || g > kCentreGrid) return;
    GridState& centre = gridArray[kCentreGrid].state();
    if (g < kCentreGrid) {
        const SharedBox& s = kSharedBox[static_cast<std::size_t>(g)];
        transferBox(gridArray[static_cast<std::size_t>(g)].state(), s.outerCol, s.outerRow, centre, s.centreCol,
                    s.centreRow);
        return;
    }
    for (int o = 0; o < 4; ++o) {
        const SharedBox& s = kSharedBox[static_cast<std::size_t>(o)];
        transferBox(centre, s.centreCol, s.centreRow, gridArray[static_cast<std::size_t>(o)].state(), s.outerCol,
                    s.outerRow);
    }
}

} // namespace engine
