// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What a run does beside the register of distributions: the collisions spent
// in each composition, the reactions counted, and the course of the run over
// time. The collision engine keeps them; the equilibrium window and the
// batch mode read them.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/runseries.h"
#include "core/equilibrium/stayshares.h"

#include <cstdint>
#include <optional>

namespace kormix {

// Reactions counted since the run began. forward - reverse is always half
// the change of nHD since the start.
struct ReactionCounts
{
    std::int64_t forward = 0;     // H2 + D2 -> 2 HD
    std::int64_t reverse = 0;     // 2 HD -> H2 + D2
    std::int64_t hdUnreacted = 0; // HD + HD met without reacting
    // H2 + D2 met without reacting (only at a temperature).
    std::int64_t h2d2Unreacted = 0;

    bool operator==(const ReactionCounts &) const = default;
};

class RunObservations
{
public:
    // A run begins from `start` (collision 0) after one of `endedRun`
    // collisions, going to the equilibrium of K: the shares and the counts
    // start afresh. The series goes on, its collision numbers counting on
    // after the ended run; it is kept until forgetSeries().
    void beginRun(const Composition &start, std::int64_t endedRun = 0, double K = kStatisticsOnlyK);
    // The run goes on after `runCollisions` collisions towards the
    // equilibrium of another K (a change of model): a new segment begins
    // from `now`, with its shares and counts afresh. After a collision of
    // the segment before, the series gets a mark, as at a revision, and the
    // segment's first point; the run's collision count goes on.
    void beginSegment(std::int64_t runCollisions, const Composition &now, double lnW, double K);

    // The system leaves the composition with nHD at `collision`, the first
    // collision that ends elsewhere: the stay is credited whole.
    void leave(std::int32_t nHD, std::int64_t collision)
    {
        shares_.creditStay(nHD, collision - stayStart_);
        stayStart_ = collision;
    }
    ReactionCounts reactions;

    // Collisions spent in each composition up to `collisions` (the run's
    // collision count now), the stay in `current` included.
    StayShares sharesUpTo(std::int32_t current, std::int64_t collisions) const;
    // The shares as credited so far, without the stay going on.
    const StayShares &creditedShares() const { return shares_; }
    // Where the current segment began: the run's start, or the composition
    // at the last change of model, after segmentStart() collisions.
    const Composition &start() const { return start_; }
    std::int64_t segmentStart() const { return segmentStart_; }

    // The course of the run. Its collision numbers go on counting across
    // revisions, which start the run's own count again.
    const RunSeries &series() const { return series_; }
    void recordPoint(std::int64_t runCollisions, const Composition &now, double lnW)
    {
        series_.append({seriesOffset_ + runCollisions, now.nHD, lnW, now.nH2, now.nD2, run_});
    }
    // The point recordPoint(0, ...) would make for the run's start.
    SeriesPoint startPoint(const Composition &start, double lnW) const
    {
        return {seriesOffset_, start.nHD, lnW, start.nH2, start.nD2, run_};
    }
    // An accepted revision: the run that ended after `runCollisions` is
    // followed by a new one on the revised system; the series keeps both.
    // The series' `run` goes up by one here and at every new segment.
    void markRevision(std::int64_t runCollisions);
    // Clear or a new setup: the series starts again.
    void forgetSeries();
    // Collision number in the series of the run's collision 0.
    std::int64_t seriesOffset() const { return seriesOffset_; }

private:
    // Lays the tally out for the atoms of `c` at K, or only empties it when
    // it is laid out for them already.
    void layOutFor(const Composition &c, double K);

    Composition start_;
    std::int64_t segmentStart_ = 0;
    StayShares shares_;
    bool laidOut_ = false;
    std::int64_t hAtoms_ = 0, dAtoms_ = 0; // the atoms the tally is laid out for
    double K_ = kStatisticsOnlyK;          // and the K
    std::int64_t stayStart_ = 1;           // first collision credited to the current stay
    RunSeries series_;
    std::int64_t seriesOffset_ = 0;
    std::int32_t run_ = 1;
};

} // namespace kormix
