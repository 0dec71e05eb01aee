// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the equilibrium window works out before it draws: the means and
// spreads it shows, the reactions per collision lately, how far the expected
// approach is followed, the bars of the compositions chart and the course of
// the run against collisions.
#include "core/equilibrium/compositionbars.h"
#include "core/equilibrium/course.h"
#include "core/equilibrium/summaries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace kormix {
namespace {

// 1 H2 + 1 D2: W = 2 with no HD, 4 with 2 HD, so P = 1/3 and 2/3. 2 H2 +
// 2 D2: W = 6, 48 and 16, so P = 3/35, 24/35 and 8/35.
TEST(LnWMoments, WeighEveryCompositionWithItsExactP)
{
    const double ln2 = std::log(2.0);
    struct Case
    {
        std::int64_t h, d;
        double mean, sd;
    } cases[] = {
            {2, 2, 5 * ln2 / 3, std::sqrt(2.0) / 3 * ln2},
            {4,
             4,
             (6 * std::log(6.0) + 48 * std::log(48.0) + 16 * std::log(16.0)) / 70,
             std::sqrt((6 * std::pow(std::log(6.0), 2) + 48 * std::pow(std::log(48.0), 2)
                        + 16 * std::pow(std::log(16.0), 2))
                               / 70
                       - std::pow((6 * std::log(6.0) + 48 * std::log(48.0) + 16 * std::log(16.0))
                                          / 70,
                                  2))},
            {2, 0, 0, 0}, // one H2: W = 1
            {0, 0, 0, 0}, // nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + " H, " + std::to_string(c.d) + " D");
        const Moments m = lnWMoments(exactDistribution(c.h, c.d));
        EXPECT_NEAR(m.mean, c.mean, 1e-14);
        EXPECT_NEAR(m.sd, c.sd, 1e-7); // the square root of a difference
    }
}

TEST(ObservedFractionMoments, OverTheCollisionsSpentInEachComposition)
{
    struct Credit
    {
        std::int32_t nHD;
        std::int64_t collisions;
    };
    struct Case
    {
        const char *what;
        std::vector<Credit> credits;
        std::optional<Moments> expected;
    } cases[] = {
            {"nothing yet", {}, std::nullopt},
            // HD fractions 0 (3 collisions) and 1/2 (1 collision) of 4 molecules.
            {"three to one", {{0, 3}, {2, 1}}, Moments{0.125, std::sqrt(0.046875)}},
            {"half and half at the ends", {{0, 2}, {4, 2}}, Moments{0.5, 0.5}},
            {"all in one", {{2, 7}}, Moments{0.5, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        StayShares shares(4, 4);
        for (const Credit &credit : c.credits)
            shares.creditStay(credit.nHD, credit.collisions);
        EXPECT_EQ(observedFractionMoments(shares, 4), c.expected);
    }

    // Stays outside the tallied compositions of a large system are in no
    // share: they count neither in the mean nor in its weights.
    StayShares large(2'000'000'000, 2'000'000'000);
    large.creditStay(0, 5);
    EXPECT_EQ(observedFractionMoments(large, 2'000'000'000), std::nullopt);
    large.creditStay(1'000'000'000, 1);
    EXPECT_EQ(observedFractionMoments(large, 2'000'000'000), (Moments{0.5, 0}));
}

// Long enough to reach equilibrium (20 N, at least 1000), within 2e7 state
// updates over a band that grows by one composition a collision.
TEST(ApproachLength, TwentyTimesTheMoleculesWithinTheBudget)
{
    struct Case
    {
        std::int64_t molecules, compositions, length;
    } cases[] = {
            {20, 11, 1000},         // 1000 at least
            {1000, 501, 20000},     // 20 N
            {2000, 1001, 20480},    // 1001 + (2e7 - 1001² / 2) / 1001
            {10000, 5001, 6499},    // 5001 + (2e7 - 5001² / 2) / 5001
            {1000000, 500001, 6324} // the band never covers them all: sqrt(4e7)
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.molecules);
        EXPECT_EQ(approachLength(c.molecules, c.compositions), c.length);
    }
}

// As long as the plot shows, within the same budget.
TEST(ApproachLength, CoversTheCollisionsShownWithinTheBudget)
{
    struct Case
    {
        std::int64_t molecules, compositions, shown, length;
    } cases[] = {
            {20, 11, 500, 1000},                    // 1000 at least
            {20, 11, 250000, 250000},               // as many as shown
            {20, 11, 1'000'000'000, 1818187},       // 11 + (2e7 - 11² / 2) / 11
            {1000000, 500001, 1'000'000'000, 6324}, // sqrt(4e7)
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(approachLength(c.molecules, c.compositions, c.shown), c.length);
    }
}

// The approach is worked out anew for another start, K or spacing, or once
// the plot shows more than it covers (then for four times as many).
TEST(ShownApproach, WorkedOutAnewOnlyWhenItMust)
{
    const Composition start{10, 0, 10};
    const Composition other{9, 2, 9};
    const struct
    {
        const char *what;
        Composition start;
        double K;
        std::int64_t shown;
        ApproachSpacing spacing;
        std::int64_t horizon;
    } calls[] = {
            {"the first: 1000 at least", start, 4, 10, ApproachSpacing::Even, 1000},
            {"within it", start, 4, 1000, ApproachSpacing::Even, 1000},
            {"beyond it: four times as many", start, 4, 1001, ApproachSpacing::Even, 4004},
            {"within that", start, 4, 4004, ApproachSpacing::Even, 4004},
            {"another spacing", start, 4, 2000, ApproachSpacing::Geometric, 8000},
            {"another K", start, 3.26, 100, ApproachSpacing::Geometric, 1000},
            {"another start", other, 3.26, 100, ApproachSpacing::Geometric, 1000},
            {"far beyond: the budget", other, 3.26, 100'000'000, ApproachSpacing::Geometric, 1818187},
    };
    ShownApproach shown;
    for (const auto &c : calls) {
        SCOPED_TRACE(c.what);
        const ExpectedApproach &a = shown.covering(c.start, c.K, c.shown, c.spacing);
        EXPECT_EQ(a.horizon, c.horizon);
        const ExpectedApproach wanted = expectedApproach(c.start,
                                                         c.horizon,
                                                         ShownApproach::kSamples,
                                                         c.spacing,
                                                         c.K);
        ASSERT_EQ(a.points.size(), wanted.points.size());
        for (std::size_t i = 0; i < a.points.size(); ++i) {
            EXPECT_EQ(a.points[i].collisions, wanted.points[i].collisions);
            EXPECT_EQ(a.points[i].meanHD, wanted.points[i].meanHD);
        }
    }
    shown.forget();
    EXPECT_EQ(shown.covering(start, 4, 10, ApproachSpacing::Even).horizon, 1000);
}

TEST(RecentRates, ReactionsPerCollisionSinceTheLastLook)
{
    using Rates = RecentRates::Rates;
    struct Look
    {
        const char *what;
        ReactionCounts counts;
        std::int64_t collisions;
        Rates rates;
    } looks[] = {
            {"a run not yet begun", {0, 0, 0}, 0, {}},
            {"ten collisions", {3, 1, 2}, 10, {0.3, 0.1, 0.2, 0.0}},
            {"no collision since: the rates stay", {3, 1, 2}, 10, {0.3, 0.1, 0.2, 0.0}},
            {"ten more", {5, 1, 2}, 20, {0.2, 0.0, 0.0, 0.0}},
            {"a new run, counted from its start", {1, 0, 0}, 4, {0.25, 0.0, 0.0, 0.0}},
            {"a new run that went further: fewer reactions", {0, 0, 1}, 8, {0.0, 0.0, 0.125, 0.0}},
            {"at a temperature, H2 + D2 without reacting", {0, 0, 1, 3}, 12, {0.0, 0.0, 0.0, 0.75}},
            {"a new segment: fewer H2 + D2 without reacting",
             {0, 0, 1, 1},
             14,
             {0, 0, 1 / 14.0, 1 / 14.0}},
            {"a new run without collisions", {0, 0, 0}, 0, {}},
    };
    RecentRates recent;
    for (const Look &look : looks) {
        SCOPED_TRACE(look.what);
        EXPECT_EQ(recent.look(look.counts, look.collisions), look.rates);
    }
}

TEST(CompositionBars, OneBarPerCompositionAtItsHDFraction)
{
    const ExactDistribution exact = exactDistribution(4, 4);
    // Bars 0.8 of the distance between compositions (2/4 apart) wide, or
    // touching on a plot too narrow for them.
    struct Case
    {
        const char *what;
        int width;
        double half;
        bool touching;
    } cases[] = {{"wide", 400, 0.2, false}, {"narrow", 10, 0.25, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const CompositionBars shown = compositionBars(exact, StayShares(4, 4), false, c.width);
        EXPECT_EQ(shown.touching, c.touching);
        EXPECT_EQ(shown.group, 1);
        EXPECT_EQ(shown.notKept, 0);
        const double p[] = {3.0 / 35, 24.0 / 35, 8.0 / 35};
        ASSERT_EQ(shown.bars.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_DOUBLE_EQ(shown.bars[k].left, 0.5 * double(k) - c.half);
            EXPECT_DOUBLE_EQ(shown.bars[k].right, 0.5 * double(k) + c.half);
            EXPECT_DOUBLE_EQ(shown.bars[k].p, p[k]);
            EXPECT_EQ(shown.bars[k].share, 0);
        }
        EXPECT_EQ(shown.base, 0);
        EXPECT_DOUBLE_EQ(shown.top, 24.0 / 35);
        EXPECT_DOUBLE_EQ(shown.baseLeft, -c.half - 0.25);
        EXPECT_DOUBLE_EQ(shown.baseRight, 1 + c.half + 0.25);
        EXPECT_EQ(shown.xLow, 0);
        EXPECT_EQ(shown.xHigh, 1);
    }
    EXPECT_TRUE(compositionBars(exactDistribution(0, 0), StayShares(), false, 400).bars.empty());
}

// 1000 H and 1000 D atoms: 501 compositions. A run that met both ends makes
// every one of them worth drawing, two to a bar.
TEST(CompositionBars, NeighboursShareABarBeyondFourHundred)
{
    const ExactDistribution exact = exactDistribution(1000, 1000);
    StayShares shares(1000, 1000);
    shares.creditStay(0, 1);
    shares.creditStay(1000, 1);
    const CompositionBars shown = compositionBars(exact, shares, false, 400);
    EXPECT_EQ(shown.group, 2);
    ASSERT_EQ(shown.bars.size(), 251u);
    EXPECT_TRUE(shown.touching);
    const CompositionBar &first = shown.bars.front();
    EXPECT_DOUBLE_EQ(first.p, (exact.kept[0].p + exact.kept[1].p) / 2);
    EXPECT_DOUBLE_EQ(first.share, 0.25);
    EXPECT_DOUBLE_EQ(first.left, -0.001);
    EXPECT_DOUBLE_EQ(first.right, 0.003);
    const CompositionBar &last = shown.bars.back(); // nHD = 1000 alone
    EXPECT_DOUBLE_EQ(last.p, exact.kept[500].p);
    EXPECT_DOUBLE_EQ(last.share, 0.5);
    EXPECT_DOUBLE_EQ(last.left, 0.999);
    EXPECT_DOUBLE_EQ(shown.top, 0.5);
}

TEST(CompositionBars, OnALogarithmicAxisTheyStandOnHalfTheSmallestValue)
{
    StayShares shares(4, 4);
    shares.creditStay(0, 1); // the whole run without HD
    const CompositionBars shown = compositionBars(exactDistribution(4, 4), shares, true, 400);
    EXPECT_DOUBLE_EQ(shown.base, 3.0 / 70);
    EXPECT_DOUBLE_EQ(shown.top, 1);
    const LogAxis axis = logAxisFor(shown);
    EXPECT_DOUBLE_EQ(axis.low, 3.0 / 70);
    EXPECT_DOUBLE_EQ(axis.high, 2);
    EXPECT_EQ(axis.base, 10); // under two decades

    // Twelve decades: a tick every hundred.
    CompositionBars wide;
    wide.bars.push_back({0, 1, 0.5, 0});
    wide.base = 1e-12;
    wide.top = 0.5;
    EXPECT_EQ(logAxisFor(wide).base, 100);
}

TEST(CoursePoints, TheQuantityChosenAtEveryPointOfTheSeries)
{
    RunSeries series;
    series.append({0, 0, 12.1, 10, 10});
    series.append({50, 4, 13.5, 8, 8});
    series.append({100, 20, 14.0, 0, 0});
    using Points = std::vector<PlotPoint>;
    EXPECT_EQ(coursePoints(series, CourseQuantity::HDFraction),
              (Points{{0, 0}, {50, 0.2}, {100, 1}}));
    EXPECT_EQ(coursePoints(series, CourseQuantity::LnW),
              (Points{{0, 12.1}, {50, 13.5}, {100, 14.0}}));
    // Q = 16 / 64 with 4 HD; without H2 and D2 it is infinite and left out.
    EXPECT_EQ(coursePoints(series, CourseQuantity::Q), (Points{{0, 0}, {50, 0.25}}));
}

TEST(Envelope, TheLowestAndHighestOfEveryColumnInTheirOrder)
{
    using Points = std::vector<PlotPoint>;
    const double ys[] = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    Points line;
    for (int x = 0; x < 10; ++x)
        line.push_back({double(x), ys[x]});
    // Two columns, x 0..4 and 5..9: the first 1 and the 5; the 9 before the 2.
    EXPECT_EQ(envelope(line, 0, 10, 2), (Points{{1, 1}, {4, 5}, {5, 9}, {6, 2}}));
    // Five columns or more keep the ten points.
    EXPECT_EQ(envelope(line, 0, 10, 5), line);
}

TEST(OnLogarithmicAxis, FromTheAxisStartAtTheLogarithmOfTheCollision)
{
    using Points = std::vector<PlotPoint>;
    const Points line{{0, 0.0}, {1, 0.1}, {10, 0.2}, {1000, 0.5}};
    EXPECT_EQ(onLogarithmicAxis(line, 1), (Points{{0, 0.1}, {1, 0.2}, {3, 0.5}}));
    EXPECT_EQ(onLogarithmicAxis(line, 5), (Points{{1, 0.2}, {3, 0.5}}));
    EXPECT_TRUE(onLogarithmicAxis(line, 2000).empty());
}

TEST(CourseRange, FivePercentToSpareWithinWhatEachQuantityCanBe)
{
    struct Case
    {
        const char *what;
        CourseQuantity quantity;
        double lowest, highest;
        ValueRange range;
    } cases[] = {
            {"HD fraction", CourseQuantity::HDFraction, 0.2, 0.6, {0.18, 0.62}},
            {"HD fraction never below 0", CourseQuantity::HDFraction, 0.0, 1.0, {0.0, 1.05}},
            {"ln W may go below 0", CourseQuantity::LnW, 0.0, 2.0, {-0.1, 2.1}},
            {"one value: 5 % of it", CourseQuantity::LnW, 10.0, 10.0, {9.5, 10.5}},
            {"Q held below 10 K", CourseQuantity::Q, 0.0, 1e6, {0.0, 42.0}},
            {"Q only above 10 K", CourseQuantity::Q, 100.0, 1e6, {38.0, 42.0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Extent extent;
        extent.include(c.lowest);
        extent.include(c.highest);
        extent.include(std::nan(""));
        const ValueRange range = courseRange(c.quantity, extent, 4);
        EXPECT_DOUBLE_EQ(range.low, c.range.low);
        EXPECT_DOUBLE_EQ(range.high, c.range.high);
    }
    EXPECT_EQ(courseRange(CourseQuantity::LnW, Extent(), 4), (ValueRange{-0.05, 1.05}));
}

} // namespace
} // namespace kormix
