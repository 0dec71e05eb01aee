// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The molecules a picture draws of a system too large to draw whole: a
// fixed number of them in the proportions of the current composition. As the
// composition changes, as few of them as possible change kind, so that the
// picture changes no more than the proportions do.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstdint>
#include <vector>

namespace kormix {

// The most molecules a picture draws.
inline constexpr std::int32_t kDrawnMolecules = 400;

// The counts of `size` molecules in the proportions of `system`, rounded by
// largest remainders: each kind gets the whole part of its exact share
// size * n_k / N, and the molecules still missing go one each to the kinds
// with the largest fractional parts (of equal ones, to H2 before HD before
// D2). They sum to exactly `size`, and each differs from its exact share by
// less than one. A system of no molecules gives no counts.
Composition sampleCounts(const Composition &system, std::int32_t size = kDrawnMolecules);

// The kinds (0 = H2, 1 = HD, 2 = D2) drawn at the places of a picture.
class MoleculeSample
{
public:
    explicit MoleculeSample(std::int32_t size = kDrawnMolecules)
        : size_(size)
    {}

    // Brings the sample to the proportions of this system (sampleCounts).
    // An empty sample is filled H2 first, then HD, then D2; one that has
    // molecules changes only places of the kinds that have too many, the
    // first such places first: exactly sum over kinds of max(0, now_k -
    // new_k) places, the fewest possible.
    void follow(const Composition &system);

    const std::vector<std::int8_t> &kinds() const { return kinds_; }

private:
    std::int32_t size_;
    std::vector<std::int8_t> kinds_;
};

} // namespace kormix
