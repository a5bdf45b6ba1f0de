// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <functional>

namespace generator {

// The generator's one source of random choices: uniform numbers in [0, 1).
// reseed() is called at the start of every generation.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void reseed() = 0;
};

// xoshiro256** with splitmix64 seeding: small, fast, and the same stream on
// every platform for a given seed.
class Xoshiro256 {
public:
    explicit Xoshiro256(std::uint64_t seed = 0) { seedWith(seed); }
    void seedWith(std::uint64_t seed);
    std::uint64_t nextU64();
    // 53 random bits scaled into [0, 1).
    double nextDouble() { return static_cast<double>(nextU64() >> 11) * 0x1.0p-53; }

private:
    std::array<std::uint64_t, 4> s_{};
};

// splitmix64 step: a good 64-bit mixing function.
std::uint64_t mix64(std::uint64_t x);

// A reproducible stream: the same seed and stream number give the same numbers.
// Reseeding does nothing, so a seeded generation can be repeated exactly.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seedValue = 0, std::uint64_t stream = 0) { seed(seedValue, stream); }
    void seed(std::uint64_t seedValue, std::uint64_t stream = 0);
    double next() override { return rng_.nextDouble(); }
    void reseed() override {}

private:
    Xoshiro256 rng_;
};

// The window's source: seeded unpredictably once, and at every generation the
// seconds of the time of day are mixed into the running state (not put in its
// place, which would allow only 60 different puzzles).
class TimeMixedRandom final : public RandomSource {
public:
    using SecondsOfDay = std::function<int()>;
    // secondsOfDay defaults to the seconds field (0..59) of the current time.
    explicit TimeMixedRandom(SecondsOfDay secondsOfDay = {});
    // Starts from a given state instead of an unpredictable one (tests).
    TimeMixedRandom(std::uint64_t initialState, SecondsOfDay secondsOfDay);
    double next() override { return rng_.nextDouble(); }
    void reseed() override;

private:
    Xoshiro256 rng_;
    SecondsOfDay secondsOfDay_;
};

int currentSecondsOfDay();

} // namespace generator
