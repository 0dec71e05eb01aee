// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact chance of each kind of reaction or meeting in one collision, by
// the theory the program compares its runs with: an H2 meeting a D2 always
// reacts, and two HD meeting react with probability exactly 1/2. (The
// engine's coin reacts (2^23 - 1) / 2^24 of the time, a hair below 1/2; what
// that changes is told by engineStationaryDistribution.)
#pragma once

#include "core/equilibrium/exactdistribution.h"

namespace kormix {

// Probabilities per collision. The engine picks two different molecules,
// every ordered pair equally likely, so a pair of kinds with counts x and y
// is met with probability 2 x y / (N (N - 1)), and two of one kind with
// x (x - 1) / (N (N - 1)).
struct ReactionProbabilities
{
    // H2 + D2 -> 2 HD: an H2 meets a D2, which always reacts.
    double forward = 0;
    // Two HD molecules meet.
    double hdMeeting = 0;
    // 2 HD -> H2 + D2: the meeting reacts, half of the time.
    double reverse = 0;
    // The meeting ends without a reaction, the other half.
    double hdUnreacted = 0;
};

// For one composition; all zero for fewer than two molecules, where the
// engine does not run.
ReactionProbabilities reactionProbabilities(const Composition &counts);

// At equilibrium: each probability averaged over the compositions with
// their P = W / sum W. Detailed balance makes the forward and the reverse
// rate equal (190/1443 for 10 H2 + 10 D2).
ReactionProbabilities expectedRates(const ExactDistribution &distribution);

} // namespace kormix
