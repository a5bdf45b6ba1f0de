// Every technique on a small position built by hand whose answer is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "rater.h"

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
CandidateGrid build(const Geometry& geo, const std::string& spec)
{
    CandidateGrid g(geo);
    std::istringstream in(spec);
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
    const char* spec;
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

} // namespace

TEST(TechniquePositions, EachFinderProvesWhatThePositionHolds)
{
    ChainFinder chains;
    for (const Position& p : kPositions) {
        SCOPED_TRACE(std::string(techniqueName(p.technique)) + ": " + p.spec);
        const Geometry& geo = Geometry::forGrids(p.numGrids);
        const CandidateGrid g = build(geo, p.spec);
        Step step;
        ASSERT_TRUE(findTechnique(p.technique, g, step, chains));
        EXPECT_EQ(step.technique, p.technique);
        EXPECT_EQ(outcome(geo, step), p.expected);
        EXPECT_FALSE(describeStep(geo, step).empty());
    }
}
