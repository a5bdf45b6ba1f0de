#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "generator.h"
#include "generator_clock.h"
#include "plain_board.h"
#include "plain_generator_board.h"
#include "random_source.h"

// A random source that plays back a fixed list of numbers (cycling), and
// counts draws and reseeds.
class ScriptedRandom final : public generator::RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double next() override
    {
        ++draws;
        const double v = values_[pos_ % values_.size()];
        ++pos_;
        return v;
    }
    void reseed() override { ++reseeds; }
    int draws = 0;
    int reseeds = 0;

private:
    std::vector<double> values_;
    std::size_t pos_ = 0;
};

// A seeded source that counts its draws.
class CountingRandom final : public generator::RandomSource {
public:
    explicit CountingRandom(std::uint64_t seed) : inner_(seed) {}
    double next() override
    {
        ++draws;
        return inner_.next();
    }
    void reseed() override { ++reseeds; }
    long draws = 0;
    int reseeds = 0;

private:
    generator::SeededRandom inner_;
};

// A clock that shows whatever the test sets.
class FakeClock final : public generator::Clock {
public:
    double seconds() override
    {
        ++reads;
        return now;
    }
    double now = 1000.0;
    int reads = 0;
};

// A generator writing onto a plain board, with a seeded counting source and a
// fake clock: what most generator tests start from.
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
