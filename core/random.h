// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The random numbers of the collision engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kormix {

// A uniform single-precision draw over [0, 1). The engine reseeds it at every
// cleared system: from the clock, so that every system gets a sequence of its
// own, or from a seed the user (or a test) fixed, so that the same setup gives
// the same run. Tests may also script the exact sequence of draws.
class UniformRandom
{
public:
    UniformRandom() { seed(0); }

    // Starts the sequence that this seed stands for.
    void seed(std::uint64_t seed);
    // Seeds from the clock, or from the fixed seed when one has been set.
    // Two clock seeds of one generator always differ, even within one tick
    // of the clock: the time in nanoseconds is mixed with a count of the
    // seeds taken.
    void seedFromClock();
    // Makes every later seedFromClock use this seed: runs become repeatable.
    void fixSeed(std::uint64_t value)
    {
        fixed_ = true;
        fixedSeed_ = value;
        seed(value);
    }
    // The same for the systems still to come only: the sequence going on now
    // goes on as it is.
    void fixSeedForLater(std::uint64_t seed)
    {
        fixed_ = true;
        fixedSeed_ = seed;
    }
    // Goes back to seeding from the clock (the current sequence goes on).
    void clearFixedSeed() { fixed_ = false; }
    bool hasFixedSeed() const { return fixed_; }
    std::uint64_t fixedSeed() const { return fixedSeed_; }
    // The seed the current sequence started from: seeding with it again
    // repeats the run.
    std::uint64_t currentSeed() const { return currentSeed_; }
    // Makes the next draws return these values in order, then go back to the
    // generator. Every value must lie in [0, 1).
    void script(std::vector<float> draws);

    // xoshiro128+: the generator itself, small enough to be copied into a
    // hot loop's registers and handed back afterwards.
    struct Engine
    {
        std::uint32_t s[4] = {};

        // One step on a state held anywhere (a hot loop keeps it in
        // registers): the next draw as k, standing for the float k / 2^24.
        static std::uint32_t step(std::uint32_t &s0,
                                  std::uint32_t &s1,
                                  std::uint32_t &s2,
                                  std::uint32_t &s3)
        {
            const std::uint32_t result = s0 + s3;
            const std::uint32_t t = s1 << 9;
            s2 ^= s0;
            s3 ^= s1;
            s1 ^= s2;
            s0 ^= s3;
            s2 ^= t;
            s3 = (s3 << 11) | (s3 >> 21);
            return result >> 8; // the 24 high bits
        }

        std::uint32_t nextBits() { return step(s[0], s[1], s[2], s[3]); }

        // Every float of the form k / 2^24 in [0, 1), all equally likely.
        float next() { return static_cast<float>(nextBits()) * 0x1.0p-24f; }
    };

    float next()
    {
        if (scriptPos_ < script_.size()) [[unlikely]]
            return script_[scriptPos_++];
        return engine_.next();
    }

    bool scripted() const { return scriptPos_ < script_.size(); }
    Engine &engine() { return engine_; }

    // Draws still left in the script.
    std::size_t scriptedLeft() const { return script_.size() - scriptPos_; }

private:
    Engine engine_;
    bool fixed_ = false;
    std::uint64_t fixedSeed_ = 0;
    std::uint64_t currentSeed_ = 0;
    std::uint64_t clockSeeds_ = 0; // seeds taken from the clock so far
    std::vector<float> script_;
    std::size_t scriptPos_ = 0;
};

} // namespace kormix
