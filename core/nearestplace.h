// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The one hit test that the chart and the level editor share: which of a row
// of places lies nearest to a position.
#pragma once

#include <cmath>
#include <cstddef>
#include <span>

namespace kormix {

// The index of the place nearest to x. Only distances below farthest count,
// and the first index with the smallest distance wins a tie; with no place
// near enough the answer is 0.
inline int nearestPlace(std::span<const double> places, double x, double farthest)
{
    int best = 0;
    double bestDistance = farthest;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const double d = std::abs(x - places[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

} // namespace kormix
