// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/approach.h"

#include "core/equilibrium/reactions.h"

#include <algorithm>
#include <cmath>

namespace kormix {

namespace {

// State updates for t collisions from index `start` of `count`
// compositions: step s updates the band of width 1 + min(s, left) +
// min(s, right).
std::int64_t workFor(std::int64_t t, std::int64_t left, std::int64_t right)
{
    auto sumMin = [t](std::int64_t room) {
        // sum over s = 1..t of min(s, room)
        if (t <= room)
            return t * (t + 1) / 2;
        return room * (room + 1) / 2 + (t - room) * room;
    };
    return t + sumMin(left) + sumMin(right);
}

std::int64_t horizonFor(std::int64_t maxCollisions, std::int64_t left, std::int64_t right)
{
    std::int64_t lo = 0, hi = std::min(maxCollisions, kApproachWork);
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo + 1) / 2;
        if (workFor(mid, left, right) <= kApproachWork)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

std::vector<std::int64_t> sampleTimes(std::int64_t horizon, int samples, ApproachSpacing spacing)
{
    samples = std::max(samples, 2);
    std::vector<std::int64_t> times{0};
    for (int j = 1; j < samples; ++j) {
        const double f = double(j) / double(samples - 1);
        const double at = spacing == ApproachSpacing::Even
                                  ? f * double(horizon)
                                  : std::pow(double(horizon) + 1.0, f) - 1.0;
        std::int64_t t = std::llround(at);
        if (spacing == ApproachSpacing::Geometric)
            t = std::max(t, times.back() + 1);
        t = std::min(t, horizon);
        if (t > times.back())
            times.push_back(t);
    }
    return times;
}

// The compositions of the start's atoms, and the start's place among them.
struct Range
{
    std::int64_t h = 0, d = 0, first = 0, count = 0, startIndex = 0;
};

Range rangeOf(const Composition &start)
{
    Range r;
    r.h = 2 * std::int64_t(start.nH2) + start.nHD;
    r.d = 2 * std::int64_t(start.nD2) + start.nHD;
    r.first = r.h % 2;
    r.count = (std::min(r.h, r.d) - r.first) / 2 + 1;
    r.startIndex = (start.nHD - r.first) / 2;
    return r;
}

} // namespace

std::int64_t approachHorizon(const Composition &start, std::int64_t maxCollisions)
{
    if (start.nH2 < 0 || start.nHD < 0 || start.nD2 < 0)
        return 0;
    const Range r = rangeOf(start);
    return horizonFor(std::max<std::int64_t>(maxCollisions, 0),
                      r.startIndex,
                      r.count - 1 - r.startIndex);
}

ExpectedApproach expectedApproach(const Composition &start,
                                  std::int64_t maxCollisions,
                                  int samples,
                                  ApproachSpacing spacing,
                                  double K)
{
    ExpectedApproach result;
    if (start.nH2 < 0 || start.nHD < 0 || start.nD2 < 0)
        return result;
    const Range range = rangeOf(start);
    const std::int64_t h = range.h, d = range.d, first = range.first, count = range.count;
    const std::int64_t startIndex = range.startIndex;
    const std::int64_t n = start.molecules();

    result.horizon = approachHorizon(start, maxCollisions);
    result.limitedByWork = result.horizon < maxCollisions;
    const std::vector<std::int64_t> times = sampleTimes(result.horizon, samples, spacing);
    // With a single composition (or a single molecule) nothing ever moves.
    if (count == 1 || n < 2) {
        for (std::int64_t t : times)
            result.points.push_back({t, double(start.nHD), 0.0});
        return result;
    }

    // Transition probabilities of each composition the horizon can reach,
    // with one empty composition at either end so that a step needs no
    // tests at the edges.
    const std::int64_t lo = std::max<std::int64_t>(0, startIndex - result.horizon);
    const std::int64_t hi = std::min(count - 1, startIndex + result.horizon);
    const std::size_t size = std::size_t(hi - lo + 1) + 2;
    std::vector<double> up(size, 0.0), down(size, 0.0), stay(size, 0.0);
    // The theory's chances, as the window and the files call them exact.
    for (std::size_t j = 1; j + 1 < size; ++j) {
        const std::int64_t k = first + 2 * (lo + std::int64_t(j) - 1);
        const Composition c{std::int32_t((h - k) / 2), std::int32_t(k), std::int32_t((d - k) / 2)};
        const ReactionProbabilities r = reactionProbabilities(c, K);
        up[j] = r.forward;
        down[j] = r.reverse;
        stay[j] = 1 - r.forward - r.reverse;
    }

    // p is zero outside the band [bandLo, bandHi], which widens by one
    // composition each way per collision. Deviations are taken from the
    // start to keep the sums accurate for large counts.
    std::vector<double> p(size, 0.0), next(size, 0.0);
    const std::int64_t s0 = startIndex - lo + 1;
    p[std::size_t(s0)] = 1;
    std::int64_t bandLo = s0, bandHi = s0;
    std::size_t nextSample = 0;
    for (std::int64_t t = 0;; ++t) {
        if (nextSample < times.size() && times[nextSample] == t) {
            long double m1 = 0, m2 = 0;
            for (std::int64_t j = bandLo; j <= bandHi; ++j) {
                const long double dk = 2.0L * (long double) (j - s0);
                m1 += (long double) p[std::size_t(j)] * dk;
                m2 += (long double) p[std::size_t(j)] * dk * dk;
            }
            const long double variance = std::max(0.0L, m2 - m1 * m1);
            result.points.push_back(
                    {t, double((long double) start.nHD + m1), double(sqrtl(variance))});
            ++nextSample;
        }
        if (t == result.horizon)
            break;
        bandLo = std::max<std::int64_t>(1, bandLo - 1);
        bandHi = std::min<std::int64_t>(std::int64_t(size) - 2, bandHi + 1);
        const double *from = p.data();
        double *to = next.data();
        for (std::int64_t j = bandLo; j <= bandHi; ++j)
            to[j] = from[j] * stay[std::size_t(j)] + from[j - 1] * up[std::size_t(j - 1)]
                    + from[j + 1] * down[std::size_t(j + 1)];
        std::swap(p, next);
    }
    return result;
}

} // namespace kormix
