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
// probable one (far wider than the range an exact distribution keeps).
// Stays outside the array are summed below and above it, so they still
// count in every share and in the distance.
class StayShares
{
public:
    static constexpr std::int64_t kDenseLimit = std::int64_t(1) << 20;

    StayShares() = default;
    StayShares(std::int64_t hAtoms, std::int64_t dAtoms) { layOut(hAtoms, dAtoms); }

    // Sets the tallied range for these atoms, with nothing credited.
    void layOut(std::int64_t hAtoms, std::int64_t dAtoms);
    // Forgets every credit, keeping the range.
    void reset();

    void creditStay(std::int32_t nHD, std::int64_t collisions)
    {
        // A composition below the range wraps to a large index.
        const std::uint64_t i = std::uint64_t(std::int64_t(nHD) - firstHD_) >> 1;
        if (i < counts_.size())
            counts_[i] += collisions;
        else if (nHD < firstHD_)
            below_ += collisions;
        else
            above_ += collisions;
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

private:
    std::int64_t firstHD_ = 0;
    std::vector<std::int64_t> counts_;
    std::int64_t below_ = 0;
    std::int64_t above_ = 0;
    std::int64_t total_ = 0;
};

// Total-variation distance 1/2 sum |share - P| over every composition,
// between 0 (the shares are the exact distribution) and 1; nothing while no
// collision is credited.
std::optional<double> totalVariation(const StayShares &shares, const ExactDistribution &exact);

} // namespace kormix
