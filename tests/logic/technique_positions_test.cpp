// SPDX-License-Identifier: GPL-3.0-or-later
// Every technique on a small position built by hand whose answer is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <sstream>
#include <string>
#include <vector>

#include "rater.h"
#include "techniques.h"

using namespace logic;

namespace {

// "r2c5" or, on the Samurai board, "g3r2c5" (1-based).
int parseCell(const Geometry& geo, const std::string& s)
{
    int g = 0;
    std::size_t at = 0;
    if (s[0] == 'g') {
        g = s[1] - '1';
        at = 2;
    }
    return geo.cell(g, s[at + 3] - '1', s[at + 1] - '1');
}

// Tokens: "r1c1=5" places 5; "r1c1:12" leaves candidates 1 and 2; "5:r1c1,r2c7"
// leaves value 5 only in the cells listed (and where it is placed).
CandidateGrid build(const Geometry& geo, const std::string& marks)
{
    CandidateGrid g(geo);
    std::istringstream in(marks);
    for (std::string t; in >> t;) {
        if (t[0] >= '1' && t[0] <= '9') {
            const int v = t[0] - '1';
            std::vector<int> keep;
            std::istringstream cells(t.substr(2));
            for (std::string c; std::getline(cells, c, ',');) keep.push_back(parseCell(geo, c));
            for (int c = 0; c < geo.numCells; ++c)
                if (std::find(keep.begin(), keep.end(), c) == keep.end()) g.eliminate(c, v);
        } else if (t.find('=') != std::string::npos) {
            EXPECT_TRUE(g.place(parseCell(geo, t.substr(0, t.find('='))), t.back() - '1')) << t;
        } else {
            std::uint16_t mask = 0;
            for (char ch : t.substr(t.find(':') + 1)) mask |= static_cast<std::uint16_t>(1u << (ch - '1'));
            g.setCandidates(parseCell(geo, t.substr(0, t.find(':'))), mask);
        }
    }
    return g;
}

// The step's outcome as "-r5c2:1 +r3c4:5", sorted.
std::string outcome(const Geometry& geo, const Step& step)
{
    std::vector<std::string> parts;
    for (int i = 0; i < step.numEliminations; ++i)
        parts.push_back("-" + cellName(geo, step.eliminations[i].cell) + ":" +
                        std::to_string(step.eliminations[i].value + 1));
    for (int i = 0; i < step.numPlacements; ++i)
        parts.push_back("+" + cellName(geo, step.placements[i].cell) + ":" + std::to_string(step.placements[i].value + 1));
    std::sort(parts.begin(), parts.end());
    std::string s;
    for (const auto& p : parts) s += (s.empty() ? "" : " ") + p;
    return s;
}

struct Position {
    Technique technique;
    int numGrids;
    const char* marks;
    const char* expected; // sorted outcome
};

const Position kPositions[] = {
    {Technique::FullHouse, 1, "r1c1=1 r1c2=2 r1c3=3 r1c4=4 r1c5=5 r1c6=6 r1c7=7 r1c8=8", "+r1c9:9"},
    {Technique::HiddenSingleBox, 1, "5:r2c2,r2c7,r5c2,r6c5,r4c7", "+r2c2:5"},
    {Technique::HiddenSingleLine, 1, "5:r1c2,r4c2,r4c5,r6c5", "+r1c2:5"},
    {Technique::NakedSingle, 1, "r4c4:7", "+r4c4:7"},
    {Technique::DirectPointing, 1, "3:r1c1,r1c2,r1c5,r2c6", "+r2c6:3 -r1c5:3"},
    {Technique::Pointing, 1, "3:r1c1,r1c2,r1c5,r1c8", "-r1c5:3 -r1c8:3"},
    {Technique::Claiming, 1, "3:r1c1,r1c2,r2c3,r3c1,r5c5", "-r2c3:3 -r3c1:3"},
    {Technique::NakedPair, 1, "r1c1:12 r1c2:12 1:r1c1,r1c2,r1c9,r5c1 2:r1c1,r1c2,r5c5", "-r1c9:1"},
    {Technique::NakedTriple, 1, "r1c1:12 r1c2:23 r1c3:13 1:r1c1,r1c3,r1c8 2:r1c1,r1c2 3:r1c2,r1c3,r5c3", "-r1c8:1"},
    {Technique::NakedQuad, 1, "r1c1:12 r1c2:23 r1c3:34 r1c4:14 1:r1c1,r1c4,r1c9 2:r1c1,r1c2 3:r1c2,r1c3 4:r1c3,r1c4",
     "-r1c9:1"},
    {Technique::HiddenPair, 1, "r1c1:123 r1c2:124 1:r1c1,r1c2,r5c1 2:r1c1,r1c2,r5c2", "-r1c1:3 -r1c2:4"},
    {Technique::HiddenTriple, 1, "r1c1:135 r1c2:126 r1c3:237 1:r1c1,r1c2,r5c1 2:r1c2,r1c3,r5c2 3:r1c1,r1c3,r5c3",
     "-r1c1:5 -r1c2:6 -r1c3:7"},
    {Technique::HiddenQuad, 1,
     "r1c1:145 r1c2:126 r1c3:237 r1c4:348 1:r1c1,r1c2,r9c1 2:r1c2,r1c3,r9c2 3:r1c3,r1c4,r9c3 4:r1c1,r1c4,r9c4",
     "-r1c1:5 -r1c2:6 -r1c3:7 -r1c4:8"},
    {Technique::XWing, 1, "1:r2c2,r2c5,r7c2,r7c5,r5c2,r5c9", "-r5c2:1"},
    {Technique::Swordfish, 1, "1:r1c1,r1c4,r4c4,r4c7,r7c1,r7c7,r5c1", "-r5c1:1"},
    {Technique::Jellyfish, 1, "1:r1c1,r1c3,r3c3,r3c5,r5c5,r5c7,r7c7,r7c1,r9c1", "-r9c1:1"},
    {Technique::Skyscraper, 1, "1:r2c1,r9c1,r3c5,r9c5,r2c6,r3c2,r2c9,r3c9", "-r2c6:1 -r3c2:1"},
    {Technique::TwoStringKite, 1, "1:r1c2,r1c8,r3c3,r8c3,r8c8,r5c8,r8c5", "-r8c8:1"},
    {Technique::TurbotFish, 1, "1:r1c1,r3c2,r7c2,r7c6,r1c6", "-r1c6:1"},
    {Technique::XYWing, 1, "r1c1:12 r1c5:13 r5c1:23 3:r1c5,r5c1,r5c5,r9c9", "-r5c5:3"},
    {Technique::XYZWing, 1, "r1c1:123 r1c3:13 r2c2:23 3:r1c1,r1c3,r2c2,r1c2,r9c9", "-r1c2:3"},
    {Technique::WXYZWing, 1, "r1c1:123 r1c5:14 r2c2:24 r3c3:34 4:r1c5,r2c2,r3c3,r1c2,r9c9", "-r1c2:4"},
    {Technique::VWXYZWing, 1, "r1c1:1234 r1c5:15 r2c2:25 r3c3:35 r1c8:45 5:r1c5,r2c2,r3c3,r1c8,r1c2", "-r1c2:5"},
    {Technique::UniqueRectangle, 1, "r1c1:12 r1c4:12 r2c1:12 r2c4:125", "-r2c4:1 -r2c4:2"},
    {Technique::XChain, 1, "1:r1c2,r1c8,r3c3,r8c3,r8c8,r5c8,r8c5", "-r8c8:1"},
    {Technique::YCycle, 1, "r1c1:12 r1c5:23 r5c5:34 r5c1:14 1:r1c1,r5c1 2:r1c1,r1c5,r1c9 3:r1c5,r5c5 4:r5c5,r5c1",
     "-r1c9:2"},
    {Technique::ForcingChain, 1, "r1c1:12 r1c5:23 r5c5:13", "-r5c1:1"},
    // The shared box of grid 1 is box 1 of the centre grid: a value it holds
    // in one row clears that row in either grid.
    {Technique::Pointing, 5, "5:g1r7c7,g1r7c8,g1r7c1,g5r1c5", "-g1r7c1:5"},
    {Technique::Pointing, 5, "5:g1r7c7,g1r7c8,g5r1c5", "-g5r1c5:5"},
    {Technique::HiddenSingleBox, 5, "5:g5r1c2,g5r5c5,g5r1c7", "+g1r7c8:5"},
};

// Singles the plain way: rounds of naked singles over every cell, then
// hidden singles over every unit, both ascending. False on a contradiction.
bool placeSingles(CandidateGrid& g, int& placed)
{
    const Geometry& geo = g.geo();
    for (bool changed = true; changed;) {
        changed = false;
        for (int c = 0; c < geo.numCells; ++c) {
            if (g.value(c) >= 0 || std::popcount(static_cast<unsigned>(g.cand(c))) > 1) continue;
            if (g.cand(c) == 0) return false;
            g.place(c, std::countr_zero(static_cast<unsigned>(g.cand(c))));
            ++placed;
            changed = true;
        }
        for (int u = 0; u < geo.numUnits; ++u) {
            unsigned once = 0, twice = 0;
            for (int c : geo.units[u].cells) {
                twice |= once & g.cand(c);
                once |= g.cand(c);
            }
            if ((once | g.placedIn(u)) != kAllDigits) return false;
            for (unsigned single = once & ~twice & ~g.placedIn(u); single; single &= single - 1) {
                const int v = std::countr_zero(single);
                for (int c : geo.units[u].cells)
                    if (g.has(c, v)) {
                        g.place(c, v);
                        ++placed;
                        changed = true;
                        break;
                    }
            }
        }
    }
    return true;
}

} // namespace

TEST(TechniquePositions, EachFinderProvesWhatThePositionHolds)
{
    ChainFinder chains;
    for (const Position& p : kPositions) {
        SCOPED_TRACE(std::string(techniqueName(p.technique)) + ": " + p.marks);
        const Geometry& geo = Geometry::forGrids(p.numGrids);
        const CandidateGrid g = build(geo, p.marks);
        Step step;
        ASSERT_TRUE(findTechnique(p.technique, g, step, chains));
        EXPECT_EQ(step.technique, p.technique);
        EXPECT_EQ(outcome(geo, step), p.expected);
        EXPECT_FALSE(describeStep(geo, step).empty());
    }
}

// What a finder keeps from a position where it found nothing must not hide
// the step of the next: each is asked after every other position of its
// board, and after near misses of the standard board (a Y-Cycle's loop broken
// at one cell, an XY-Wing and a WXYZ-Wing with nothing to remove; the wing's
// cells are those of the real one, which only adds a place).
TEST(TechniquePositions, WhatFindersKeptFromOtherPositionsHidesNothing)
{
    const std::array<const char*, 3> nearMisses = {
        "r1c1:12 r1c5:23 r5c5:34 r5c1:15 1:r1c1,r5c1 2:r1c1,r1c5,r1c9 3:r1c5,r5c5 4:r5c5",
        "r1c1:12 r1c5:13 r5c1:23 3:r1c5,r5c1,r9c9", "r1c1:123 r1c5:14 r2c2:24 r3c3:34 4:r1c5,r2c2,r3c3,r9c9"};
    ChainFinder chains;
    for (const Position& p : kPositions) {
        SCOPED_TRACE(std::string(techniqueName(p.technique)) + ": " + p.marks);
        const Geometry& geo = Geometry::forGrids(p.numGrids);
        Step ignored;
        for (const Position& other : kPositions)
            if (&other != &p && other.numGrids == p.numGrids)
                findTechnique(p.technique, build(geo, other.marks), ignored, chains);
        if (p.numGrids == 1)
            for (const char* marks : nearMisses) findTechnique(p.technique, build(geo, marks), ignored, chains);
        Step step;
        ASSERT_TRUE(findTechnique(p.technique, build(geo, p.marks), step, chains));
        EXPECT_EQ(outcome(geo, step), p.expected);
    }
}

// Along a rating that needs them, every Dynamic Forcing Chain is the
// assumption whose singles reach a contradiction in the fewest placements
// (the first of equals, cells and values ascending, "on" before "off"),
// whatever the finder kept from earlier positions or skipped as following
// from an assumption without contradiction, and however it follows singles.
TEST(TechniquePositions, DynamicForcingChainTakesTheShortestContradiction)
{
    // Two standard puzzles, a generated Samurai one that takes five and one
    // that takes fourteen (where a result kept from an earlier position
    // could go stale).
    const std::string samurai = "7.......6...2......63..7.8...1..8.75.8..1...2..2.7.......3.5...........1.4......."
                                "5.9.......8.96..7.....4..38.......6...2..9....5..21.8...1..8.........7.1....5..9."
                                "..36..7...6...5........1...7.1.6..58..8.9..........9..12..5...65....4.3....8....."
                                "9..2............4....9.4..6..9.8...1.4..9.8....3..6.......3..17.7.........2..8..5"
                                "........1..137...................5....6.....23..7.8...7...3.9.....5........1.....";
    const std::string samurai14 = "3......8...751..9...5.......2..6..1..6...25...7...3....34...1.8..1.58............"
                                  "1..8......6...7..2........56.2.81..9.5.9...47...............5.1.....2.6..1...3..."
                                  "82....................3.......6....43.6.825..7.....6...4.71......5..61.........9."
                                  "..32...5...............1.6..9.7.8..6........3.3..5..4.2...8..7.........1.16.2...9"
                                  "1.8.7.......15...........1...3..8..2.7..6.8......2............3....47........9...";
    int checked = 0;
    Rater rater;
    ChainFinder alone;
    for (const std::string& line : {std::string("6.2.5.........4.3..........43...8....1....2........7..5..27...........81...6....."),
                                    std::string("...3..5...5..1..3...7..4..12.....4...6..9......1..6..28..7..2...9..8..5...5..9..7"),
                                    samurai, samurai14}) {
        CandidateGrid start(Geometry::forGrids(line.size() == 405 ? 5 : 1));
        ASSERT_TRUE(start.loadLine(line));
        rater.rate(start, [&](const CandidateGrid& pos, const Step& step) {
            if (step.technique != Technique::DynamicForcingChain) return;
            ++checked;
            int best = 1000;
            std::string expected;
            for (int c = 0; c < pos.geo().numCells; ++c)
                for (int v = 0; v < 9; ++v)
                    for (bool on : {true, false}) {
                        // With two candidates, "off" is the other's "on".
                        if (!pos.has(c, v) || (!on && std::popcount(static_cast<unsigned>(pos.cand(c))) == 2)) continue;
                        CandidateGrid trial = pos;
                        if (on)
                            trial.place(c, v);
                        else
                            trial.eliminate(c, v);
                        int placed = 0;
                        if (placeSingles(trial, placed)) continue;
                        const int rating = 85 + lengthBonus(2 * placed + 2);
                        if (rating < best) {
                            best = rating;
                            expected = cellName(pos.geo(), c) + (on ? "=" : "<>") + std::to_string(v + 1);
                        }
                    }
            const ChainNode& first = step.chain[0];
            EXPECT_EQ(cellName(pos.geo(), first.cand.cell) + (first.on ? "=" : "<>") + std::to_string(first.cand.value + 1), expected);
            EXPECT_EQ(step.rating, best);
            // Told the rating of an easier step, it looks for nothing at
            // that rating or above.
            Step bounded;
            alone.setRatingBelow(step.rating);
            EXPECT_FALSE(findDynamicForcingChain(pos, bounded, alone));
            alone.setRatingBelow(step.rating + 1);
            ASSERT_TRUE(findDynamicForcingChain(pos, bounded, alone));
            EXPECT_EQ(describeStep(pos.geo(), bounded), describeStep(pos.geo(), step));
        });
    }
    EXPECT_EQ(checked, 51);
}

// A position with candidates that the last one lacked (as after Undo) gets
// the Dynamic Forcing Chain found afresh: trials kept from the later
// position could now make other singles.
TEST(TechniquePositions, DynamicForcingChainAfterUndoKeepsNoTrial)
{
    const std::string samurai = "1.8..6......5.3..6..4.....7..9...5....3.67...6.......3....85...8.1...6......9..8.3"
                                ".6...8..8....16.....5..9...1...5.3...2.....44...2.......17............7...8...9..."
                                "9........3.6.72...71.8.9.4.........7..2.6.4...3.4..9...6..9......7.2...21.....7.."
                                "..6.2....1.......2...7..4.82.1.5.........8.1..6.8...3..5..7.69...7..1......4......"
                                "5.....6....7....8..................7.31..6.6..2.............72.9....1.9.1...2.";
    CandidateGrid start(Geometry::forGrids(5));
    ASSERT_TRUE(start.loadLine(samurai));
    std::vector<CandidateGrid> seen;
    Rater().rate(start, [&](const CandidateGrid& pos, const Step& step) {
        if (step.technique == Technique::DynamicForcingChain) seen.push_back(pos);
    });
    ASSERT_GE(seen.size(), 4u);
    for (int earlier : {1, 0}) {
        ChainFinder kept, fresh;
        Step later, again, anew;
        ASSERT_TRUE(findDynamicForcingChain(seen[3], later, kept));
        ASSERT_TRUE(findDynamicForcingChain(seen[earlier], again, kept));
        ASSERT_TRUE(findDynamicForcingChain(seen[earlier], anew, fresh));
        EXPECT_EQ(describeStep(start.geo(), again), describeStep(start.geo(), anew));
    }
}

// Puzzles with a published rating on the public scale (from the public-domain
// puzzle bank and generated lists), one per hardest technique: the rater
// gives the same number.
TEST(TechniquePositions, RatingsMatchThePublishedScale)
{
    const struct {
        const char* puzzle;
        int rating;
    } rows[] = {
        {".71.65.4............2...7.659.....1.....3.2..4..9.75...5..7..9.81...36......9.8..", 17},
        {"1647.39.2..3.2.......1..7.3.2..6...76....75...3..84.2.3...1......8.9.6.55.2.7..4.", 20},
        {".6..1.273..73.8..............3.7..9.9..1..5.75..4......5..9..4.4....5.2.1.....8..", 23},
        {"8....7..6.......2...5........4...8..7...38.1..3.6....7..7..61.315.2........4.5.7.", 25},
        {"9....3...8..2...6..7...19..3..5..7...5..4..8...2.6..3.641.9.3.....1.........3.4..", 26},
        {"9.7.........6.712..1...93..4....1....9..2..4...59...7272................6...45...", 26},
        {"..98.4.5.....2..47...............41.6.8.......4...1..9.61..5.9......9685....7..24", 26},
        {"...1.29.3.2.93........6.......52.63.....715.........91.1...3..223....7..9...46...", 28},
        {"...1.29.3.2.93........6.......52.63.....715.........91.1...3..223....7..9...46...", 28},
        {"8.5.....2...9.1...3.........6.7..4..2...5...........6....38.....4....7...9.....1.", 34},
        {".51.6.4.88........4.....63....3....7..74...8.23....1....2...56.1...4...2.8.....7.", 40},
        {"...1..463........585..6..1....8.....4.....69.9.6..4..1.......3.647...9..1.5.....7", 41},
        {"..3...5...1...6......9.....95........3....7....785..4.3...9.65...46.1.....97....8", 42},
        {".2.1.......6...49.59......61.....7...3..........59.21.4....79..9......5...3....67", 44},
        {".56.......2......7....3....87..6.41..4.3..2....3..87..43..1.56856...2...........2", 55},
        {"5....2........4..81.2..5..7.78.1......52.7..6.......71.4..7..5...1..69....6.3.7..", 56},
        {"...321.592.....7.........18.8.2....4..7.3.1..9....6.3.79.........5.....136.174...", 63},
        {".1..6..8.4.78.51.9....4......12.86..94.....18..8.1.7..17.6.4.53............759...", 67},
        {"12.5..4...........5...3..8............37.18...87..3.52..5...2..9...8...3.3..47..6", 68},
        {"8..3..7..7....8.4.2....7..15.61438....1............6.2.....93........4.8.378.....", 72},
        {".2.6...9.36.......7.9.3......3.5..62.7..82.34......7..5.2..7....4.....869.....2.7", 83},
        {".1...74....4.23..52...5..1.69........38.1.52........98.5..9...39..53.2....68...5.", 83},
        {"....4756......6.93...9...8.9...5.8..7..3.9..4..5.6...9.1...2...29.6......8417....", 84},
        {"...549....3..8..4....3.1...41..5..82..7...3....5.6.4..9.......76..4.8..3.8..9..2.", 85},
        {"4.21......5.....78...3......7..5...6......1.....4.........67.5.2.....4..3........", 89},
    };
    Rater rater;
    for (const auto& r : rows) {
        CandidateGrid g;
        ASSERT_TRUE(g.loadLine(r.puzzle));
        EXPECT_EQ(rater.rate(g).rating, r.rating) << r.puzzle;
    }
}

TEST(TechniquePositions, ARatingAskedToStopEndsBeforeTheNextStep)
{
    CandidateGrid g;
    ASSERT_TRUE(g.loadLine("4.21......5.....78...3......7..5...6......1.....4.........67.5.2.....4..3........"));
    std::atomic<bool> stop{false};
    int seen = 0;
    const auto stopAtFifth = [&](const CandidateGrid&, const Step&) { stop = ++seen == 5; };
    const Rating stopped = Rater().rate(g, stopAtFifth, &stop);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_FALSE(stopped.solved);
    EXPECT_EQ(stopped.steps, 5);
    EXPECT_EQ(seen, 5);
    stop = false;
    const Rating whole = Rater().rate(g, {}, &stop);
    EXPECT_TRUE(whole.solved);
    EXPECT_FALSE(whole.stopped);
    EXPECT_EQ(whole.rating, 89);
}

TEST(TechniquePositions, TheSearchForASolutionGivesUpAtItsBudget)
{
    // An empty board needs a placement per open cell that singles leave; a
    // budget below that gives up, without one it solves.
    CandidateGrid empty(Geometry::forGrids(5));
    CandidateGrid solution(empty.geo());
    ChainFinder chains;
    EXPECT_FALSE(chains.solve(empty, solution, 10));
    ASSERT_TRUE(chains.solve(empty, solution));
    EXPECT_EQ(solution.unsolved(), 0);
    // A sparse Samurai board with two solutions took the unlimited search the
    // better part of a minute; solutionOf() gives up on it instead.
    CandidateGrid sparse(Geometry::forGrids(5));
    ASSERT_TRUE(sparse.loadLine(
        "1...........3....73...8..1............6.3.....8.7.1..6..76....1.1........2.....4."
        ".......1...1...................3.................7...........2...8......6........"
        "..................3.......................1.2...........4........................"
        ".......1....61.........5...................................8.2.....9.1..........."
        "..1..............8.4....6..9........3....5...................................2..."));
    EXPECT_EQ(chains.solutionOf(sparse), nullptr);
}
