// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/approach.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/runseries.h"
#include "core/equilibrium/stayshares.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"
#include "tests/core/microstates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kormix {
namespace {

using test::microstates;
using test::UInt128;

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The W of every composition of (h, d) atoms, lowest nHD first.
struct Enumerated
{
    std::vector<Composition> counts;
    std::vector<UInt128> w;
    UInt128 sum = 0, sumK = 0;
};

Enumerated enumerate(int h, int d)
{
    Enumerated e;
    for (int k = h % 2; k <= std::min(h, d); k += 2) {
        const Composition c{(h - k) / 2, k, (d - k) / 2};
        e.counts.push_back(c);
        e.w.push_back(microstates(c.nH2, c.nHD, c.nD2));
        e.sum += e.w.back();
        e.sumK += e.w.back() * UInt128(k);
    }
    return e;
}

// A double correctly rounded from num / den, both exact as doubles.
double rational(UInt128 num, UInt128 den)
{
    EXPECT_LE(num, UInt128(1) << 53);
    EXPECT_LE(den, UInt128(1) << 53);
    return double(num) / double(den);
}

TEST(ExactDistribution, WorkedExamples)
{
    // 2 H2 + 2 D2: W = 6, 48, 16 for nHD = 0, 2, 4.
    const ExactDistribution small = exactDistribution(4, 4);
    ASSERT_EQ(small.kept.size(), 3u);
    EXPECT_TRUE(small.exactWeights);
    EXPECT_EQ(small.kept[0].p, 3.0 / 35);
    EXPECT_EQ(small.kept[1].p, 24.0 / 35);
    EXPECT_EQ(small.kept[2].p, 8.0 / 35);
    EXPECT_EQ(small.kept[0].counts, (Composition{2, 0, 2}));
    EXPECT_EQ(small.kept[2].counts, (Composition{0, 4, 0}));
    EXPECT_DOUBLE_EQ(small.kept[0].lnW, std::log(6.0));
    EXPECT_DOUBLE_EQ(small.kept[1].lnW, std::log(48.0));
    EXPECT_DOUBLE_EQ(small.kept[2].lnW, std::log(16.0));
    // Mean 16/7, variance 32/5 - (16/7)^2 = 288/245.
    EXPECT_EQ(small.meanHD, 16.0 / 7);
    EXPECT_EQ(small.meanFraction, 4.0 / 7);
    EXPECT_DOUBLE_EQ(small.sdHD, std::sqrt(288.0 / 245));
    EXPECT_DOUBLE_EQ(small.sdFraction, std::sqrt(288.0 / 245) / 4);
    EXPECT_EQ(small.mode().counts, (Composition{1, 2, 1}));

    // 10 H2 + 10 D2: the most probable composition is 5, 10, 5, but the
    // mean lies above 10 HD.
    const ExactDistribution twenty = exactDistribution(20, 20);
    const CompositionProbability *c = twenty.find(10);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->counts, (Composition{5, 10, 5}));
    EXPECT_EQ(std::lround(c->p * 1e5), 34586);
    EXPECT_EQ(std::lround(twenty.meanHD * 1e4), 102564);
    EXPECT_EQ(&twenty.mode(), c);
    EXPECT_EQ(quotientOf(twenty.mode().counts), 4.0);

    // 12 H and 28 D atoms.
    const ExactDistribution skew = exactDistribution(12, 28);
    EXPECT_EQ(skew.mode().counts, (Composition{2, 8, 10}));
    EXPECT_EQ(quotientOf(skew.mode().counts), 3.2);
    EXPECT_FALSE(skew.mostProbableTied);
    EXPECT_EQ(mostProbableComposition(12, 28), (Composition{2, 8, 10}));
}

TEST(ExactDistribution, ExactRationalsOfSmallSystems)
{
    const int systems[][2] = {{4, 4},
                              {20, 20},
                              {12, 28},
                              {3, 5},
                              {1, 1},
                              {2, 0},
                              {0, 6},
                              {0, 0},
                              {7, 9},
                              {9, 9},
                              {22, 2},
                              {11, 25},
                              {16, 16}};
    for (const auto &s : systems) {
        const int h = s[0], d = s[1];
        SCOPED_TRACE(std::to_string(h) + " H, " + std::to_string(d) + " D");
        const ExactDistribution e = exactDistribution(h, d);
        const Enumerated x = enumerate(h, d);
        const int n = (h + d) / 2;
        ASSERT_EQ(e.kept.size(), x.w.size());
        EXPECT_EQ(e.compositionCount(), std::int64_t(x.w.size()));
        EXPECT_TRUE(e.exactWeights);
        EXPECT_EQ(e.nMolecules, n);
        EXPECT_EQ(e.firstHD, x.counts.front().nHD);
        EXPECT_EQ(e.lastHD, x.counts.back().nHD);
        double sum = 0;
        std::size_t best = 0;
        for (std::size_t i = 0; i < x.w.size(); ++i) {
            EXPECT_EQ(e.kept[i].counts, x.counts[i]);
            EXPECT_EQ(e.kept[i].p, rational(x.w[i], x.sum));
            EXPECT_DOUBLE_EQ(e.kept[i].lnW, std::log(double(x.w[i])));
            sum += e.kept[i].p;
            if (x.w[i] > x.w[best])
                best = i;
        }
        EXPECT_NEAR(sum, 1.0, 1e-15); // a sum of rounded terms
        EXPECT_EQ(e.mostProbable, best);
        EXPECT_EQ(e.meanHD, rational(x.sumK, x.sum));
        if (n > 0) {
            EXPECT_EQ(e.meanFraction, rational(x.sumK, x.sum * UInt128(n)));
        }
    }
}

TEST(ExactDistribution, TiesGoToTheCompositionWithLessHD)
{
    // 4 H and 8 D atoms: W(1, 2, 3) = W(0, 4, 2) = 240.
    const ExactDistribution e = exactDistribution(4, 8);
    EXPECT_EQ(e.mode().counts, (Composition{1, 2, 3}));
    EXPECT_TRUE(e.mostProbableTied);
    EXPECT_EQ(e.kept[1].p, e.kept[2].p);
    EXPECT_TRUE(detail::exactDistributionInLogSpace(4, 8).mostProbableTied);
    EXPECT_FALSE(exactDistribution(20, 20).mostProbableTied);
}

TEST(ExactDistribution, AtomsNoCompositionHolds)
{
    const std::int64_t cases[][2] = {{3, 4},
                                     {-2, 4},
                                     {4, -2},
                                     {kMaxCount + 1, 1},
                                     {1, kMaxCount + 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c[0]) + " H, " + std::to_string(c[1]) + " D");
        const ExactDistribution e = exactDistribution(c[0], c[1]);
        EXPECT_TRUE(e.empty());
        EXPECT_EQ(e.compositionCount(), 0);
        EXPECT_EQ(e.probabilityOf(0), 0.0);
        EXPECT_TRUE(engineStationaryDistribution(c[0], c[1]).empty());
        EXPECT_FALSE(mostProbableComposition(c[0], c[1]).has_value());
    }
}

TEST(ExactDistribution, LogSpaceAgreesWithWholeNumbers)
{
    const int systems[][2] = {{20, 20}, {12, 28}, {3, 5}, {41, 39}, {60, 60}, {1, 99}};
    for (const auto &s : systems) {
        SCOPED_TRACE(std::to_string(s[0]) + " H, " + std::to_string(s[1]) + " D");
        const ExactDistribution exact = exactDistribution(s[0], s[1]);
        const ExactDistribution logs = detail::exactDistributionInLogSpace(s[0], s[1]);
        ASSERT_TRUE(exact.exactWeights);
        ASSERT_FALSE(logs.exactWeights);
        ASSERT_EQ(logs.kept.size(), exact.kept.size());
        for (std::size_t i = 0; i < exact.kept.size(); ++i) {
            EXPECT_EQ(logs.kept[i].counts, exact.kept[i].counts);
            EXPECT_NEAR(logs.kept[i].p, exact.kept[i].p, 1e-15 * exact.kept[i].p);
            EXPECT_NEAR(logs.kept[i].lnW,
                        exact.kept[i].lnW,
                        1e-14 * std::max(1.0, exact.kept[i].lnW));
        }
        EXPECT_EQ(logs.mostProbable, exact.mostProbable);
        EXPECT_NEAR(logs.meanHD, exact.meanHD, 1e-14 * exact.meanHD);
        EXPECT_NEAR(logs.sdHD, exact.sdHD, 1e-13 * exact.sdHD);
        EXPECT_NEAR(logs.meanFraction, exact.meanFraction, 1e-15);
        EXPECT_NEAR(logs.sdFraction, exact.sdFraction, 1e-15);
    }
}

// Whether W(k + 2) > W(k) for the composition c of nHD = k, exactly.
bool nextIsMoreProbable(const Composition &c)
{
    return UInt128(4) * UInt128(c.nH2) * UInt128(c.nD2) > UInt128(c.nHD + 1) * UInt128(c.nHD + 2);
}

TEST(ExactDistribution, LargeSystemsKeepWhatIsNotNegligible)
{
    struct Case
    {
        std::int64_t h, d;
        bool allKept;
    };
    // 1000 molecules keep all 501 compositions; the largest system the data
    // model allows (2^31 - 1 molecules) keeps those within 1e-18 of the mode.
    const Case cases[] = {{1000, 1000, true},
                          {kMaxCount, kMaxCount, false},
                          {kMaxCount - 1, kMaxCount - 1, false},
                          {1000001, 3000001, false},
                          {2, kMaxCount - 1, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + " H, " + std::to_string(c.d) + " D");
        const ExactDistribution e = exactDistribution(c.h, c.d);
        ASSERT_FALSE(e.empty());
        EXPECT_EQ(e.nMolecules, (c.h + c.d) / 2);
        EXPECT_EQ(std::int64_t(e.kept.size()) == e.compositionCount(), c.allKept);
        double sum = 0;
        for (const CompositionProbability &k : e.kept) {
            sum += k.p;
            EXPECT_EQ(2 * std::int64_t(k.counts.nH2) + k.counts.nHD, c.h);
            EXPECT_EQ(2 * std::int64_t(k.counts.nD2) + k.counts.nHD, c.d);
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
        // The mode, exactly: the composition before it is less probable and
        // the one after it not more.
        const Composition mode = e.mode().counts;
        EXPECT_EQ(mostProbableComposition(c.h, c.d), mode);
        EXPECT_FALSE(nextIsMoreProbable(mode));
        if (mode.nHD > e.firstHD) {
            EXPECT_TRUE(nextIsMoreProbable({mode.nH2 + 1, mode.nHD - 2, mode.nD2 + 1}));
        }
        // Where the kept range ends inside the whole range, the next
        // composition out falls below 1e-18 of the mode.
        const double lnCut = std::log(kNegligible);
        const double lnMode = e.mode().lnW;
        const CompositionProbability &lo = e.kept.front(), &hi = e.kept.back();
        if (!c.allKept) {
            EXPECT_GE(lo.lnW - lnMode, lnCut);
            EXPECT_GE(hi.lnW - lnMode, lnCut);
            EXPECT_GT(lo.counts.nHD, e.firstHD);
            EXPECT_LT(hi.counts.nHD, e.lastHD);
            // ln of W(k) / W(k - 2) at either end.
            auto lnStepUp = [](const Composition &k) {
                return std::log(4.0 * (k.nH2 + 1.0) * (k.nD2 + 1.0) / ((k.nHD - 1.0) * k.nHD));
            };
            EXPECT_LT(lo.lnW - lnStepUp(lo.counts) - lnMode, lnCut);
            const Composition past{hi.counts.nH2 - 1, hi.counts.nHD + 2, hi.counts.nD2 - 1};
            EXPECT_LT(hi.lnW + lnStepUp(past) - lnMode, lnCut);
            EXPECT_GT(lo.p, 0.9e-18 * e.mode().p);
        }
    }
    // For H = D the spread of nHD is sqrt(N) / 2 to a part in N, the mean
    // N / 2 to within one molecule.
    const ExactDistribution huge = exactDistribution(kMaxCount, kMaxCount);
    EXPECT_EQ(huge.nMolecules, kMaxCount);
    EXPECT_NEAR(huge.meanHD, kMaxCount / 2.0, 1.0);
    EXPECT_NEAR(huge.sdHD, std::sqrt(double(kMaxCount)) / 2, 1e-4);
    EXPECT_NEAR(huge.meanFraction, 0.5, 1e-9);
    const Composition m = huge.mode().counts;
    EXPECT_NEAR(huge.mode().lnW, LnW(m.nH2, m.nD2, m.nHD), 1e-15 * huge.mode().lnW);
}

TEST(ExactDistribution, QuotientOfCounts)
{
    struct Case
    {
        Composition counts;
        double q;
    };
    const Case cases[] = {
            {{5, 10, 5}, 4.0},
            {{2, 8, 10}, 3.2},
            {{10, 0, 10}, 0.0},
            {{3, 1, 7}, 1.0 / 21},
            {{0, 2, 0}, kInfinity},
            {{1, 5, 0}, kInfinity},
            {{0, 5, 1}, kInfinity},
            {{0, 0, 0}, kInfinity},
            {{1073741823, 1, 0}, kInfinity},
    };
    for (const Case &c : cases)
        EXPECT_EQ(quotientOf(c.counts), c.q)
                << c.counts.nH2 << ' ' << c.counts.nHD << ' ' << c.counts.nD2;
}

TEST(ExactDistribution, QuotientMatchesTheEngine)
{
    test::FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "7", "3", "11", 5);
    test::runFor(sim, host, 1000);
    ASSERT_NE(sim.nH2, 0);
    ASSERT_NE(sim.nD2, 0);
    EXPECT_EQ(quotientOf({sim.nH2, sim.nHD, sim.nD2}), sim.Q.number());
}

TEST(EngineStationaryDistribution, LeansTowardsHDByTheCoin)
{
    // The engine's coin reacts (2^23 - 1) / 2^24 of the time, not 1/2, so
    // its stationary distribution is W c^(nHD / 2) normalised, with
    // c = 2^23 / (2^23 - 1).
    const double lnC = std::log1p(1.0 / ((1 << 23) - 1));
    const int systems[][2] = {{20, 20}, {4, 4}, {12, 28}, {1000, 1000}};
    for (const auto &s : systems) {
        SCOPED_TRACE(std::to_string(s[0]) + " H, " + std::to_string(s[1]) + " D");
        const ExactDistribution theory = exactDistribution(s[0], s[1]);
        const ExactDistribution engine = engineStationaryDistribution(s[0], s[1]);
        ASSERT_EQ(engine.kept.size(), theory.kept.size());
        double norm = 0;
        for (const CompositionProbability &c : theory.kept)
            norm += c.p * std::exp(lnC * c.counts.nHD / 2);
        for (std::size_t i = 0; i < theory.kept.size(); ++i) {
            const double k = theory.kept[i].counts.nHD;
            const double lean = std::exp(lnC * k / 2) / norm;
            EXPECT_NEAR(engine.kept[i].p / theory.kept[i].p, lean, 1e-13);
        }
        // Detailed balance of the engine's chain, step by step: two HD that
        // meet react when the coin falls on one of its 2^23 - 1 draws of 2^24.
        const double coin = double((1 << 23) - 1) / double(1 << 24);
        for (std::size_t i = 0; i + 1 < engine.kept.size(); ++i) {
            const double flowUp = engine.kept[i].p
                                  * reactionProbabilities(engine.kept[i].counts).forward;
            const double flowDown = engine.kept[i + 1].p * coin
                                    * reactionProbabilities(engine.kept[i + 1].counts).hdMeeting;
            EXPECT_NEAR(flowUp, flowDown, 1e-14 * flowUp);
        }
        // The mean moves up by about half the variance times ln c.
        const double shift = engine.meanHD - theory.meanHD;
        EXPECT_NEAR(shift, lnC * theory.sdHD * theory.sdHD / 2, 1e-3 * shift);
    }
    // 10 H2 + 10 D2: 6.1e-7 less likely at no HD, 5.8e-7 more at 20 HD.
    const ExactDistribution theory = exactDistribution(20, 20);
    const ExactDistribution engine = engineStationaryDistribution(20, 20);
    EXPECT_NEAR(engine.kept.front().p / theory.kept.front().p - 1, -6.113e-7, 0.001e-7);
    EXPECT_NEAR(engine.kept.back().p / theory.kept.back().p - 1, 5.808e-7, 0.001e-7);
}

TEST(ReactionProbabilities, ExactPerCollision)
{
    // Two HD that meet react half of the time, by the theory.
    struct Case
    {
        Composition counts;
        double forward, meeting, reverse, unreacted;
    };
    const Case cases[] = {
            {{10, 0, 10}, 200.0 / 380, 0, 0, 0},
            {{5, 10, 5}, 50.0 / 380, 90.0 / 380, 45.0 / 380, 45.0 / 380},
            {{1, 0, 1}, 1, 0, 0, 0},
            {{0, 2, 0}, 0, 1, 0.5, 0.5},
            {{2, 4, 0}, 0, 12.0 / 30, 6.0 / 30, 6.0 / 30},
            {{1, 0, 0}, 0, 0, 0, 0},
            {{0, 0, 0}, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.counts.nH2) + " " + std::to_string(c.counts.nHD) + " "
                     + std::to_string(c.counts.nD2));
        const ReactionProbabilities r = reactionProbabilities(c.counts);
        EXPECT_EQ(r.forward, c.forward);
        EXPECT_EQ(r.hdMeeting, c.meeting);
        EXPECT_EQ(r.reverse, c.reverse);
        EXPECT_EQ(r.hdUnreacted, c.unreacted);
    }
    // The largest system: 2 nH2 nD2 and N (N - 1) need more than 64 bits.
    const Composition big{536870912, 1073741823, 536870912};
    const ReactionProbabilities r = reactionProbabilities(big);
    const long double n = 2147483647.0L;
    EXPECT_EQ(r.forward, double(2.0L * 536870912.0L * 536870912.0L / (n * (n - 1))));
    EXPECT_EQ(r.hdMeeting, double(1073741823.0L * 1073741822.0L / (n * (n - 1))));
}

TEST(ReactionProbabilities, ExpectedAtEquilibrium)
{
    // 2 H2 + 2 D2 with P = 3/35, 24/35, 8/35: forward 2/3, 1/6, 0 and
    // HD + HD meetings 0, 1/6, 1, half of which react.
    const ReactionProbabilities r = expectedRates(exactDistribution(4, 4));
    EXPECT_DOUBLE_EQ(r.forward, 6.0 / 35);
    EXPECT_DOUBLE_EQ(r.hdMeeting, 12.0 / 35);
    EXPECT_DOUBLE_EQ(r.reverse, 6.0 / 35);
    EXPECT_DOUBLE_EQ(r.hdUnreacted, 6.0 / 35);

    // Over W / sum W the forward and the reverse rate balance, to the last
    // digit the files write: 10 H2 + 10 D2 gives 190/1443 both ways.
    const struct
    {
        int h, d;
        double rate; // exact, where known
    } systems[] = {{20, 20, 190.0 / 1443}, {12, 28, 0}, {1000, 1000, 0}, {2000001, 3000001, 0}};
    for (const auto &s : systems) {
        SCOPED_TRACE(std::to_string(s.h) + " H, " + std::to_string(s.d) + " D");
        const ReactionProbabilities theory = expectedRates(exactDistribution(s.h, s.d));
        EXPECT_EQ(numberToText(theory.reverse), numberToText(theory.forward));
        if (s.rate > 0) {
            EXPECT_EQ(numberToText(theory.forward), numberToText(s.rate));
        }
    }
}

TEST(StayShares, CreditsAndShares)
{
    StayShares shares(4, 4);
    EXPECT_EQ(shares.firstHD(), 0);
    EXPECT_EQ(shares.lastHD(), 4);
    EXPECT_EQ(shares.shareAt(2), 0.0);
    shares.creditStay(0, 3);
    shares.creditStay(2, 20);
    shares.creditStay(4, 8);
    shares.creditStay(2, 4);
    EXPECT_EQ(shares.total(), 35);
    EXPECT_EQ(shares.collisionsAt(2), 24);
    EXPECT_EQ(shares.shareAt(0), 3.0 / 35);
    EXPECT_EQ(shares.shareAt(4), 8.0 / 35);
    EXPECT_EQ(shares.collisionsAt(6), 0);
    EXPECT_EQ(shares.collisionsAt(-2), 0);
    shares.reset();
    EXPECT_EQ(shares.total(), 0);
    EXPECT_EQ(shares.collisionsAt(2), 0);
    EXPECT_EQ(shares.lastHD(), 4);

    // Odd atoms: nHD = 1, 3, 5.
    shares.layOut(5, 7);
    EXPECT_EQ(shares.firstHD(), 1);
    EXPECT_EQ(shares.lastHD(), 5);
    shares.creditStay(5, 2);
    EXPECT_EQ(shares.collisionsAt(5), 2);
    EXPECT_EQ(shares.collisionsBelow() + shares.collisionsAbove(), 0);
}

TEST(StayShares, LargeSystemsTallyAroundTheMode)
{
    StayShares shares(kMaxCount, kMaxCount);
    const std::int32_t mode = mostProbableComposition(kMaxCount, kMaxCount)->nHD;
    EXPECT_EQ((std::int64_t(shares.lastHD()) - shares.firstHD()) / 2 + 1, StayShares::kDenseLimit);
    EXPECT_LT(shares.firstHD(), mode);
    EXPECT_GT(shares.lastHD(), mode);
    EXPECT_EQ(std::abs((mode - shares.firstHD()) - (shares.lastHD() - mode)), 2);
    // Everything a distribution keeps lies inside the tally.
    const ExactDistribution e = exactDistribution(kMaxCount, kMaxCount);
    EXPECT_GE(e.kept.front().counts.nHD, shares.firstHD());
    EXPECT_LE(e.kept.back().counts.nHD, shares.lastHD());

    shares.creditStay(1, 5);                        // far below
    shares.creditStay(shares.firstHD() - 2, 1);     // just below
    shares.creditStay(shares.lastHD() + 2, 7);      // just above
    shares.creditStay(std::int32_t(kMaxCount), 11); // the last composition
    shares.creditStay(mode, 100);
    EXPECT_EQ(shares.collisionsBelow(), 6);
    EXPECT_EQ(shares.collisionsAbove(), 18);
    EXPECT_EQ(shares.total(), 124);
    EXPECT_EQ(shares.shareAt(mode), 100.0 / 124);
    // The distance counts the stays outside the tally in full.
    const double tv = *totalVariation(shares, e);
    const double pMode = e.probabilityOf(mode);
    EXPECT_NEAR(tv, 0.5 * (24.0 / 124 + (100.0 / 124 - pMode) + (1 - pMode)), 1e-15);
}

TEST(StayShares, TotalVariationDistance)
{
    const ExactDistribution e = exactDistribution(4, 4); // 3/35, 24/35, 8/35
    StayShares shares(4, 4);
    EXPECT_FALSE(totalVariation(shares, e).has_value());
    struct Case
    {
        std::int64_t at0, at2, at4;
        double tv;
    };
    const Case cases[] = {
            {3, 24, 8, 0.0},
            {6, 48, 16, 0.0},
            {1, 0, 0, 32.0 / 35},
            {0, 1, 0, 11.0 / 35},
            {0, 0, 1, 27.0 / 35},
            {1, 1, 0, 0.5 * (std::abs(0.5 - 3.0 / 35) + std::abs(0.5 - 24.0 / 35) + 8.0 / 35)},
    };
    for (const Case &c : cases) {
        shares.reset();
        shares.creditStay(0, c.at0);
        shares.creditStay(2, c.at2);
        shares.creditStay(4, c.at4);
        const auto tv = totalVariation(shares, e);
        ASSERT_TRUE(tv.has_value());
        EXPECT_NEAR(*tv, c.tv, 1e-16) << c.at0 << ' ' << c.at2 << ' ' << c.at4;
    }
}

TEST(StayShares, LongSeededRunApproachesTheExactDistribution)
{
    // The register of a save-all run counts every collision in the
    // composition the system was in after it: the shares of the run.
    test::FakeHost host;
    Simulation sim(&host);
    sim.bTurbo = true;
    test::startSeeded(sim, host, "10", "0", "10", 2024);
    test::runFor(sim, host, 2'000'000);
    ASSERT_LT(sim.nDistFound, 1000);
    StayShares shares(20, 20);
    for (int i = 1; i <= sim.nStored; ++i)
        shares.creditStay(sim.reg.regCounts[i][1], sim.reg.regFreq[i]);
    EXPECT_EQ(shares.total(), sim.nCollisions + 1);
    const double tv = *totalVariation(shares, exactDistribution(20, 20));
    EXPECT_LT(tv, 0.01);
    EXPECT_GT(tv, 0.0);
}

TEST(RunSeries, HalvesWhenFull)
{
    RunSeries series;
    struct Step
    {
        std::int64_t offers;
        std::int64_t stride;
        std::size_t size;
    };
    // Offer k carries collision 50 k; after each row's offers in all, the
    // series holds exactly the offers that are multiples of the stride.
    const Step steps[] = {{1, 1, 1},
                          {4096, 1, 4096},
                          {4097, 2, 2049},
                          {8191, 2, 4096},
                          {8192, 2, 4096},
                          {8193, 4, 2049},
                          {10000, 4, 2500},
                          {16385, 8, 2049}};
    std::int64_t offered = 0;
    for (const Step &s : steps) {
        for (; offered < s.offers; ++offered)
            series.append(50 * offered, std::int32_t(offered % 21), 0.5 * double(offered));
        SCOPED_TRACE(s.offers);
        EXPECT_EQ(series.offered(), s.offers);
        EXPECT_EQ(series.stride(), s.stride);
        ASSERT_EQ(series.points().size(), s.size);
        EXPECT_LE(series.points().size(), RunSeries::kCapacity);
        for (std::size_t i = 0; i < s.size; ++i) {
            const std::int64_t k = std::int64_t(i) * s.stride;
            ASSERT_EQ(series.points()[i],
                      (SeriesPoint{50 * k, std::int32_t(k % 21), 0.5 * double(k)}));
        }
    }
}

TEST(RunSeries, MarkersAndClear)
{
    RunSeries series;
    for (int i = 0; i < 5000; ++i)
        series.append(i, 0, 0);
    series.markRevision(1200);
    series.markRevision(3400);
    EXPECT_EQ(series.revisions(), (std::vector<std::int64_t>{1200, 3400}));
    series.clear();
    EXPECT_TRUE(series.points().empty());
    EXPECT_TRUE(series.revisions().empty());
    EXPECT_EQ(series.stride(), 1);
    series.append(7, 2, 1.5);
    EXPECT_EQ(series.points(), (std::vector<SeriesPoint>{{7, 2, 1.5}}));
}

TEST(ExpectedApproach, StartFirstStepAndHorizon)
{
    const Composition start{10, 0, 10};
    const ExpectedApproach a = expectedApproach(start, 1000, 1001);
    ASSERT_EQ(a.points.size(), 1001u);
    EXPECT_EQ(a.horizon, 1000);
    EXPECT_FALSE(a.limitedByWork);
    EXPECT_EQ(a.points[0].collisions, 0);
    EXPECT_EQ(a.points[0].meanHD, 0.0);
    EXPECT_EQ(a.points[0].sdHD, 0.0);
    // One collision: 2 HD with the forward probability 2 * 10 * 10 / (20 * 19).
    const double forward = 200.0 / 380;
    EXPECT_EQ(a.points[1].collisions, 1);
    EXPECT_EQ(a.points[1].meanHD, 2 * forward);
    EXPECT_DOUBLE_EQ(a.points[1].sdHD, 2 * std::sqrt(forward * (1 - forward)));
}

TEST(ExpectedApproach, HorizonOfTheWorkBound)
{
    // t collisions from index j of S compositions update
    // t + sum over s <= t of (min(s, j) + min(s, S - 1 - j)) states.
    struct Case
    {
        Composition start;
        std::int64_t horizon;
    };
    const Case cases[] = {
            {{10, 0, 10}, (100'000'000 + 45) / 11}, // 11 compositions, from one end
            {{5, 10, 5}, (100'000'000 + 20) / 11},  // from the middle
            {{500, 0, 500}, (100'000'000 + 124'750) / 501},
            {{3, 0, 0}, 100'000'000},                         // nothing can move
            {{0, 4000, 0}, (100'000'000 + 1'999'000) / 2001}, // t + t (t + 1) / 2, then 2001 each
            {{536870912, 1073741823, 536870912}, 9'999},      // 2t + 1 per collision
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.start.nH2) + " " + std::to_string(c.start.nHD));
        EXPECT_EQ(approachHorizon(c.start, std::int64_t(1) << 40), c.horizon);
        EXPECT_EQ(approachHorizon(c.start, 77), 77);
    }
    const ExpectedApproach still = expectedApproach({3, 0, 0}, std::int64_t(1) << 40, 16);
    EXPECT_TRUE(still.limitedByWork);
    EXPECT_EQ(still.horizon, 100'000'000);
    EXPECT_EQ(still.points.back().collisions, 100'000'000);
    EXPECT_EQ(still.points.back().meanHD, 0.0);
}

TEST(ExpectedApproach, SampleSpacing)
{
    const ExpectedApproach even = expectedApproach({10, 0, 10}, 1000, 11);
    ASSERT_EQ(even.points.size(), 11u);
    for (std::size_t i = 0; i < even.points.size(); ++i)
        EXPECT_EQ(even.points[i].collisions, 100 * std::int64_t(i));

    const ExpectedApproach geometric = expectedApproach({10, 0, 10},
                                                        100'000,
                                                        64,
                                                        ApproachSpacing::Geometric);
    ASSERT_EQ(geometric.points.size(), 64u);
    EXPECT_EQ(geometric.points[1].collisions, 1);
    EXPECT_EQ(geometric.points[2].collisions, 2);
    EXPECT_EQ(geometric.points.back().collisions, 100'000);
    for (std::size_t i = 1; i < geometric.points.size(); ++i)
        EXPECT_GT(geometric.points[i].collisions, geometric.points[i - 1].collisions);
}

TEST(ExpectedApproach, EndsAtTheExactDistribution)
{
    // Far past relaxation the mean is that of W / sum W: the approach is the
    // theory's (HD + HD reacting exactly half the time), not the engine's
    // chain, whose coin leans towards HD by a hair.
    const struct
    {
        Composition start;
        int h, d;
    } cases[] = {{{10, 0, 10}, 20, 20},
                 {{0, 20, 0}, 20, 20},
                 {{6, 0, 14}, 12, 28},
                 {{250, 0, 250}, 500, 500}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + " H, " + std::to_string(c.d) + " D");
        const ExpectedApproach a = expectedApproach(c.start, 20'000, 2);
        const ExactDistribution engine = engineStationaryDistribution(c.h, c.d);
        const ExactDistribution theory = exactDistribution(c.h, c.d);
        EXPECT_NEAR(a.points.back().meanHD, theory.meanHD, 1e-11 * theory.meanHD);
        EXPECT_NEAR(a.points.back().sdHD, theory.sdHD, 1e-10 * theory.sdHD);
        EXPECT_GT(std::abs(a.points.back().meanHD - engine.meanHD), 1e-8 * engine.meanHD);
    }
}

TEST(ExpectedApproach, AgreesWithSeededRunsOfTheEngine)
{
    // Every change of the composition is recorded, and shown when the
    // most-probable window follows the fluctuations: the history of nHD.
    const std::int64_t checks[] = {10, 50, 200};
    constexpr int kRuns = 4000;
    const ExpectedApproach a = expectedApproach({10, 0, 10}, 200, 201);
    double sum[3] = {}, sumSq[3] = {};
    for (int run = 0; run < kRuns; ++run) {
        test::FakeHost host;
        host.fluctuations = true;
        Simulation sim(&host);
        sim.bTurbo = true;
        std::vector<std::pair<std::int64_t, std::int32_t>> changes;
        test::startSeeded(sim, host, "10", "0", "10", 7000 + std::uint64_t(run));
        host.onShowMostProbable = [&] { changes.emplace_back(sim.nCollisions, sim.nHD); };
        test::runFor(sim, host, 200);
        ASSERT_EQ(sim.nCollisions, 200);
        for (int i = 0; i < 3; ++i) {
            std::int32_t hd = 0;
            for (const auto &[collision, value] : changes)
                if (collision <= checks[i])
                    hd = value;
            sum[i] += hd;
            sumSq[i] += double(hd) * hd;
        }
        ASSERT_EQ(changes.empty() ? 0 : changes.back().second, sim.nHD);
    }
    for (int i = 0; i < 3; ++i) {
        const ApproachPoint &expected = a.points[std::size_t(checks[i])];
        ASSERT_EQ(expected.collisions, checks[i]);
        const double mean = sum[i] / kRuns;
        const double standardError = expected.sdHD / std::sqrt(double(kRuns));
        EXPECT_NEAR(mean, expected.meanHD, 3 * standardError) << "after " << checks[i];
        // The spread of the runs matches the expected one too.
        const double sd = std::sqrt(sumSq[i] / kRuns - mean * mean);
        EXPECT_NEAR(sd, expected.sdHD, 0.05 * expected.sdHD) << "after " << checks[i];
    }
}

} // namespace
} // namespace kormix
