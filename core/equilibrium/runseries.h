// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The course of a run, kept for plotting: the composition at event-service
// points, in bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kormix {

struct SeriesPoint
{
    std::int64_t collision = 0;
    std::int32_t nHD = 0;
    double lnW = 0;
    // The rest of the composition, and the run the point belongs to: 1, and
    // one more after each revision.
    std::int32_t nH2 = 0;
    std::int32_t nD2 = 0;
    std::int32_t run = 1;

    bool operator==(const SeriesPoint &) const = default;
};

// At most kCapacity points. Points are offered in order; every stride-th
// offer is kept, counting from the first. When a point is due and the
// series is full, every second point is dropped and the stride doubles, so
// the series always holds exactly the offers whose number (0, 1, 2, ...
// since the last clear) is a multiple of the stride, evenly thinned over
// the whole run.
//
// Revisions start the collision count of a run again; callers that keep a
// series across one pass collision numbers that go on counting.
class RunSeries
{
public:
    static constexpr std::size_t kCapacity = 4096;

    void append(const SeriesPoint &point);
    void append(std::int64_t collision, std::int32_t nHD, double lnW)
    {
        append(SeriesPoint{collision, nHD, lnW});
    }
    // Notes an accepted revision at this collision.
    void markRevision(std::int64_t collision) { markers_.push_back(collision); }
    // Empties the series and its markers (Clear, a new setup).
    void clear();

    const std::vector<SeriesPoint> &points() const { return points_; }
    const std::vector<std::int64_t> &revisions() const { return markers_; }
    std::int64_t stride() const { return stride_; }
    std::int64_t offered() const { return offered_; }

private:
    std::vector<SeriesPoint> points_;
    std::vector<std::int64_t> markers_;
    std::int64_t stride_ = 1;
    std::int64_t offered_ = 0;
};

} // namespace kormix
