// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/compositionbars.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace kormix {

namespace {

// The first and last index in exact.kept of the compositions worth drawing.
std::pair<std::size_t, std::size_t> shownRange(const ExactDistribution &exact,
                                               const StayShares &shares,
                                               bool logarithmic)
{
    const double pMax = exact.mode().p;
    double shareMax = 0;
    for (const CompositionProbability &c : exact.kept)
        shareMax = std::max(shareMax, shares.shareAt(c.counts.nHD));
    const double pFloor = logarithmic ? 1e-12 * pMax : 1e-6 * pMax;
    const double shareFloor = logarithmic ? 0 : 1e-3 * std::max(pMax, shareMax);
    std::size_t first = exact.kept.size(), last = 0;
    for (std::size_t i = 0; i < exact.kept.size(); ++i) {
        const CompositionProbability &c = exact.kept[i];
        const double share = shares.shareAt(c.counts.nHD);
        if (c.p >= pFloor || (share > 0 && share >= shareFloor)) {
            first = std::min(first, i);
            last = i;
        }
    }
    return {first, last};
}

// The bars stand on 0, or on a logarithmic axis on half the smallest
// positive value shown.
void placeBase(CompositionBars &out, bool logarithmic, double pMax)
{
    for (const CompositionBar &b : out.bars)
        out.top = std::max({out.top, b.p, b.share});
    if (!logarithmic)
        return;
    double smallest = pMax;
    for (const CompositionBar &b : out.bars) {
        if (b.p > 0)
            smallest = std::min(smallest, b.p);
        if (b.share > 0)
            smallest = std::min(smallest, b.share);
    }
    out.base = std::max(smallest / 2, std::numeric_limits<double>::min());
}

} // namespace

CompositionBars compositionBars(const ExactDistribution &exact,
                                const StayShares &shares,
                                bool logarithmic,
                                int plotWidth)
{
    CompositionBars out;
    if (exact.empty() || exact.nMolecules <= 0)
        return out;
    const auto [first, last] = shownRange(exact, shares, logarithmic);
    const std::int64_t count = std::int64_t(last - first + 1);
    out.group = (count + kMaxBars - 1) / kMaxBars;
    out.notKept = exact.compositionCount() - std::int64_t(exact.kept.size());
    const std::int64_t barCount = (count + out.group - 1) / out.group;
    out.touching = barCount * 5 > std::max(1, plotWidth);

    const double n = double(exact.nMolecules);
    const double step = 2.0 / n; // between neighbouring compositions
    const double half = (out.touching ? 0.5 : 0.4) * step;
    for (std::size_t i = first; i <= last; i += std::size_t(out.group)) {
        const std::size_t end = std::min(last + 1, i + std::size_t(out.group));
        double p = 0, share = 0;
        for (std::size_t j = i; j < end; ++j) {
            p += exact.kept[j].p;
            share += shares.shareAt(exact.kept[j].counts.nHD);
        }
        const double members = double(end - i);
        out.bars.push_back({exact.kept[i].counts.nHD / n - half,
                            exact.kept[end - 1].counts.nHD / n + half,
                            p / members,
                            share / members});
    }
    placeBase(out, logarithmic, exact.mode().p);
    out.baseLeft = out.bars.front().left - step / 2;
    out.baseRight = out.bars.back().right + step / 2;
    out.xLow = std::max(0.0, out.baseLeft);
    out.xHigh = std::min(1.0, out.baseRight);
    return out;
}

LogAxis logAxisFor(const CompositionBars &bars)
{
    LogAxis axis;
    if (bars.bars.empty())
        return axis;
    axis.low = bars.base;
    axis.high = std::max(bars.top * 2, bars.base * 10);
    const double decades = std::log10(axis.high / axis.low);
    axis.base = std::pow(10.0, std::max(1.0, std::ceil(decades / 6)));
    return axis;
}

} // namespace kormix
