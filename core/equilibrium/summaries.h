// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The numbers the equilibrium window shows beside its charts, worked out from
// the exact distribution and from what the run observed: means and spreads,
// the reactions per collision lately, and how far ahead the expected approach
// of a run is followed.
#pragma once

#include "core/equilibrium/approach.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/runobservations.h"
#include "core/equilibrium/stayshares.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kormix {

struct Moments
{
    double mean = 0;
    double sd = 0; // standard deviation

    bool operator==(const Moments &) const = default;
};

// Of ln W over the compositions, each weighted with its exact P.
Moments lnWMoments(const ExactDistribution &exact);

// Of the HD fraction nHD / molecules over the collisions the run spent in the
// tallied compositions; nothing before the first of them.
std::optional<Moments> observedFractionMoments(const StayShares &shares, std::int64_t molecules);

// True when both compositions hold the same atoms of each kind, so that a run
// begun from one is a run of the other's system.
bool sameAtoms(const Composition &a, const Composition &b);

// How many collisions of a run the expected approach is worked out for: long
// enough to reach equilibrium from any start (a few times N collisions relax
// a system of N molecules, and at least 1000) and to cover the `shown`
// collisions of the run a plot shows, short enough to cost at most
// kApproachBudget state updates over a band of reachable compositions that
// grows by one a collision until it covers all of them.
inline constexpr double kApproachBudget = 2e7;
std::int64_t approachLength(std::int64_t molecules,
                            std::int64_t compositions,
                            std::int64_t shown = 0);

// The expected approach a plot shows beside a run, worked out anew only when
// it must: for another start, K or spacing, or once the collisions shown
// pass the length it was worked out for (then for four times as many, so
// that a growing run asks for it seldom), never beyond the budget of
// approachLength.
class ShownApproach
{
public:
    static constexpr int kSamples = 400;

    // The approach from `start` at K over at least approachLength(N,
    // compositions, shown) collisions, with kSamples points in `spacing`.
    const ExpectedApproach &covering(const Composition &start,
                                     double K,
                                     std::int64_t shown,
                                     ApproachSpacing spacing);
    // Nothing worked out: the next call works the approach out.
    void forget() { key_.reset(); }

private:
    struct Key
    {
        Composition start;
        double K = 0;
        ApproachSpacing spacing = ApproachSpacing::Even;
        bool operator==(const Key &) const = default;
    };
    std::optional<Key> key_;
    std::int64_t length_ = 0;
    ExpectedApproach approach_;
};

// The reactions per collision between one look at a run and the next.
class RecentRates
{
public:
    // Forward, reverse, HD + HD unreacted, H2 + D2 unreacted.
    using Rates = std::array<std::optional<double>, 4>;

    // The rates since the last look, or since the run's start for the first
    // look at a run: a run with fewer collisions or reactions than at the last
    // look is a new one. Where no collision has passed since the last look,
    // its rates stay; a new run has none until its first collision.
    const Rates &look(const ReactionCounts &counts, std::int64_t collisions);

private:
    ReactionCounts last_;
    std::int64_t lastCollisions_ = -1;
    Rates rates_{};
};

} // namespace kormix
