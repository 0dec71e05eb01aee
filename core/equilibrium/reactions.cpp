// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/reactions.h"

#include "core/equilibrium/exactratio.h"

namespace kormix {

using detail::UInt128;

ReactionProbabilities reactionProbabilities(const Composition &counts, double K)
{
    ReactionProbabilities r;
    const std::int64_t n = counts.molecules();
    if (n < 2)
        return r;
    // Every numerator and denominator is a whole number well inside 128
    // bits, so each probability is one rational rounded to double.
    const UInt128 pairs = UInt128(n) * UInt128(n - 1);
    const UInt128 h2 = UInt128(std::uint64_t(counts.nH2));
    const UInt128 d2 = UInt128(std::uint64_t(counts.nD2));
    const UInt128 hd = UInt128(std::uint64_t(counts.nHD));
    const UInt128 hdPairs = counts.nHD > 0 ? hd * (hd - 1) : 0;
    const UInt128 draws = UInt128(kCoinDraws);
    const UInt128 accepting = UInt128(acceptingDraws(K));
    r.forward = detail::reducedQuotientToDouble(2 * h2 * d2 * accepting, pairs * draws);
    r.h2d2Unreacted = detail::reducedQuotientToDouble(2 * h2 * d2 * (draws - accepting),
                                                      pairs * draws);
    r.hdMeeting = detail::quotientToDouble(hdPairs, pairs);
    r.reverse = detail::quotientToDouble(hdPairs * UInt128(kCoinReacting), pairs * draws);
    r.hdUnreacted = detail::quotientToDouble(hdPairs * UInt128(kCoinDraws - kCoinReacting),
                                             pairs * draws);
    return r;
}

ReactionProbabilities expectedRates(const ExactDistribution &distribution)
{
    long double forward = 0, meeting = 0, reverse = 0, unreacted = 0, h2d2Unreacted = 0;
    for (const CompositionProbability &c : distribution.kept) {
        const ReactionProbabilities r = reactionProbabilities(c.counts, distribution.K);
        forward += (long double) c.p * r.forward;
        meeting += (long double) c.p * r.hdMeeting;
        reverse += (long double) c.p * r.reverse;
        unreacted += (long double) c.p * r.hdUnreacted;
        h2d2Unreacted += (long double) c.p * r.h2d2Unreacted;
    }
    return {double(forward),
            double(meeting),
            double(reverse),
            double(unreacted),
            double(h2d2Unreacted)};
}

} // namespace kormix
