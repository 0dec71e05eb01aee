// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The exact theory at an equilibrium constant K below 4: the distribution
// N! / (nH2! nHD! nD2!) K^(nHD / 2) against whole-number weights worked out
// here, its most probable composition beside the one with the largest W,
// the engine's chances and approach at K, and the run's estimate of K.
#include "core/equilibrium/approach.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/stayshares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kormix {
namespace {

__extension__ typedef unsigned __int128 UInt128;

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();

// K as the fraction p / q, and as the double the program takes for it.
struct Fraction
{
    std::uint64_t p, q;
    double value() const { return double(p) / double(q); }
};

// The compositions of (h, d) atoms, lowest nHD first, with their weights
// N! / (nH2! nHD! nD2!) (p / q)^j, j counting the steps from the first
// composition, times q^(last j): whole numbers in the same ratios as the
// weights at K = p / q.
struct Weighed
{
    std::vector<Composition> counts;
    std::vector<UInt128> weight, w; // at K and the microstates W
    UInt128 sum = 0, sumK = 0, sumKK = 0;
};

UInt128 multinomial(int h2, int hd, int d2)
{
    // N! / (h2! hd! d2!) as a product of two binomials, each exact.
    auto binomial = [](int n, int r) {
        UInt128 c = 1;
        for (int i = 1; i <= r; ++i)
            c = c * UInt128(n - r + i) / UInt128(i);
        return c;
    };
    return binomial(h2 + hd + d2, h2) * binomial(hd + d2, hd);
}

UInt128 power(std::uint64_t base, int exponent)
{
    UInt128 x = 1;
    for (int i = 0; i < exponent; ++i)
        x *= base;
    return x;
}

Weighed weigh(int h, int d, Fraction K)
{
    Weighed e;
    const int steps = (std::min(h, d) - h % 2) / 2;
    for (int j = 0; j <= steps; ++j) {
        const int k = h % 2 + 2 * j;
        const Composition c{(h - k) / 2, k, (d - k) / 2};
        const UInt128 m = multinomial(c.nH2, c.nHD, c.nD2);
        e.counts.push_back(c);
        e.w.push_back(m << k);
        e.weight.push_back(m * power(K.p, j) * power(K.q, steps - j));
        e.sum += e.weight.back();
        e.sumK += e.weight.back() * UInt128(k);
        e.sumKK += e.weight.back() * UInt128(k) * UInt128(k);
    }
    return e;
}

long double ratio(UInt128 num, UInt128 den)
{
    return (long double) num / (long double) den;
}

std::size_t largest(const std::vector<UInt128> &values)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i] > values[best])
            best = i;
    return best;
}

TEST(ExactDistributionAtK, TheWeightsCarryKToTheHalfOfHD)
{
    const struct
    {
        int h, d;
        Fraction K;
    } systems[] = {
            {20, 20, {163, 50}},
            {12, 28, {163, 50}},
            {12, 28, {1, 2}},
            {2, 2, {163, 50}},
            {7, 9, {3, 1}},
            {20, 20, {1, 8}},
            {4, 8, {1, 1}},
            {40, 40, {1, 2}},
    };
    for (const auto &s : systems) {
        SCOPED_TRACE(testing::Message()
                     << s.h << " H, " << s.d << " D, K = " << s.K.p << '/' << s.K.q);
        const ExactDistribution e = exactDistribution(s.h, s.d, s.K.value());
        const Weighed x = weigh(s.h, s.d, s.K);
        ASSERT_EQ(e.kept.size(), x.weight.size());
        EXPECT_EQ(e.K, s.K.value());
        EXPECT_FALSE(e.exactWeights);
        for (std::size_t i = 0; i < x.weight.size(); ++i) {
            EXPECT_EQ(e.kept[i].counts, x.counts[i]);
            const long double p = ratio(x.weight[i], x.sum);
            EXPECT_NEAR(e.kept[i].p, p, 1e-15 * p);
            // ln W stays the logarithm of the microstates.
            EXPECT_NEAR(e.kept[i].lnW,
                        std::log((long double) x.w[i]),
                        1e-14 * e.kept[i].lnW + 1e-15);
        }
        EXPECT_EQ(e.mostProbable, largest(x.weight));
        EXPECT_EQ(e.mostMicrostates, x.counts[largest(x.w)]);
        const long double mean = ratio(x.sumK, x.sum);
        const long double variance = ratio(x.sumKK, x.sum) - mean * mean;
        EXPECT_NEAR(e.meanHD, mean, 1e-14 * mean);
        EXPECT_NEAR(e.sdHD, sqrtl(variance), 1e-13 * sqrtl(variance));
        EXPECT_NEAR(e.meanFraction, mean / e.nMolecules, 1e-14 * mean / e.nMolecules);
    }
}

TEST(ExactDistributionAtK, TwentyHAndTwentyDAtRoomTemperature)
{
    // K = 3.26 = 163/50: the most probable composition stays 5 H2 + 10 HD +
    // 5 D2, but the mean falls from 10.2564 HD to 9.73201.
    const ExactDistribution e = exactDistribution(20, 20, 3.26);
    EXPECT_EQ(e.mode().counts, (Composition{5, 10, 5}));
    EXPECT_EQ(e.mostMicrostates, (Composition{5, 10, 5}));
    EXPECT_EQ(std::lround(e.meanHD * 1e5), 973201);
    const Weighed x = weigh(20, 20, {163, 50});
    EXPECT_NEAR(e.meanHD, ratio(x.sumK, x.sum), 1e-14 * e.meanHD);

    // One H2 and one D2 spend K / (K + 2) of the time as 2 HD: 163/263.
    const ExactDistribution two = exactDistribution(2, 2, 3.26);
    EXPECT_NEAR(two.probabilityOf(2), 163.0 / 263, 1e-16);
    EXPECT_DOUBLE_EQ(exactDistribution(2, 2).probabilityOf(2), 2.0 / 3);
}

// Whether the weight of the composition after c (two HD more) is above c's
// at K = 1 / q: nH2 nD2 > q (k + 1)(k + 2), exactly.
bool nextWeighsMore(const Composition &c, std::uint64_t q)
{
    return UInt128(c.nH2) * UInt128(c.nD2) > UInt128(q) * UInt128(c.nHD + 1) * UInt128(c.nHD + 2);
}

TEST(ExactDistributionAtK, EnergyMovesTheMostProbableCompositionAwayFromTheLargestW)
{
    const struct
    {
        std::int64_t h, d;
        std::uint64_t q; // K = 1 / q
        Composition mode, largestW;
        bool tied;
    } cases[] = {
            {20, 20, 2, {7, 6, 7}, {5, 10, 5}, false},
            {12, 28, 2, {4, 4, 12}, {2, 8, 10}, false},
            {12, 28, 10, {5, 2, 13}, {2, 8, 10}, false},
            // Weights 15, 60 / 4 and 15 / 16: the tie goes to less HD.
            {4, 8, 4, {2, 0, 4}, {1, 2, 3}, true},
            {4, 8, 1, {1, 2, 3}, {1, 2, 3}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.h << " H, " << c.d << " D, K = 1/" << c.q);
        const double K = 1.0 / double(c.q);
        const ExactDistribution e = exactDistribution(c.h, c.d, K);
        EXPECT_EQ(e.mode().counts, c.mode);
        EXPECT_EQ(e.mostProbableTied, c.tied);
        EXPECT_EQ(e.mostMicrostates, c.largestW);
        EXPECT_EQ(mostProbableComposition(c.h, c.d, K), c.mode);
        EXPECT_EQ(mostProbableComposition(c.h, c.d), c.largestW);
    }
    // The largest systems, at the smallest K taken and at 1/8: the mode is
    // exact, the composition before it weighs less and the one after it
    // not more.
    for (const std::uint64_t q : {std::uint64_t(8), std::uint64_t(1024)}) {
        SCOPED_TRACE(q);
        const ExactDistribution e = exactDistribution(kMaxCount, kMaxCount, 1.0 / double(q));
        ASSERT_FALSE(e.empty());
        const Composition m = e.mode().counts;
        EXPECT_FALSE(nextWeighsMore(m, q));
        EXPECT_TRUE(nextWeighsMore({m.nH2 + 1, m.nHD - 2, m.nD2 + 1}, q));
        double sum = 0;
        for (const CompositionProbability &c : e.kept)
            sum += c.p;
        EXPECT_NEAR(sum, 1.0, 1e-12);
        // nHD^2 / (nH2 nD2) near K: the mean of a large system.
        const double f = e.meanHD / double(kMaxCount);
        EXPECT_NEAR(f * f / ((1 - f) / 2 * (1 - f) / 2), 1.0 / double(q), 1e-6);
        EXPECT_EQ(e.mostMicrostates, mostProbableComposition(kMaxCount, kMaxCount));
    }
}

TEST(ExactDistributionAtK, OnlyTheKsTheEngineCanReach)
{
    const double refused[] = {0, -1, 4.000000000000001, kSmallestK / 2, std::nan(""), 1e300};
    for (double K : refused) {
        SCOPED_TRACE(K);
        EXPECT_FALSE(reachableK(K));
        EXPECT_TRUE(exactDistribution(20, 20, K).empty());
        EXPECT_TRUE(engineStationaryDistribution(20, 20, K).empty());
        EXPECT_FALSE(mostProbableComposition(20, 20, K).has_value());
    }
    for (double K : {kSmallestK, 4.0, 3.26}) {
        EXPECT_TRUE(reachableK(K)) << K;
        EXPECT_FALSE(exactDistribution(20, 20, K).empty()) << K;
    }
    // Just below 4 the distribution is that of counting alone, to rounding.
    const ExactDistribution counting = exactDistribution(20, 20);
    const ExactDistribution below = exactDistribution(20, 20, std::nextafter(4.0, 0.0));
    ASSERT_TRUE(counting.exactWeights);
    for (std::size_t i = 0; i < counting.kept.size(); ++i)
        EXPECT_NEAR(below.kept[i].p, counting.kept[i].p, 1e-14 * counting.kept[i].p);
}

TEST(AcceptingDraws, KOverFourInWholeDrawsOfTwentyFourBits)
{
    const struct
    {
        double K;
        std::int64_t draws;
    } cases[] = {
            {4, 1 << 24},
            {2, 1 << 23},
            {3.26, 13673431}, // 3.26 * 2^22 = 13673431.04
            {kSmallestK, 4096},
            {0x1.000001p+1, (1 << 23) + 1}, // half a draw above 2^23: rounded up
            {std::nextafter(4.0, 0.0), 1 << 24},
    };
    for (const auto &c : cases)
        EXPECT_EQ(acceptingDraws(c.K), c.draws) << c.K;
}

TEST(ReactionProbabilitiesAtK, TheForwardReactionIsAcceptedKOverFourOfTheTime)
{
    // The theory's chances: an H2 + D2 meeting reacts K / 4 of the time.
    const double share = 3.26 / 4;
    const struct
    {
        Composition counts;
        double meeting; // an H2 meets a D2
    } cases[] = {
            {{10, 0, 10}, 200.0 / 380},
            {{5, 10, 5}, 50.0 / 380},
            {{1, 0, 1}, 1.0},
            {{0, 2, 0}, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.counts.nH2 << ' ' << c.counts.nHD);
        const ReactionProbabilities r = reactionProbabilities(c.counts, 3.26);
        const ReactionProbabilities counting = reactionProbabilities(c.counts);
        EXPECT_DOUBLE_EQ(r.forward, c.meeting * share);
        EXPECT_DOUBLE_EQ(r.h2d2Unreacted, c.meeting * (1 - share));
        EXPECT_EQ(counting.forward, c.meeting);
        EXPECT_EQ(counting.h2d2Unreacted, 0.0);
        // HD + HD meetings do not depend on K.
        EXPECT_EQ(r.hdMeeting, counting.hdMeeting);
        EXPECT_EQ(r.reverse, counting.reverse);
    }
}

TEST(EngineStationaryDistributionAtK, BalancesTheEnginesOwnChancesStepByStep)
{
    for (const double K : {3.26, 0.137, 1.0}) {
        for (const auto &atoms : {std::pair{20, 20}, std::pair{12, 28}, std::pair{1000, 1000}}) {
            SCOPED_TRACE(testing::Message()
                         << atoms.first << " H, " << atoms.second << " D, K " << K);
            const ExactDistribution engine = engineStationaryDistribution(atoms.first,
                                                                          atoms.second,
                                                                          K);
            const ExactDistribution theory = exactDistribution(atoms.first, atoms.second, K);
            ASSERT_EQ(engine.kept.size(), theory.kept.size());
            // The engine's own chances: its H2 + D2 draw accepts
            // acceptingDraws(K) of 2^24, its HD + HD coin 2^23 - 1 of them.
            const double n = double(engine.nMolecules);
            const double accept = double(acceptingDraws(K)) / double(kCoinDraws);
            const double coin = double(kCoinReacting) / double(kCoinDraws);
            for (std::size_t i = 0; i + 1 < engine.kept.size(); ++i) {
                const Composition &a = engine.kept[i].counts, &b = engine.kept[i + 1].counts;
                const double up = engine.kept[i].p * 2.0 * a.nH2 * a.nD2 / (n * (n - 1)) * accept;
                const double down = engine.kept[i + 1].p * double(b.nHD) * (b.nHD - 1)
                                    / (n * (n - 1)) * coin;
                EXPECT_NEAR(up, down, 1e-13 * up + 1e-300); // some are denormal
            }
            // The theory's rates balance over the theory's distribution.
            const ReactionProbabilities t = expectedRates(theory);
            EXPECT_NEAR(t.reverse, t.forward, 1e-14 * t.forward);
            EXPECT_NEAR(engine.meanHD, theory.meanHD, 1e-6 * theory.meanHD);
            EXPECT_EQ(engine.mostMicrostates, theory.mostMicrostates);
        }
    }
}

TEST(ExpectedApproachAtK, StartsWithTheAcceptanceAndEndsAtTheExactEquilibrium)
{
    const double K = 3.26;
    const ExpectedApproach a = expectedApproach({10, 0, 10},
                                                20'000,
                                                20'001,
                                                ApproachSpacing::Even,
                                                K);
    const double forward = reactionProbabilities({10, 0, 10}, K).forward;
    EXPECT_EQ(a.points[1].meanHD, 2 * forward);
    EXPECT_DOUBLE_EQ(a.points[1].sdHD, 2 * std::sqrt(forward * (1 - forward)));
    const ExactDistribution exact = exactDistribution(20, 20, K);
    EXPECT_NEAR(a.points.back().meanHD, exact.meanHD, 1e-11 * exact.meanHD);
    EXPECT_NEAR(a.points.back().sdHD, exact.sdHD, 1e-10 * exact.sdHD);
}

// Stays credited in proportion to the exact weights: the shares are then the
// exact distribution itself.
StayShares exactShares(int h, int d, Fraction K)
{
    const Weighed x = weigh(h, d, K);
    StayShares shares(h, d, K.value());
    for (std::size_t i = 0; i < x.weight.size(); ++i) {
        EXPECT_LT(x.weight[i], UInt128(1) << 62);
        shares.creditStay(x.counts[i].nHD, std::int64_t(x.weight[i]));
    }
    return shares;
}

TEST(EstimatedK, IsKExactlyUnderTheExactDistributionForAnySize)
{
    const struct
    {
        int h, d;
        Fraction K;
    } cases[] = {
            {2, 2, {163, 50}},
            {4, 4, {163, 50}},
            {20, 20, {9, 4}},
            {12, 28, {9, 4}},
            {12, 28, {4, 1}},
            {7, 9, {3, 1}},
            {3, 61, {163, 50}},
            {20, 20, {4, 1}},
            {30, 34, {1, 1}},
            {3, 5, {7, 5}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.h << " H, " << c.d << " D, K = " << c.K.p << '/' << c.K.q);
        EXPECT_EQ(estimatedK(exactShares(c.h, c.d, c.K)), c.K.value());
    }
    // Q of the most probable composition is no such estimate: 12 H + 28 D
    // atoms are most probably 2 H2 + 8 HD + 10 D2, Q = 3.2, at K = 4.
    const ExactDistribution skew = exactDistribution(12, 28);
    EXPECT_EQ(quotientOf(skew.mode().counts), 3.2);
    EXPECT_EQ(estimatedK(exactShares(12, 28, {4, 1})), 4.0);
}

TEST(EstimatedK, CountsEveryStayAndNeedsAMeetingOfH2AndD2)
{
    StayShares shares(4, 4); // nHD 0, 2, 4
    EXPECT_FALSE(estimatedK(shares).has_value());
    shares.creditStay(4, 10); // only HD: nothing to divide by
    EXPECT_FALSE(estimatedK(shares).has_value());
    shares.creditStay(0, 3); // 2 H2 + 2 D2: 3 * 4
    EXPECT_EQ(estimatedK(shares), 10.0 * 12 / 12);
    shares.creditStay(2, 5); // 1 + 2 + 1: 5 * 2 and 5 * 1
    EXPECT_EQ(estimatedK(shares), (10.0 * 12 + 5 * 2) / (12 + 5));

    // Stays outside the tally of a large system count too.
    StayShares large(kMaxCount, kMaxCount, 3.26);
    const std::int32_t inside = large.firstHD() + 2;
    const std::int64_t h2In = (kMaxCount - inside) / 2;
    large.creditStay(1, 7); // far below
    large.creditStay(inside, 2);
    const long double hdPairs = 2.0L * inside * (inside - 1);
    const long double h2d2 = 7.0L * (kMaxCount - 1) / 2 * ((kMaxCount - 1) / 2)
                             + 2.0L * h2In * h2In;
    EXPECT_GT(large.collisionsBelow(), 0);
    EXPECT_NEAR(*estimatedK(large), double(hdPairs / h2d2), 1e-15 * double(hdPairs / h2d2));
}

} // namespace
} // namespace kormix
