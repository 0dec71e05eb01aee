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
    // The theory: an H2 + D2 pair reacts with probability K / 4 (always with
    // statistics only), an HD + HD pair with probability 1/2. The engine's
    // draws come within 2^-25 of these; the guide tells the difference.
    const double meetingH2D2 = detail::quotientToDouble(2 * h2 * d2, pairs);
    r.forward = meetingH2D2 * (K / 4);
    // 1 - K / 4 is exact from K = 2 up: one rounding, as for the forward chance.
    r.h2d2Unreacted = meetingH2D2 * (1 - K / 4);
    r.hdMeeting = detail::quotientToDouble(hdPairs, pairs);
    r.reverse = detail::quotientToDouble(hdPairs, 2 * pairs);
    r.hdUnreacted = r.reverse;
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
