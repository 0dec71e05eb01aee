// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/chartrules.h"

#include <gtest/gtest.h>

#include <vector>

namespace kormix {
namespace {

TEST(NearestBar, FirstNearestPositionWins)
{
    // HD fractions by position.
    const std::vector<double> bars = {0.5, 0.25, 0.75, 0};
    const struct
    {
        double x;
        int position;
    } rows[] = {
            {-0.155, 3}, // left of the plotting range
            {0, 3},      // its left end
            {0.25, 1},   // on a bar
            {0.375, 0},  // exactly between 0.25 (position 1) and 0.5: the lower position
            {0.625, 0},  // exactly between 0.5 (position 0) and 0.75
            {0.7, 2},
            {1.5333, 2}, // right of the plotting range
    };
    for (const auto &row : rows)
        EXPECT_EQ(nearestBar(bars, row.x), row.position) << row.x;
}

TEST(NearestBar, EqualFractionsAndFarPlaces)
{
    // Bars at the same fraction: the first of them.
    EXPECT_EQ(nearestBar(std::vector<double>{0.1, 0.6, 0.6}, 0.7), 1);
    // Only distances below 10000 count; beyond them position 0 stands.
    const std::vector<double> bars = {0, 1};
    EXPECT_EQ(nearestBar(bars, 10000.5), 1);
    EXPECT_EQ(nearestBar(bars, 10001), 0);
    EXPECT_EQ(nearestBar(bars, -20000), 0);
    EXPECT_EQ(nearestBar({}, 0.5), 0);
}

TEST(ClampSelection, HeldToTheBarsThereAre)
{
    const struct
    {
        int p, nStored, held;
    } rows[] = {
            {-1, 5, 0}, // no selection yet
            {-7, 5, 0},
            {0, 5, 0},
            {4, 5, 4},
            {5, 5, 4}, // one beyond the last
            {99, 5, 4},
            {-1, 1, 0},
            {3, 1, 0},
            {999, 1000, 999},
            {1000, 1000, 999},
            {0, 0, -1}, // no bars: nothing to select
    };
    for (const auto &r : rows)
        EXPECT_EQ(clampSelection(r.p, r.nStored), r.held) << r.p << " of " << r.nStored;
}

TEST(SelectionStep, NBackPForwardEitherCase)
{
    const struct
    {
        char32_t key;
        int step;
    } rows[] = {
            {U'N', -1},
            {U'n', -1},
            {U'P', +1},
            {U'p', +1},
            {U'M', 0},
            {U'O', 0},
            {U'Q', 0},
            {U'x', 0},
            {U'1', 0},
            {U' ', 0},
            {U'\r', 0},
            {0, 0},
            {U'\uFF2E', 0}, // a full-width N is another key
            {U'N' + 0x10000, 0},
    };
    for (const auto &r : rows)
        EXPECT_EQ(selectionStep(r.key), r.step) << std::uint32_t(r.key);
}

} // namespace
} // namespace kormix
