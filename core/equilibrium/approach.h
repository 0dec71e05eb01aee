// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact expected course of a run: how the mean nHD and its spread move
// from a starting composition towards equilibrium, collision by collision.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstdint>
#include <vector>

namespace kormix {

struct ApproachPoint
{
    std::int64_t collisions = 0;
    double meanHD = 0;
    double sdHD = 0;
};

struct ExpectedApproach
{
    // Starting at collision 0 with the start itself (spread 0), increasing.
    std::vector<ApproachPoint> points;
    // The last collision covered.
    std::int64_t horizon = 0;
    // True when the work bound, not the caller's limit, set the horizon.
    bool limitedByWork = false;
};

enum class ApproachSpacing {
    Even,      // evenly over 0..horizon
    Geometric, // every collision at first, then ever wider apart
};

// The probability vector over compositions, started at `start`, is carried
// through the one-collision transition probabilities of the engine at K
// (nHD rises by 2 with the forward probability, with the engine's exact
// acceptance at K, falls by 2 with the reverse one with the engine's exact
// coin, else stays). After t collisions only
// compositions within t reaction steps of the start can be reached, so a
// step costs the width of that band, never more than every composition.
// The horizon is the caller's maxCollisions or the last collision within
// kApproachWork state updates in all, whichever comes first: for 20
// molecules (11 compositions) about 9 million collisions, for 1000 (501
// compositions, starting at one end) about 200,000, for 2^31 - 1 molecules
// about 10,000. Up to `samples` points are recorded (at least 2).
ExpectedApproach expectedApproach(const Composition &start,
                                  std::int64_t maxCollisions,
                                  int samples = 512,
                                  ApproachSpacing spacing = ApproachSpacing::Even,
                                  double K = kStatisticsOnlyK);

inline constexpr std::int64_t kApproachWork = 100'000'000;

// The horizon expectedApproach reaches for this start, worked out without
// propagating anything: min(maxCollisions, the work bound).
std::int64_t approachHorizon(const Composition &start, std::int64_t maxCollisions);

} // namespace kormix
