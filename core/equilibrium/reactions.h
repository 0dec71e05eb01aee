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
    // H2 + D2 -> 2 HD: an H2 meets a D2 and the pair reacts, always with
    // statistics only, acceptingDraws(K) / 2^24 of the time at K.
    double forward = 0;
    // Two HD molecules meet.
    double hdMeeting = 0;
    // 2 HD -> H2 + D2: the meeting reacts, half of the time.
    double reverse = 0;
    // The meeting ends without a reaction, the other half.
    double hdUnreacted = 0;
    // An H2 meets a D2 and the pair does not react: never with statistics
    // only, 1 - K / 4 of the time at K.
    double h2d2Unreacted = 0;
};

// For one composition at K; all zero for fewer than two molecules, where the
// engine does not run.
ReactionProbabilities reactionProbabilities(const Composition &counts, double K = kStatisticsOnlyK);

// At equilibrium: each probability at the distribution's K, averaged over
// the compositions with their P. Detailed balance makes the forward and the
// reverse rate equal at any K (190/1443 for 10 H2 + 10 D2 with statistics
// only).
ReactionProbabilities expectedRates(const ExactDistribution &distribution);

} // namespace kormix
