// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/leveldrag.h"

#include "core/nearestplace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kormix {

namespace {

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();

// floor(v / 2); the division of integers truncates towards zero instead.
std::int64_t floorHalf(std::int64_t v)
{
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

} // namespace

int nearestLevel(const std::array<double, 3> &centres, double x)
{
    return nearestPlace(centres, x, 100000);
}

std::int64_t changeFromPointer(double base, double scale, std::int32_t count, double y)
{
    const double top = base - scale * count;
    const double raw = std::floor((top - y) / scale);
    constexpr double kFar = 8.0 * kMaxCount;
    return std::isnan(raw) ? 0 : std::int64_t(std::clamp(raw, -kFar, kFar));
}

LevelCounts dragLevel(const LevelCounts &counts, int kind, AdjustMode mode, std::int64_t change)
{
    if (kind < 0 || kind > 2)
        return counts;
    const auto k = std::size_t(kind);
    const bool all = mode == AdjustMode::All;
    std::array<std::int64_t, 3> w = {counts[0], counts[1], counts[2]};

    std::int64_t d = change;
    if (k == 1)
        d = 2 * (d / 2); // HD moves in pairs; integer division truncates towards zero

    // Every count stays within 0 .. 2147483647. In Adjust All mode the other
    // counts move with the dragged one, so their room bounds the change too.
    // Where the balance below would undo part of a change anyway, bounding it
    // first gives the same counts.
    std::int64_t up = kMaxCount - w[k];
    std::int64_t down = w[k];
    if (all) {
        if (k == 1) {
            down = std::min(down, 2 * (kMaxCount - std::max(w[0], w[2])));
            // The number of H atoms, 2 nH2 + nHD, has the parity of nHD, which
            // the exchange keeps: an odd HD count can come down to 1, not to 0,
            // and the odd molecule stays HD.
            if (down % 2 != 0)
                --down;
        } else {
            const std::size_t j = 2 - k;
            up = std::min(up, kMaxCount - w[j]);
            down = std::min(down, (kMaxCount - w[1]) / 2);
        }
    }
    if (k == 1 && up % 2 != 0)
        --up; // HD is raised in pairs
    if (d > up)
        d = up;
    if (d < -down)
        d = -down;

    w[k] += d;
    if (all) {
        if (k == 1) {
            w[0] -= d / 2;
            w[2] -= d / 2;
        } else {
            const std::size_t j = 2 - k;
            w[j] += d;
            w[1] -= 2 * d;
        }
    }

    // Balance along the exchange: a negative H2 or D2 count is made up from
    // HD pairs, a negative HD count from H2 + D2 pairs.
    std::int64_t m = 0;
    if (w[0] < m)
        m = w[0];
    if (w[2] < m)
        m = w[2];
    if (w[1] < -2 * m)
        m = -floorHalf(w[1]);
    w[0] -= m;
    w[1] += 2 * m;
    w[2] -= m;

    return {std::int32_t(w[0]), std::int32_t(w[1]), std::int32_t(w[2])};
}

} // namespace kormix
