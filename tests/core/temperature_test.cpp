// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// Collisions at a temperature: the model, the extra draw of an H2 + D2 pair,
// a change of model during a run (from outside the loop and from inside it),
// and a long run that reaches the exact distribution at K.
#include "core/distributionsfile.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/stayshares.h"
#include "core/hydrogen/equilibriumconstant.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace kormix {
namespace {

using test::FakeHost;
using test::startSeeded;

EquilibriumModel hydrogenAt(double kelvin)
{
    const auto model = EquilibriumModel::hydrogenAt(kelvin);
    EXPECT_TRUE(model.has_value()) << kelvin;
    return model.value_or(EquilibriumModel{});
}

TEST(EquilibriumModel, StatisticsOnlyOrHydrogenAtATemperatureOffered)
{
    const EquilibriumModel counting;
    EXPECT_TRUE(counting.statisticsOnly());
    EXPECT_EQ(counting.K(), 4.0);
    EXPECT_EQ(counting.accepting(), 1u << 24);
    for (double t : {kMinKelvin, 298.15, kMaxKelvin}) {
        const auto model = EquilibriumModel::hydrogenAt(t);
        ASSERT_TRUE(model.has_value()) << t;
        EXPECT_FALSE(model->statisticsOnly()) << t;
        EXPECT_LT(model->accepting(), 1u << 24) << t;
    }
    for (double t : {19.99, 3000.01, 0.0, -300.0, std::nan("")})
        EXPECT_FALSE(EquilibriumModel::hydrogenAt(t).has_value()) << t;
}

TEST(Temperature, ALongRunReachesTheExactDistributionAtK)
{
    // 20 H and 20 D atoms at room temperature, K = 3.26.
    FakeHost host;
    Simulation sim(&host);
    sim.bTurbo = true;
    sim.setModel(hydrogenAt(298.15));
    startSeeded(sim, host, "10", "0", "10", 2026);
    sim.runCollisionsFor(4'000'000);
    const double K = sim.model().K();
    const StayShares shares = sim.observed.sharesUpTo(sim.nHD, sim.nCollisions);
    const double tv = *totalVariation(shares, exactDistribution(20, 20, K));
    const double estimate = *estimatedK(shares);
    EXPECT_LT(tv, 0.005);
    EXPECT_NEAR(estimate, 3.26, 0.05);
    // Counting alone is further away.
    EXPECT_GT(*totalVariation(shares, exactDistribution(20, 20)), 5 * tv);
}

// 1 H2 and 1 D2: molecule 1 is the H2, molecule 2 the D2.
class OnePairTest : public ::testing::Test
{
protected:
    OnePairTest()
    {
        sim.setModel(model);
        host.byMolecules("1", "0", "1");
        sim.SetupSystem();
        sim.BeginCollisions();
        sim.stepLog.setRecording(true);
    }
    FakeHost host;
    Simulation sim{&host};
    const EquilibriumModel model = hydrogenAt(298.15);
    // The engine's K / 4: 13671281 / 2^24.
    const float acceptBelow = float(model.accepting()) * 0x1.0p-24f;
};

TEST_F(OnePairTest, AnH2D2PairReactsWhenItsDrawIsBelowKOverFour)
{
    ASSERT_EQ(model.accepting(), 13671281u); // 3.2594873 * 2^22 = 13671280.73
    sim.rng.script({0.0f,
                    0.8f,
                    acceptBelow, // not below: no reaction
                    0.7f,
                    0.2f,
                    std::nextafter(acceptBelow, 0.f), // just below: 2 HD
                    0.0f,
                    0.9f,
                    0.75f}); // HD + HD, coin above 1/2
    sim.runCollisionsFor(3);
    EXPECT_EQ(sim.rng.scriptedLeft(), 0u);
    // The facts the step log keeps (the windows word them): who met, the
    // draw and what it was held against, and what came of it.
    const std::vector<StepEntry> entries = sim.stepLog.entries();
    ASSERT_EQ(entries.size(), 3u);
    const struct
    {
        std::int64_t first, second;
        bool drawn;
        float draw;
        bool coinTossed;
        StepOutcome outcome;
    } expected[] = {
            {1, 2, true, acceptBelow, false, StepOutcome::Unchanged},
            {2, 1, true, std::nextafter(acceptBelow, 0.f), false, StepOutcome::FormedTwoHd},
            {1, 2, false, 0.f, true, StepOutcome::FormedH2D2},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        const StepEntry &e = entries[i];
        EXPECT_EQ(e.first, expected[i].first);
        EXPECT_EQ(e.second, expected[i].second);
        EXPECT_EQ(e.acceptanceDrawn, expected[i].drawn);
        if (expected[i].drawn) {
            EXPECT_EQ(e.acceptance, expected[i].draw);
            EXPECT_EQ(e.acceptBelow, acceptBelow);
        }
        EXPECT_EQ(e.coinTossed, expected[i].coinTossed);
        EXPECT_EQ(e.outcome, expected[i].outcome);
    }
    EXPECT_EQ(sim.observed.reactions, (ReactionCounts{1, 1, 0, 1}));

    // The same draws unlogged, straight from the generator's bits.
    Simulation plain{&host};
    plain.setModel(model);
    plain.SetupSystem();
    plain.BeginCollisions();
    plain.rng.script({0.0f, 0.8f, acceptBelow, 0.7f, 0.2f, std::nextafter(acceptBelow, 0.f)});
    plain.runCollisionsFor(2);
    EXPECT_EQ(plain.nHD, 2);
    EXPECT_EQ(plain.observed.reactions, (ReactionCounts{1, 0, 0, 1}));
}

TEST(Temperature, AChangeDuringARunStartsASegmentOfItsCourse)
{
    FakeHost host;
    Simulation sim(&host);
    const RunSeries &series = sim.observed.series();
    // No system yet: the model waits for the next run.
    sim.setModel(hydrogenAt(500));
    EXPECT_TRUE(series.points().empty());
    startSeeded(sim, host, "10", "0", "10", 5);
    // No collision yet: the run only goes to another K.
    sim.setModel(hydrogenAt(300));
    EXPECT_TRUE(series.revisions().empty());
    EXPECT_EQ(series.points().size(), 1u);

    sim.runCollisionsFor(1000);
    const Composition now{sim.nH2, sim.nHD, sim.nD2};
    const double lnW = sim.lnW;
    const std::int64_t found = sim.nDistFound;
    ASSERT_GT(sim.observed.reactions.h2d2Unreacted, 0);
    sim.setModel(EquilibriumModel{});
    EXPECT_EQ(series.revisions(), std::vector<std::int64_t>{1000});
    EXPECT_EQ(series.points().back(), (SeriesPoint{1000, now.nHD, lnW, now.nH2, now.nD2, 2}));
    EXPECT_EQ(sim.observed.start(), now);
    EXPECT_EQ(sim.observed.segmentStart(), 1000);
    EXPECT_EQ(sim.observed.reactions, ReactionCounts{});
    EXPECT_EQ(sim.observed.sharesUpTo(sim.nHD, sim.nCollisions).total(), 0);
    // The run itself goes on: its collisions and its register.
    EXPECT_EQ(sim.nCollisions, 1000);
    EXPECT_EQ(sim.nDistFound, found);

    // Another change before the next collision marks nothing more; the same
    // model changes nothing.
    const std::size_t points = series.points().size();
    sim.setModel(hydrogenAt(2000));
    sim.setModel(hydrogenAt(2000));
    EXPECT_EQ(series.revisions().size(), 1u);
    EXPECT_EQ(series.points().size(), points);

    sim.runCollisionsFor(500);
    EXPECT_EQ(sim.observed.sharesUpTo(sim.nHD, sim.nCollisions).total(), 500);
    const ReactionCounts &r = sim.observed.reactions;
    EXPECT_EQ(2 * (r.forward - r.reverse), sim.nHD - now.nHD);
    EXPECT_EQ(series.points().back(), (SeriesPoint{1500, sim.nHD, sim.lnW, sim.nH2, sim.nD2, 2}));

    // A cleared system has no run to divide.
    sim.ClearSystem();
    sim.setModel(hydrogenAt(20));
    EXPECT_TRUE(series.points().empty());
    EXPECT_TRUE(series.revisions().empty());
}

TEST(Temperature, LargeSystemsTallyAroundTheModeOfTheirK)
{
    FakeHost host;
    Simulation sim(&host);
    host.byAtoms("2000000000", "2000000000");
    sim.setModel(hydrogenAt(20));
    sim.SetupSystem();
    sim.BeginCollisions();
    for (const EquilibriumModel &model : {hydrogenAt(20), EquilibriumModel{}, hydrogenAt(100)}) {
        SCOPED_TRACE(model.K());
        sim.setModel(model);
        const StayShares &tally = sim.observed.creditedShares();
        const auto mode = mostProbableComposition(2'000'000'000, 2'000'000'000, model.K());
        ASSERT_TRUE(mode.has_value());
        EXPECT_EQ(std::abs((mode->nHD - tally.firstHD()) - (tally.lastHD() - mode->nHD)), 2);
    }
}

// A run of 10 H2 + 10 D2 from seed 17 for 2000 collisions, with the model
// changed at event services: from inside the loop, or between limited runs.
struct Change
{
    std::int64_t after;
    EquilibriumModel model;
};

std::string runWithChanges(bool fromInside, bool logged, const std::vector<Change> &changes)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 17);
    sim.stepLog.setRecording(logged);
    if (fromInside) {
        std::size_t next = 0;
        host.onServeEvents = [&] {
            if (next < changes.size() && sim.nCollisions == changes[next].after)
                sim.setModel(changes[next++].model);
        };
        sim.runCollisionsFor(2000);
    } else {
        for (const Change &c : changes) {
            sim.runCollisionsFor(c.after - sim.nCollisions);
            sim.setModel(c.model);
        }
        sim.runCollisionsFor(2000 - sim.nCollisions);
    }
    std::string outcome = distributionsText(sim);
    for (const SeriesPoint &p : sim.observed.series().points())
        outcome += ' ' + std::to_string(p.collision) + ':' + std::to_string(p.nHD) + '/'
                   + std::to_string(p.run);
    const ReactionCounts &r = sim.observed.reactions;
    return outcome + ' ' + std::to_string(r.forward) + ' ' + std::to_string(r.h2d2Unreacted) + ' '
           + std::to_string(sim.rng.engine().nextBits());
}

TEST(Temperature, TheLoopTakesAChangeFromInsideAtItsNextCollision)
{
    const std::vector<Change> changes = {{500, hydrogenAt(300)},
                                         {1000, EquilibriumModel{}},
                                         {1500, hydrogenAt(1000)},
                                         {1700, hydrogenAt(2000)}};
    for (const bool logged : {false, true}) {
        SCOPED_TRACE(logged ? "logged" : "unlogged");
        const std::string between = runWithChanges(false, logged, changes);
        EXPECT_EQ(runWithChanges(true, logged, changes), between);
        // Every change shows.
        EXPECT_NE(runWithChanges(true, logged, {changes.begin(), changes.end() - 1}), between);
    }
}

TEST(Temperature, AStopAskedForWithAChangeOfLoopStillStops)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 3);
    host.onServeEvents = [&] {
        if (sim.nCollisions == 100) {
            sim.requestStop();
            sim.setModel(hydrogenAt(300));
        }
    };
    EXPECT_EQ(sim.RunCollisions(), Simulation::LoopEnd::Stopped);
    EXPECT_EQ(sim.nCollisions, 100);
    host.onServeEvents = nullptr;
    EXPECT_EQ(sim.runCollisionsFor(10'000), Simulation::LoopEnd::LimitReached);
    EXPECT_GT(sim.observed.reactions.h2d2Unreacted, 0);
}

} // namespace
} // namespace kormix
