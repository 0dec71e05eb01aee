// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/runseries.h"

namespace kormix {

void RunSeries::append(const SeriesPoint &point)
{
    const std::int64_t number = offered_++;
    if (number % stride_ != 0)
        return;
    if (points_.size() == kCapacity) {
        // The kept points are the offers 0, s, 2s, ...: those at even
        // positions are the multiples of 2s.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < points_.size(); i += 2)
            points_[kept++] = points_[i];
        points_.resize(kept);
        stride_ *= 2;
        if (number % stride_ != 0)
            return;
    }
    if (points_.capacity() < kCapacity)
        points_.reserve(kCapacity);
    points_.push_back(point);
}

void RunSeries::clear()
{
    points_.clear();
    markers_.clear();
    stride_ = 1;
    offered_ = 0;
}

} // namespace kormix
