// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The share of a run's collisions spent in each composition, and how far it
// is from the exact equilibrium.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kormix {

// Collisions spent per composition. The engine credits a whole stay at once
// when the system leaves a composition, so that a collision that changes
// nothing costs nothing here.
//
// The tally is a dense array over the compositions: all of them when there
// are at most kDenseLimit, otherwise kDenseLimit of them centred on the most
// probable one at the run's K (far wider than the range an exact
// distribution keeps). Stays outside the array are summed below and above
// it, so they still count in every share, in the distance and in the
// estimate of K.
class StayShares
{
public:
    static constexpr std::int64_t kDenseLimit = std::int64_t(1) << 20;

    StayShares() = default;
    StayShares(std::int64_t hAtoms, std::int64_t dAtoms, double K = kStatisticsOnlyK)
    {
        layOut(hAtoms, dAtoms, K);
    }

    // Sets the tallied range for these atoms and K, with nothing credited.
    void layOut(std::int64_t hAtoms, std::int64_t dAtoms, double K = kStatisticsOnlyK);
    // Forgets every credit, keeping the range.
    void reset();

    void creditStay(std::int32_t nHD, std::int64_t collisions)
    {
        // A composition below the range wraps to a large index.
        const std::uint64_t i = std::uint64_t(std::int64_t(nHD) - firstHD_) >> 1;
        if (i < counts_.size())
            counts_[i] += collisions;
        else
            creditOutside(nHD, collisions);
        total_ += collisions;
    }

    std::int64_t total() const { return total_; }
    // Collisions credited to this composition (0 outside the tallied range,
    // whose credits are only kept as the two sums).
    std::int64_t collisionsAt(std::int32_t nHD) const;
    // collisionsAt / total, or 0 before anything is credited.
    double shareAt(std::int32_t nHD) const;
    std::int64_t collisionsBelow() const { return below_; }
    std::int64_t collisionsAbove() const { return above_; }
    // The tallied compositions: nHD from firstHD() to lastHD() in steps of 2.
    std::int32_t firstHD() const { return std::int32_t(firstHD_); }
    std::int32_t lastHD() const
    {
        return std::int32_t(firstHD_ + 2 * std::int64_t(counts_.size()) - 2);
    }
    std::int64_t hAtoms() const { return hAtoms_; }
    std::int64_t dAtoms() const { return dAtoms_; }
    // Sums of collisions times nHD (nHD - 1), and times nH2 nD2, over the
    // stays outside the tally.
    long double hdPairsOutside() const { return hdPairsOutside_; }
    long double h2d2PairsOutside() const { return h2d2PairsOutside_; }

private:
    void creditOutside(std::int32_t nHD, std::int64_t collisions);

    std::int64_t hAtoms_ = 0, dAtoms_ = 0;
    std::int64_t firstHD_ = 0;
    std::vector<std::int64_t> counts_;
    std::int64_t below_ = 0;
    std::int64_t above_ = 0;
    std::int64_t total_ = 0;
    long double hdPairsOutside_ = 0;
    long double h2d2PairsOutside_ = 0;
};

// Total-variation distance 1/2 sum |share - P| over every composition,
// between 0 (the shares are the exact distribution) and 1; nothing while no
// collision is credited.
std::optional<double> totalVariation(const StayShares &shares, const ExactDistribution &exact);

// The run's estimate of the equilibrium constant: <nHD (nHD - 1)> / <nH2 nD2>
// over the collisions credited. Under the exact distribution at K it is K
// exactly, for any number of molecules (see exactdistribution.cpp: the flow
// up from each composition balances the flow down into it), where Q of the
// most probable composition is not: 12 H + 28 D atoms have the most probable
// composition 2 H2 + 8 HD + 10 D2 at K = 4, whose Q is 3.2. Exact (one
// rational rounded once) while every stay lies in the tally and the sums fit
// 128 bits, else in extended precision. Nothing while no collision is
// credited to a composition with both H2 and D2.
std::optional<double> estimatedK(const StayShares &shares);

} // namespace kormix
