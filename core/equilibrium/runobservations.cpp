// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/runobservations.h"

namespace kormix {

void RunObservations::beginRun(const Composition &start, std::int64_t endedRun)
{
    seriesOffset_ += endedRun;
    const std::int64_t h = 2 * std::int64_t(start.nH2) + start.nHD;
    const std::int64_t d = 2 * std::int64_t(start.nD2) + start.nHD;
    // The tally's range depends only on the atoms, which a run keeps.
    if (!laidOut_ || h != hAtoms_ || d != dAtoms_) {
        shares_.layOut(h, d);
        hAtoms_ = h;
        dAtoms_ = d;
        laidOut_ = true;
    } else {
        shares_.reset();
    }
    start_ = start;
    stayStart_ = 1;
    reactions = {};
}

StayShares RunObservations::sharesUpTo(std::int32_t current, std::int64_t collisions) const
{
    StayShares shares = shares_;
    if (collisions >= stayStart_)
        shares.creditStay(current, collisions - stayStart_ + 1);
    return shares;
}

void RunObservations::markRevision(std::int64_t runCollisions)
{
    seriesOffset_ += runCollisions;
    series_.markRevision(seriesOffset_);
    ++run_;
}

void RunObservations::forgetSeries()
{
    series_.clear();
    seriesOffset_ = 0;
    run_ = 1;
}

} // namespace kormix
