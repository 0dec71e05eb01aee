// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/runobservations.h"

namespace kormix {

void RunObservations::beginRun(const Composition &start, std::int64_t endedRun, double K)
{
    seriesOffset_ += endedRun;
    layOutFor(start, K);
    start_ = start;
    segmentStart_ = 0;
    stayStart_ = 1;
    reactions = {};
}

void RunObservations::beginSegment(std::int64_t runCollisions,
                                   const Composition &now,
                                   double lnW,
                                   double K)
{
    // A change before any collision of the segment only changes its K.
    if (runCollisions != segmentStart_) {
        series_.markRevision(seriesOffset_ + runCollisions);
        ++run_;
        recordPoint(runCollisions, now, lnW);
    }
    layOutFor(now, K);
    start_ = now;
    segmentStart_ = runCollisions;
    stayStart_ = runCollisions + 1;
    reactions = {};
}

void RunObservations::layOutFor(const Composition &c, double K)
{
    const std::int64_t h = 2 * std::int64_t(c.nH2) + c.nHD;
    const std::int64_t d = 2 * std::int64_t(c.nD2) + c.nHD;
    // The tally's range depends only on the atoms, which a run keeps, and
    // on K.
    if (!laidOut_ || h != hAtoms_ || d != dAtoms_ || K != K_) {
        shares_.layOut(h, d, K);
        hAtoms_ = h;
        dAtoms_ = d;
        K_ = K;
        laidOut_ = true;
    } else {
        shares_.reset();
    }
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
