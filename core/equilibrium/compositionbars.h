// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The bars of the compositions chart: which compositions are worth drawing,
// how many neighbours share a bar when there are too many for the chart's
// width, and what the probability axis must span.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/stayshares.h"

#include <cstdint>
#include <vector>

namespace kormix {

// One bar: its edges on the HD fraction axis, and the mean exact P and mean
// share of collisions of the compositions it stands for.
struct CompositionBar
{
    double left = 0;
    double right = 0;
    double p = 0;
    double share = 0;
};

struct CompositionBars
{
    // In increasing HD fraction; none for a system without molecules.
    std::vector<CompositionBar> bars;
    // Compositions per bar (the last bar may have fewer).
    std::int64_t group = 1;
    // Compositions whose P is negligible and that no bar shows.
    std::int64_t notKept = 0;
    // Bars of a few pixels or less touch and are drawn as one staircase:
    // drawn apart, their edges would cover the chart in black.
    bool touching = false;
    // What the bars stand on: 0, or on a logarithmic axis half the smallest
    // positive value shown.
    double base = 0;
    // The largest P or share shown.
    double top = 0;
    // The base line under all the bars, half a composition beyond them.
    double baseLeft = 0;
    double baseRight = 0;
    // The HD fractions the chart shows: the base line's, within 0 and 1.
    double xLow = 0;
    double xHigh = 1;
};

// At most this many bars; a larger range of compositions is shown in groups
// of neighbours (every point of a chart costs a little at every refresh).
inline constexpr std::int64_t kMaxBars = 400;

// The bars of the compositions worth drawing for a plot `plotWidth` pixels
// wide. On a linear axis those are the compositions whose bar or outline
// would show (P at least 1e-6 of the largest, or a share at least 1e-3 of the
// largest P or share); on a logarithmic one those not vanishingly rare (P at
// least 1e-12 of the largest) and every one the run has met. Between the
// first and the last of them every composition is drawn.
CompositionBars compositionBars(const ExactDistribution &exact,
                                const StayShares &shares,
                                bool logarithmic,
                                int plotWidth);

// A logarithmic probability axis for the bars: from their base to twice
// their top (at least ten times the base), with a tick every `base` powers,
// so that it shows at most about six ticks.
struct LogAxis
{
    double low = 1e-6;
    double high = 1;
    double base = 10;
};
LogAxis logAxisFor(const CompositionBars &bars);

} // namespace kormix
