#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "generator.h"
#include "samurai.h"
#include "test_support.h"

using namespace generator;

namespace {

struct Fixture {
    explicit Fixture(RandomSource& random) : gen(solver, random, clock) {}
    engine::Solver solver;
    FakeClock clock;
    Generator gen;
};

// Box number (row by row) of a grid cell.
int boxOf(const GeneratorCell& cell) { return (cell.r / 3) * 3 + cell.c / 3; }

std::array<int, 9> countPerBox(const CellList& list, int numCells)
{
    std::array<int, 9> n{};
    for (int t = 0; t < numCells; ++t) ++n[static_cast<std::size_t>(boxOf(list[static_cast<std::size_t>(t)]))];
    return n;
}

} // namespace

TEST(GeneratorCell, WalksItsDomain)
{
    GeneratorCell cell;
    cell.initialise(3, 7, 2);
    EXPECT_EQ(cell.getGridIdx(), 3);
    EXPECT_EQ(cell.getColumn(), 7);
    EXPECT_EQ(cell.getRow(), 2);
    EXPECT_EQ(cell.getVal(), -1);
    for (int i = 0; i < 9; ++i) cell.setDomainVal(i, 8 - i);
    cell.setDomainVal(26, 5); // outside the slots: ignored
    EXPECT_EQ(cell.setVal(2), 6);
    EXPECT_EQ(cell.getVal(), 6);
    EXPECT_EQ(cell.valIdx(), 2);
    cell.initialise(0, 0, 0);
    EXPECT_EQ(cell.getVal(), -1);
}

TEST(Shuffle, MakesNSwapsWithTheLastEntryRoundingTiesToEven)
{
    // j = r * 8 rounded: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2 (ties to even), 7.92 -> 8, ...
    ScriptedRandom random({0.0625, 0.1875, 0.3125, 0.99, 0.5, 0.0, 0.7, 0.2, 0.45});
    Fixture f(random);
    IndexList list{0, 1, 2, 3, 4, 5, 6, 7, 8};
    f.gen.shuffle(list, 9);
    EXPECT_EQ(random.draws, 9);
    EXPECT_EQ(list, (IndexList{4, 1, 6, 3, 2, 5, 8, 7, 0}));

    // Nine swaps of entry 8 with entry 0: an odd number, so the two trade places.
    ScriptedRandom zeros({0.0});
    Fixture z(zeros);
    IndexList l2{0, 1, 2, 3, 4, 5, 6, 7, 8};
    z.gen.shuffle(l2, 9);
    EXPECT_EQ(l2, (IndexList{8, 1, 2, 3, 4, 5, 6, 7, 0}));
}

TEST(SelectCells, StandardVeryDifficultWith24GivesThreeToTheFirstSixBoxes)
{
    // With every draw 0 the box order is 8, 1, 2, 3, 4, 5, 6, 7, 0.
    ScriptedRandom zeros({0.0});
    Fixture f(zeros);
    CellList list{};
    int numCells = -1;
    f.gen.selectCells(0, 1, 24, list, numCells);
    EXPECT_EQ(numCells, 24);
    EXPECT_EQ(countPerBox(list, numCells), (std::array<int, 9>{2, 3, 3, 3, 3, 3, 2, 2, 3}));
    // The draws: box and value orders, one position shuffle per box and one
    // value shuffle per cell.
    EXPECT_EQ(zeros.draws, 9 * (2 + 9 + 24));
}

TEST(SelectCells, SamuraiCornerGridsSkipTheirSharedBox)
{
    ScriptedRandom zeros({0.0});
    Fixture f(zeros);
    CellList list{};
    int numCells = 0;
    // numGivens 29: m = 23, rem = 5, per = 2; grid 0 skips box 8.
    f.gen.selectCells(0, 5, 29, list, numCells);
    EXPECT_EQ(numCells, 21);
    EXPECT_EQ(countPerBox(list, numCells), (std::array<int, 9>{2, 3, 3, 3, 3, 3, 2, 2, 0}));
    // Grid 3 skips box 0; box 8 comes first in the order and gets three.
    f.gen.selectCells(3, 5, 29, list, numCells);
    EXPECT_EQ(countPerBox(list, numCells), (std::array<int, 9>{0, 3, 3, 3, 3, 2, 2, 2, 3}));
    // numGivens 40: m = 34, rem = 7, per = 3: seven boxes with four, one with three.
    f.gen.selectCells(0, 5, 40, list, numCells);
    EXPECT_EQ(numCells, 31);
    EXPECT_EQ(countPerBox(list, numCells), (std::array<int, 9>{3, 4, 4, 4, 4, 4, 4, 4, 0}));
    // The centre grid skips nothing.
    f.gen.selectCells(4, 5, 29, list, numCells);
    EXPECT_EQ(numCells, 29);
}

TEST(SelectCells, RandomSelectionsSpreadEvenlyWithFreshValueOrders)
{
    CountingRandom random(2024);
    Fixture f(random);
    CellList list{};
    for (int round = 0; round < 300; ++round) {
        const int nG = round % 2 ? 5 : 1;
        const int gridIdx = nG == 1 ? 0 : round % 5;
        const int numGivens = 24 + round % 17; // 24..40
        int numCells = 0;
        const long before = random.draws;
        f.gen.selectCells(gridIdx, nG, numGivens, list, numCells);

        const bool corner = nG == 5 && gridIdx != 4;
        const int m = corner ? numGivens - 6 : numGivens;
        const int rem = m % 9, per = m / 9;
        const int ownBoxes = corner ? 8 : 9;
        ASSERT_EQ(numCells, ownBoxes * per + std::min(rem, ownBoxes)) << round;

        const auto perBox = countPerBox(list, numCells);
        int bigger = 0;
        for (int b = 0; b < 9; ++b) {
            const bool shared = corner && engine::isSharedCell(gridIdx, (b % 3) * 3, (b / 3) * 3);
            if (shared) {
                ASSERT_EQ(perBox[static_cast<std::size_t>(b)], 0) << "shared box used, round " << round;
                continue;
            }
            ASSERT_TRUE(perBox[static_cast<std::size_t>(b)] == per || perBox[static_cast<std::size_t>(b)] == per + 1);
            bigger += perBox[static_cast<std::size_t>(b)] == per + 1;
        }
        EXPECT_EQ(bigger, std::min(rem, ownBoxes));

        std::set<int> positions;
        for (int t = 0; t < numCells; ++t) {
            const GeneratorCell& cell = list[static_cast<std::size_t>(t)];
            ASSERT_EQ(cell.g, gridIdx);
            ASSERT_FALSE(corner && engine::isSharedCell(gridIdx, cell.c, cell.r));
            positions.insert(cell.c * 9 + cell.r);
            GeneratorCell copy = cell;
            std::set<int> domain;
            for (int i = 0; i < 9; ++i) domain.insert(copy.setVal(i));
            ASSERT_EQ(domain, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
        }
        EXPECT_EQ(static_cast<int>(positions.size()), numCells);
        const int boxesUsed = static_cast<int>(std::count_if(perBox.begin(), perBox.end(), [](int n) { return n > 0; }));
        EXPECT_EQ(random.draws - before, 9L * (2 + boxesUsed + numCells));
    }
}

TEST(DrawNumGivens, CoversExactlyTheLevelRanges)
{
    CountingRandom random(11);
    Fixture f(random);
    for (int type : {1, 2})
        for (int rating : {1, 2, 3}) {
            const GivensRange range = givensRange(type, rating);
            std::set<int> seen;
            for (int k = 0; k < 400; ++k) seen.insert(f.gen.drawNumGivens(type, rating));
            EXPECT_EQ(*seen.begin(), range.lo);
            EXPECT_EQ(*seen.rbegin(), range.hi);
            EXPECT_EQ(static_cast<int>(seen.size()), range.hi - range.lo + 1);
        }
    EXPECT_EQ(givensRange(1, 1).lo, 38);
    EXPECT_EQ(givensRange(2, 1).lo, 37);
    EXPECT_EQ(givensRange(1, 2).hi, 36);
    EXPECT_EQ(givensRange(2, 2).lo, 32);
    EXPECT_EQ(givensRange(1, 3).lo, 24);
    EXPECT_EQ(givensRange(2, 3).hi, 31);
}

TEST(CarryCellsOver, CopiesOnlyTheSharedBoxValues)
{
    for (int corner = 0; corner < 4; ++corner) {
        engine::GridSlots g;
        for (auto& grid : g) grid.initialiseForSearch();
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) g[4].setDerived3x3(c, r, (c * 4 + r) % 9);
        Generator::carryCellsOver(g, corner);
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = g[static_cast<std::size_t>(corner)].getDerived3x3(c, r);
                if (engine::isSharedCell(corner, c, r)) {
                    // Grid 0 reads centre (c - 6, r - 6), grid 3 reads (c + 6, r + 6), and so on.
                    const int dc = corner == 0 || corner == 2 ? -6 : 6;
                    const int dr = corner == 0 || corner == 1 ? -6 : 6;
                    EXPECT_EQ(v, g[4].getDerived3x3(c + dc, r + dr)) << corner;
                } else {
                    EXPECT_EQ(v, -1);
                }
                EXPECT_EQ(g[static_cast<std::size_t>(corner)].getNumBarred(), 0);
            }
    }
    engine::GridSlots g;
    for (auto& grid : g) grid.initialiseForSearch();
    g[4].setDerived3x3(0, 0, 3);
    for (int other : {-1, 4, 5}) Generator::carryCellsOver(g, other);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(g[static_cast<std::size_t>(k)].getNumInstantiations(), 0);
}
