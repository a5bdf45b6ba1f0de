// SPDX-License-Identifier: GPL-3.0-or-later
// Every step of every rated puzzle checked against the puzzle's solution, over
// public lists of standard puzzles and generated Samurai puzzles.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "batch_generation.h"
#include "rater.h"
#include "techniques.h"

using namespace logic;

namespace {

std::vector<std::string> readLines(const std::string& path, int every)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81 && n++ % every == 0) out.push_back(line.substr(0, 81));
    return out;
}

std::string lineOf(const generator::GeneratedPuzzle& p)
{
    std::string line;
    for (int g = 0; g < p.numGrids; ++g)
        for (int k = 0; k < 81; ++k) {
            const int v = p.value(g, k % 9, k / 9);
            line += v < 0 ? '.' : static_cast<char>('1' + v);
        }
    return line;
}

struct Sweep {
    Rater rater;
    ChainFinder solver;
    std::array<int, kTechniqueCount> seen{};
    int puzzles = 0;
    int askedAgain = 0;
    std::array<int, 2> askedFresh{}; // standard, Samurai

    // Rates the puzzle and checks every step against its solution.
    void check(const std::string& line)
    {
        const Geometry& geo = Geometry::forGrids(line.size() == 405 ? 5 : 1);
        CandidateGrid start(geo), solution(geo);
        ASSERT_TRUE(start.loadLine(line)) << line;
        ASSERT_TRUE(solver.solve(start, solution)) << line;
        const Rating r = rater.rate(start, [&](const CandidateGrid& pos, const Step& step) {
            ++seen[static_cast<int>(step.technique)];
            // Asked again, the position gives the same step, whatever the
            // chain searches of the first time remembered.
            if (step.rating >= 80 && askedAgain < 400) {
                ++askedAgain;
                Step again;
                ASSERT_TRUE(rater.nextStep(pos, again));
                ASSERT_EQ(describeStep(geo, again), describeStep(geo, step)) << line;
            }
            // A rater that has seen no other position finds the same step:
            // what the rater kept from the earlier positions of the path (and
            // of earlier puzzles) changes nothing.
            const int board = geo.numGrids == 5 ? 1 : 0;
            if (step.rating >= kWXYZRating && askedFresh[board] < 60) {
                ++askedFresh[board];
                Rater fresh;
                Step first;
                ASSERT_TRUE(fresh.nextStep(pos, first));
                ASSERT_EQ(describeStep(geo, first), describeStep(geo, step)) << line;
            }
            // A unit's forcing chains start from the places of the value it names.
            if (step.technique == Technique::UnitForcingChain)
                ASSERT_TRUE(step.digits >> step.chain[0].cand.value & 1u) << describeStep(geo, step);
            for (int i = 0; i < step.numEliminations; ++i)
                ASSERT_NE(solution.value(step.eliminations[i].cell), step.eliminations[i].value)
                    << describeStep(geo, step) << "\n" << line;
            for (int i = 0; i < step.numPlacements; ++i)
                ASSERT_EQ(solution.value(step.placements[i].cell), step.placements[i].value)
                    << describeStep(geo, step) << "\n" << line;
        });
        EXPECT_TRUE(r.solved) << line;
        ++puzzles;
    }
};

} // namespace

TEST(Soundness, NoStepContradictsTheSolutionAndEveryTechniqueIsSeen)
{
    Sweep sweep;
    const std::string lists = CORVEL_PUZZLE_LISTS, own = CORVEL_TEST_PUZZLES;
    for (const auto& [file, every] :
         {std::pair{lists + "/sudoku17_sample1967.txt", 1}, {lists + "/top1465.txt", 4}, {lists + "/top95.txt", 1},
          {lists + "/hardest.txt", 1}, {lists + "/easy50.txt", 1}, {own + "/diabolical_sample.txt", 1}})
        for (const std::string& line : readLines(file, every)) {
            for (char& ch : const_cast<std::string&>(line))
                if (ch == '0') ch = '.';
            sweep.check(line);
        }
    for (int level = 2; level <= 3; ++level) {
        generator::BatchRequest request;
        request.puzzleType = 2;
        request.rating = level;
        request.seed = 700 + static_cast<std::uint64_t>(level);
        request.count = 12;
        for (const auto& p : generator::generateBatch(request)) sweep.check(lineOf(p));
    }
    EXPECT_GT(sweep.puzzles, 2500);
    EXPECT_EQ(sweep.askedFresh[0] + sweep.askedFresh[1], 120);
    // Every technique proved itself many times; the quads, the Jellyfish and
    // the trial step are rare in any list.
    for (int t = 0; t < kTechniqueCount; ++t) {
        const auto tech = static_cast<Technique>(t);
        const bool rare = tech == Technique::Trial || tech == Technique::NakedQuad || tech == Technique::Jellyfish ||
                          tech == Technique::HiddenQuad || tech == Technique::BugTwo;
        const int least = rare ? 1 : 10;
        EXPECT_GE(sweep.seen[t], least) << techniqueName(static_cast<Technique>(t));
    }
}

TEST(Soundness, WithoutKnownUniquenessNoUniquenessStepIsTaken)
{
    Rater rater(RaterOptions{false});
    for (const std::string& line : readLines(std::string(CORVEL_PUZZLE_LISTS) + "/top1465.txt", 29)) {
        CandidateGrid g;
        ASSERT_TRUE(g.loadLine(line));
        const Rating r = rater.rate(g);
        EXPECT_TRUE(r.solved);
        EXPECT_EQ(r.used[static_cast<int>(Technique::UniqueRectangle)] + r.used[static_cast<int>(Technique::Bug)], 0);
    }
}
