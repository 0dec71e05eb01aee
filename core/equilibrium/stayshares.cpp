// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/stayshares.h"

#include "core/equilibrium/exactratio.h"

#include <algorithm>
#include <cmath>

namespace kormix {

void StayShares::layOut(std::int64_t hAtoms, std::int64_t dAtoms, double K)
{
    counts_.clear();
    firstHD_ = 0;
    hAtoms_ = hAtoms;
    dAtoms_ = dAtoms;
    const auto mode = mostProbableComposition(hAtoms, dAtoms, K);
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
    hdPairsOutside_ = h2d2PairsOutside_ = 0;
}

void StayShares::creditOutside(std::int32_t nHD, std::int64_t collisions)
{
    if (nHD < firstHD_)
        below_ += collisions;
    else
        above_ += collisions;
    const long double c = (long double) collisions, k = nHD;
    hdPairsOutside_ += c * k * (k - 1);
    h2d2PairsOutside_ += c * (long double) ((hAtoms_ - nHD) / 2)
                         * (long double) ((dAtoms_ - nHD) / 2);
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

std::optional<double> estimatedK(const StayShares &shares)
{
    using detail::UInt128;
    // Both sums exactly in whole numbers while they fit, and in extended
    // precision beside.
    UInt128 hdPairs = 0, h2d2Pairs = 0;
    bool exact = shares.collisionsBelow() == 0 && shares.collisionsAbove() == 0;
    long double hdPairsL = shares.hdPairsOutside(), h2d2PairsL = shares.h2d2PairsOutside();
    for (std::int64_t k = shares.firstHD(); k <= shares.lastHD(); k += 2) {
        const std::int64_t c = shares.collisionsAt(std::int32_t(k));
        if (c == 0)
            continue;
        const std::int64_t h2 = (shares.hAtoms() - k) / 2, d2 = (shares.dAtoms() - k) / 2;
        const auto a = detail::checkedProduct(UInt128(c), UInt128(k) * UInt128(k > 0 ? k - 1 : 0));
        const auto b = detail::checkedProduct(UInt128(c), UInt128(h2) * UInt128(d2));
        const auto sa = a ? detail::checkedSum(hdPairs, *a) : std::nullopt;
        const auto sb = b ? detail::checkedSum(h2d2Pairs, *b) : std::nullopt;
        exact = exact && sa && sb;
        if (exact) {
            hdPairs = *sa;
            h2d2Pairs = *sb;
        }
        hdPairsL += (long double) c * (long double) k * (long double) (k - 1);
        h2d2PairsL += (long double) c * (long double) h2 * (long double) d2;
    }
    if (!(h2d2PairsL > 0))
        return std::nullopt;
    if (exact)
        return detail::reducedQuotientToDouble(hdPairs, h2d2Pairs);
    return double(hdPairsL / h2d2PairsL);
}

} // namespace kormix
