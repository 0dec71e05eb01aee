#include "stayshares.h"

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
    const long double total = (long double) shares.total();
    long double sum = (long double) (shares.collisionsBelow() + shares.collisionsAbove()) / total;
    // Tallied compositions, each against its P (0 where not kept).
    for (std::int64_t k = shares.firstHD(); k <= shares.lastHD(); k += 2) {
        const std::int32_t hd = std::int32_t(k);
        const long double share = (long double) shares.collisionsAt(hd) / total;
        sum += fabsl(share - (long double) exact.probabilityOf(hd));
    }
    // Kept compositions the tally does not cover have a share of 0.
    for (const CompositionProbability &c : exact.kept) {
        if (c.counts.nHD < shares.firstHD() || c.counts.nHD > shares.lastHD())
            sum += (long double) c.p;
    }
    return double(sum / 2);
}

} // namespace kormix
