// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/summaries.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kormix {

namespace {

std::array<std::int64_t, 4> asArray(const ReactionCounts &counts)
{
    return {counts.forward, counts.reverse, counts.hdUnreacted, counts.h2d2Unreacted};
}

} // namespace

Moments lnWMoments(const ExactDistribution &exact)
{
    double mean = 0, square = 0;
    for (const CompositionProbability &c : exact.kept) {
        mean += c.p * c.lnW;
        square += c.p * c.lnW * c.lnW;
    }
    return {mean, std::sqrt(std::max(0.0, square - mean * mean))};
}

std::optional<Moments> observedFractionMoments(const StayShares &shares, std::int64_t molecules)
{
    const double total = double(shares.total() - shares.collisionsBelow()
                                - shares.collisionsAbove());
    if (!(total > 0) || molecules <= 0)
        return std::nullopt;
    const double n = double(molecules);
    double sum = 0, square = 0;
    for (std::int32_t hd = shares.firstHD(); hd <= shares.lastHD(); hd += 2) {
        const double c = double(shares.collisionsAt(hd));
        if (c == 0)
            continue;
        const double x = hd / n;
        sum += c * x;
        square += c * x * x;
    }
    const double mean = sum / total;
    return Moments{mean, std::sqrt(std::max(0.0, square / total - mean * mean))};
}

bool sameAtoms(const Composition &a, const Composition &b)
{
    return a.molecules() == b.molecules()
           && 2 * std::int64_t(a.nH2) + a.nHD == 2 * std::int64_t(b.nH2) + b.nHD;
}

std::int64_t approachLength(std::int64_t molecules, std::int64_t compositions, std::int64_t shown)
{
    const double wanted = std::max({1000.0, 20.0 * double(molecules), double(shown)});
    const double c = double(std::max<std::int64_t>(compositions, 1));
    const double budget = c * c / 2 >= kApproachBudget ? std::sqrt(2 * kApproachBudget)
                                                       : c + (kApproachBudget - c * c / 2) / c;
    return std::int64_t(std::min(wanted, budget));
}

const ExpectedApproach &ShownApproach::covering(const Composition &start,
                                                double K,
                                                std::int64_t shown,
                                                ApproachSpacing spacing)
{
    const Key key{start, K, spacing};
    const std::int64_t h = 2 * std::int64_t(start.nH2) + start.nHD;
    const std::int64_t d = 2 * std::int64_t(start.nD2) + start.nHD;
    const std::int64_t compositions = (std::min(h, d) - h % 2) / 2 + 1;
    const std::int64_t n = start.molecules();
    if (key_ == key && approachLength(n, compositions, shown) <= length_)
        return approach_;
    key_ = key;
    const std::int64_t ahead = shown > std::numeric_limits<std::int64_t>::max() / 4 ? shown
                                                                                    : 4 * shown;
    length_ = approachLength(n, compositions, ahead);
    approach_ = expectedApproach(start, length_, kSamples, spacing, K);
    return approach_;
}

const RecentRates::Rates &RecentRates::look(const ReactionCounts &counts, std::int64_t collisions)
{
    const std::array<std::int64_t, 4> now = asArray(counts);
    const std::array<std::int64_t, 4> before = asArray(last_);
    bool newRun = lastCollisions_ < 0 || collisions < lastCollisions_;
    for (std::size_t i = 0; i < now.size(); ++i)
        newRun = newRun || now[i] < before[i];
    const std::int64_t interval = collisions - (newRun ? 0 : lastCollisions_);
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (interval > 0)
            rates_[i] = double(now[i] - (newRun ? 0 : before[i])) / double(interval);
        else if (newRun)
            rates_[i].reset();
    }
    last_ = counts;
    lastCollisions_ = collisions;
    return rates_;
}

} // namespace kormix
