// SPDX-License-Identifier: GPL-3.0-or-later
#include "random_source.h"

#include <ctime>
#include <random>

namespace generator {

namespace {
constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
} // namespace

std::uint64_t mix64(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

void Xoshiro256::seedWith(std::uint64_t seed)
{
    std::uint64_t x = seed;
    for (auto& w : s_) {
        x += 0x9E3779B97F4A7C15ull;
        w = mix64(x);
    }
    // An all-zero state would only ever give zeros.
    if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) s_[0] = 1;
}

std::uint64_t Xoshiro256::nextU64()
{
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

void SeededRandom::seed(std::uint64_t seedValue, std::uint64_t stream)
{
    // Streams of one seed must not overlap in their first draws: mix the stream
    // number in rather than adding it.
    rng_.seedWith(mix64(seedValue) ^ mix64(~stream * 0xD1B54A32D192ED03ull));
}

int currentSecondsOfDay()
{
    // Time zones differ from UTC by whole minutes, so the seconds field of the
    // local time equals that of the epoch count.
    const std::time_t now = std::time(nullptr);
    return static_cast<int>(now % 60);
}

TimeMixedRandom::TimeMixedRandom(SecondsOfDay secondsOfDay)
    : secondsOfDay_(secondsOfDay ? std::move(secondsOfDay) : SecondsOfDay(currentSecondsOfDay))
{
    std::random_device device;
    const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    rng_.seedWith(seed);
}

TimeMixedRandom::TimeMixedRandom(std::uint64_t initialState, SecondsOfDay secondsOfDay)
    : secondsOfDay_(secondsOfDay ? std::move(secondsOfDay) : SecondsOfDay(currentSecondsOfDay))
{
    rng_.seedWith(initialState);
}

void TimeMixedRandom::reseed()
{
    const auto seconds = static_cast<std::uint64_t>(secondsOfDay_());
    rng_.seedWith(rng_.nextU64() ^ mix64(seconds));
}

} // namespace generator
