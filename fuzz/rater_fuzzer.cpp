// SPDX-License-Identifier: GPL-3.0-or-later
// Any puzzle given to the rater, as corvel-cli rates and explains it: a puzzle
// line, or a standard or Samurai board whose givens come from the bytes two by
// two. A puzzle with one solution is rated to the end, with every technique;
// one with more is taken as far as logic goes, without the uniqueness and
// trial steps, and never ends solved; one with none is not rated. No step
// removes or places against a solution, and every step has a sentence.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exact_counter.h"
#include "fuzz_check.h"
#include "rater.h"

namespace {

// A solution of g kept in `solution`; false when there is none or the budget
// of search nodes runs out first.
bool findSolution(const logic::CandidateGrid& g, logic::CandidateGrid& solution, long& budget)
{
    if (--budget < 0) return false;
    int best = -1, fewest = 10;
    for (int c = 0; c < g.geo().numCells; ++c) {
        if (g.value(c) >= 0) continue;
        const int n = std::popcount(static_cast<unsigned>(g.cand(c)));
        if (n < fewest) fewest = n, best = c;
    }
    if (best < 0) {
        solution = g;
        return true;
    }
    for (unsigned m = g.cand(best); m; m &= m - 1) {
        logic::CandidateGrid next = g;
        next.place(best, std::countr_zero(m));
        if (findSolution(next, solution, budget)) return true;
        if (budget < 0) return false;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool asLine = data[0] & 4;
    const int numGrids = (asLine ? rest.size() == 405 : data[0] % 4 == 3) ? 5 : 1;
    const logic::Geometry& geo = logic::Geometry::forGrids(numGrids);
    logic::CandidateGrid g(geo);
    if (asLine) {
        if (!g.loadLine(rest)) return 0;
    } else {
        // Two bytes a given: the cell, and the value in the high bits of the
        // second; a given its cell or its peers rule out is left out.
        for (std::size_t i = 1; i + 1 < size; i += 2) {
            const int c = (data[i] | (data[i + 1] & 1) << 8) % geo.numCells;
            const int v = (data[i + 1] >> 1) % 9;
            if (g.value(c) < 0 && g.has(c, v)) g.place(c, v);
        }
    }

    // Kept from input to input, as corvel-cli keeps its counter and rater from
    // puzzle to puzzle: what the searches keep must hold for the next one too.
    static engine::ExactCounter counter;
    static logic::Rater unique{logic::RaterOptions{true, true}}, general{logic::RaterOptions{false, false}};
    counter.clear(numGrids);
    for (int gi = 0; gi < numGrids; ++gi)
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c)
                if (const int v = g.value(geo.cell(gi, c, r)); v >= 0) counter.setGiven(gi, c, r, v);
    const int solutions = counter.count();
    if (solutions == 0) return 0;

    logic::CandidateGrid solution(geo);
    long budget = 20000;
    const bool known = findSolution(g, solution, budget);
    FUZZ_REQUIRE(known || budget < 0);
    int steps = 0;
    const logic::Rating r = (solutions == 1 ? unique : general).rate(g, [&](const logic::CandidateGrid& at, const logic::Step& s) {
        ++steps;
        FUZZ_REQUIRE(s.proves());
        FUZZ_REQUIRE(!describeStep(geo, s).empty());
        if (!known) return;
        for (int k = 0; k < s.numPlacements; ++k) {
            const logic::Candidate p = s.placements[static_cast<std::size_t>(k)];
            FUZZ_REQUIRE(at.has(p.cell, p.value) && solution.value(p.cell) == p.value);
        }
        for (int k = 0; k < s.numEliminations; ++k) {
            const logic::Candidate e = s.eliminations[static_cast<std::size_t>(k)];
            FUZZ_REQUIRE(at.has(e.cell, e.value) && solution.value(e.cell) != e.value);
        }
    });
    FUZZ_REQUIRE(r.steps == steps);
    FUZZ_REQUIRE(r.solved == (solutions == 1));
    return 0;
}
