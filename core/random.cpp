// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/random.h"

#include <chrono>
#include <utility>

namespace kormix {

namespace {

std::uint64_t splitMix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t splitMix64Of(std::uint64_t value)
{
    return splitMix64(value);
}

} // namespace

void UniformRandom::seed(std::uint64_t seed)
{
    currentSeed_ = seed;
    std::uint64_t state = seed;
    const std::uint64_t a = splitMix64(state);
    const std::uint64_t b = splitMix64(state);
    std::uint32_t *s = engine_.s;
    s[0] = std::uint32_t(a);
    s[1] = std::uint32_t(a >> 32);
    s[2] = std::uint32_t(b);
    s[3] = std::uint32_t(b >> 32);
    if ((s[0] | s[1] | s[2] | s[3]) == 0)
        s[0] = 1;
}

void UniformRandom::seedFromClock()
{
    if (fixed_) {
        seed(fixedSeed_);
        return;
    }
    // The clock alone could repeat (a coarse clock, two systems set up in
    // one tick): the count of seeds this generator has taken tells them
    // apart, and the mix spreads both over every bit of the seed.
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::system_clock::now().time_since_epoch());
    std::uint64_t mix = std::uint64_t(nanoseconds.count()) ^ splitMix64Of(++clockSeeds_)
                        ^ std::uint64_t(reinterpret_cast<std::uintptr_t>(this));
    seed(splitMix64(mix));
}

void UniformRandom::script(std::vector<float> draws)
{
    script_ = std::move(draws);
    scriptPos_ = 0;
}

} // namespace kormix
