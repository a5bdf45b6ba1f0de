// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "generator.h"
#include "rated_generation.h"

namespace generator {

// A run of several generations, possibly on several threads.
struct BatchRequest {
    int puzzleType = 1; // 1 standard, 2 Samurai
    int rating = 1;     // 1 Easy, 2 Testing, 3 Very Difficult; 0 with a target: chosen by it
    std::uint64_t seed = 0;
    int count = 1;
    int jobs = 1;
    // Generations per puzzle before giving up when the final check fails.
    int maxTries = 20;
    // When set, each puzzle is generated until its rating falls in the
    // target (or the limits end the search).
    std::optional<RatingTarget> target;
    std::optional<RatedLimits> limits;
};

// One generated puzzle: value indices (or -1) per grid, indexed row * 9 + col.
struct GeneratedPuzzle {
    int numGrids = 1;
    std::array<std::array<std::int8_t, 81>, 5> values{};
    bool confirmed = false; // the final check found exactly one solution
    int tries = 0;
    GenerationStats stats;
    // With a target: its rating (tenths, -1 when none was found), the
    // puzzles generated to find it, and whether the limits ended the search.
    int rating = -1;
    long attempts = 0;
    bool outOfReach = false;

    int value(int g, int col, int row) const
    {
        return values[static_cast<std::size_t>(g)][static_cast<std::size_t>(row * 9 + col)];
    }
};

// Puzzle i of a batch depends only on the seed and i, never on the number of
// threads: each puzzle draws from its own stream of the seed.
GeneratedPuzzle generateOne(const BatchRequest& request, int index, engine::Solver& solver, Generator& generator,
                            SeededRandom& random);

using ProgressFn = std::function<void(int done, int total)>;

// Generates request.count puzzles with request.jobs threads, one solver and
// one generator per thread; results are in index order. progress is called
// (from the worker threads, one call at a time) after each puzzle.
std::vector<GeneratedPuzzle> generateBatch(const BatchRequest& request, const ProgressFn& progress = {});

} // namespace generator
