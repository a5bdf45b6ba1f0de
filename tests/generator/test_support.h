// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generator tests' rig: a generator writing onto a plain board, with a
// seeded (or scripted) source that counts its draws and a clock that shows
// what the test sets.
#include <cstdint>
#include <vector>

#include "generator.h"
#include "plain_board.h"
#include "plain_generator_board.h"
#include "random_source.h"
#include "solution_counter.h"

class CountingRandom final : public generator::RandomSource {
public:
    explicit CountingRandom(std::uint64_t seed) : inner_(seed) {}
    double next() override
    {
        ++draws;
        return script.empty() ? inner_.next() : script[static_cast<std::size_t>(draws - 1) % script.size()];
    }
    void reseed() override { ++reseeds; }
    long draws = 0;
    int reseeds = 0;
    std::vector<double> script; // played back, cycling, instead of the seeded numbers

private:
    generator::SeededRandom inner_;
};

class FakeClock final : public generator::Clock {
public:
    double seconds() override { return now; }
    double now = 1000.0;
};

struct Rig {
    explicit Rig(std::uint64_t seed) : random(seed), target(board, symbols), gen(solver, random, clock) {}
    engine::Solver solver;
    CountingRandom random;
    FakeClock clock;
    files::SymbolTable symbols;
    engine::PlainBoard board;
    generator::PlainGeneratorBoard target;
    generator::Generator gen;
};
