// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/stayshares.h"

#include <algorithm>
#include <cmath>

namespace kormix {

void StayShares::layOut(std::int64_t hAtoms, std::int64_t dAtoms)
{
    counts_.clear();
    firstHD_ = 0;
    const auto mode = mostProbableComposition(hAtoms, dAtoms);
    if (mode) {
        const std::int64_t first = hAtoms % 2;
        const std::int64_t count = (std::min(hAtoms, dAtoms) - first) / 2 + 1;
        std::int64_t lo = 0, size = count;
        if (count > kDenseLimit) {
            const std::int64_t modeIndex = (mode->nHD - first) / 2;
            lo = std::clamp(modeIndex - kDenseLimit / 2, std::int64_t(0), count - kDenseLimit);
            size = kDenseLimit;
        }
        firstHD_ = first + 2 * lo;
        counts_.resize(std::size_t(size));
    }
    reset();
}

void StayShares::reset()
{
    std::fill(counts_.begin(), counts_.end(), 0);
    below_ = above_ = total_ = 0;
}

std::int64_t StayShares::collisionsAt(std::int32_t nHD) const
{
    const std::uint64_t i = std::uint64_t(std::int64_t(nHD) - firstHD_) >> 1;
    return i < counts_.size() ? counts_[i] : 0;
}

double StayShares::shareAt(std::int32_t nHD) const
{
    return total_ > 0 ? double(collisionsAt(nHD)) / double(total_) : 0.0;
}

std::optional<double> totalVariation(const StayShares &shares, const ExactDistribution &exact)
{
    if (shares.total() <= 0)
        return std::nullopt;
    // Both sides sum to 1, so 1/2 sum |share - P| = 1 - sum min(share, P),
    // and only compositions with P > 0, the kept ones, take part: the stays
    // anywhere else count in full without being visited.
    const long double total = (long double) shares.total();
    long double common = 0;
    for (const CompositionProbability &c : exact.kept) {
        const long double share = (long double) shares.collisionsAt(c.counts.nHD) / total;
        common += std::min(share, (long double) c.p);
    }
    return double(std::max(0.0L, 1.0L - common));
}

} // namespace kormix
