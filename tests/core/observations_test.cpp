// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the collision loop observes beside the register: the shares of
// collisions per composition, the reactions counted and the course of the
// run, checked against the register and the exact equilibrium.
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/runobservations.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kormix {
namespace {

using test::FakeHost;
using test::runFor;
using test::startSeeded;

std::int64_t sharesAt(const Simulation &sim, std::int32_t nHD)
{
    return sim.observed.sharesUpTo(sim.nHD, sim.nCollisions).collisionsAt(nHD);
}

TEST(RunObservations, ReactionsBalanceTheChangeOfHdAfterEveryChange)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "30", "0", "12", 7);
    // With "Show Fluctuations" every change of distribution is shown, so the
    // check runs after each one; between changes neither side moves.
    host.fluctuations = true;
    int checks = 0;
    bool balanced = true;
    host.onShowMostProbable = [&] {
        ++checks;
        const ReactionCounts &r = sim.observed.reactions;
        balanced = balanced && 2 * (r.forward - r.reverse) == sim.nHD - 0;
    };
    runFor(sim, host, 200000);
    EXPECT_TRUE(balanced);
    EXPECT_GT(checks, 10000);
    const ReactionCounts &r = sim.observed.reactions;
    EXPECT_EQ(2 * (r.forward - r.reverse), sim.nHD);
    EXPECT_GT(r.hdUnreacted, 0);

    // A new run counts afresh from its own start.
    sim.BeginCollisions();
    EXPECT_EQ(sim.observed.reactions, ReactionCounts{});
    EXPECT_EQ(sim.observed.start().nHD, sim.nHD);
}

TEST(RunObservations, SharesAreTheRegistersCountsWithoutTheStart)
{
    // In save-all mode the register counts every collision in the
    // distribution it ends in, plus one for the start: the shares are the
    // same counts, in collisions only.
    for (const char *d2 : {"5", "40"}) {
        Simulation sim;
        FakeHost host;
        sim.setHost(&host);
        startSeeded(sim, host, "25", "4", d2, 11);
        runFor(sim, host, 100000);
        ASSERT_LT(sim.nDistFound, 1000); // the register has not wrapped
        const StayShares shares = sim.observed.sharesUpTo(sim.nHD, sim.nCollisions);
        EXPECT_EQ(shares.total(), sim.nCollisions);
        for (int e = 1; e <= sim.nStored; ++e) {
            const std::int32_t nHD = sim.reg.regCounts[std::size_t(e)][1];
            const std::int64_t start = nHD == 4 ? 1 : 0;
            EXPECT_EQ(shares.collisionsAt(nHD), sim.reg.regFreq[std::size_t(e)] - start)
                    << "nHD " << nHD;
        }
    }
}

TEST(RunObservations, SharesAreKeptInBestOnlyModeToo)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "10", "0", "10", 3, /*saveAll=*/false);
    runFor(sim, host, 50000);
    std::int64_t sum = 0;
    for (std::int32_t nHD = 0; nHD <= 20; nHD += 2)
        sum += sharesAt(sim, nHD);
    EXPECT_EQ(sum, sim.nCollisions);
    EXPECT_GT(sharesAt(sim, 10), sharesAt(sim, 0));
}

TEST(RunObservations, ALongRunApproachesTheExactEquilibrium)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "10", "0", "10", 2024);
    runFor(sim, host, 10'000'000);
    const ExactDistribution exact = exactDistribution(20, 20);
    const auto tv = totalVariation(sim.observed.sharesUpTo(sim.nHD, sim.nCollisions), exact);
    ASSERT_TRUE(tv.has_value());
    EXPECT_LT(*tv, 0.01);

    // Of the HD + HD meetings, half react (a hair less: the coin must come
    // out strictly above one half).
    const ReactionCounts &r = sim.observed.reactions;
    const double meetings = double(r.reverse + r.hdUnreacted);
    const double reacted = double(r.reverse) / meetings;
    EXPECT_NEAR(reacted, 0.5, 3 * 0.5 / std::sqrt(meetings));
}

TEST(RunObservations, TheCourseOfTheRunGoesOnAcrossARevisionOnly)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "10", "0", "10", 5);
    runFor(sim, host, 1000);
    const RunSeries &series = sim.observed.series();
    // The start and one point per event service.
    ASSERT_EQ(series.points().size(), 21u);
    EXPECT_EQ(series.points().front(), (SeriesPoint{0, 0, sim.reg.regLnW[1], 10, 10, 1}));
    EXPECT_EQ(series.points().back().collision, 1000);

    // A revision: the system is set up anew, the series goes on counting.
    sim.markRevision();
    host.byMolecules("4", "12", "4");
    sim.SetupSystem();
    sim.BeginCollisions();
    runFor(sim, host, 500);
    EXPECT_EQ(series.revisions(), std::vector<std::int64_t>{1000});
    ASSERT_EQ(series.points().size(), 21u + 1 + 10);
    EXPECT_EQ(series.points()[21], (SeriesPoint{1000, 12, sim.reg.regLnW[1], 4, 4, 2}));
    EXPECT_EQ(series.points().back().collision, 1500);

    // Starting the same system again (Start after Setup) adds no second start.
    sim.BeginCollisions();
    EXPECT_EQ(series.points().size(), 21u + 1 + 10 + 1);
    sim.BeginCollisions();
    EXPECT_EQ(series.points().size(), 21u + 1 + 10 + 1);

    // Clear or a new setup forgets it.
    sim.ClearSystem();
    EXPECT_TRUE(series.points().empty());
    EXPECT_TRUE(series.revisions().empty());
}

// While the step log records (the user steps) the course keeps every
// collision; without it, the collision of every event service.
TEST(RunObservations, StepsKeepEveryCollisionInTheCourse)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "10", "0", "10", 5);
    sim.stepLog.setRecording(true);
    sim.runCollisionsFor(1);
    sim.runCollisionsFor(100);
    const std::vector<SeriesPoint> &points = sim.observed.series().points();
    ASSERT_EQ(points.size(), 102u);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i].collision, std::int64_t(i));
    EXPECT_EQ(points.back(), (SeriesPoint{101, sim.nHD, sim.lnW, sim.nH2, sim.nD2, 1}));
    // Each point is the composition its collision left, as the log tells.
    const StepEntry last = sim.stepLog.entries().back(); // entries() is a copy
    EXPECT_EQ(last.collision, 101);
    EXPECT_EQ(points.back().lnW, last.lnWAfter);
    EXPECT_EQ(points[100].lnW, last.lnWBefore);

    sim.stepLog.setRecording(false);
    sim.runCollisionsFor(99);
    ASSERT_EQ(points.size(), 102u + 2);
    EXPECT_EQ(points[102].collision, 150);
    EXPECT_EQ(points[103].collision, 200);
}

// The main window clears the system before it sets up the revised one, and
// setting up clears it once more: the course survives both clears, and only
// those.
TEST(RunObservations, TheCourseSurvivesTheClearsOfARevisionUpToItsSetup)
{
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    startSeeded(sim, host, "10", "0", "10", 5);
    runFor(sim, host, 1000);
    const RunSeries &series = sim.observed.series();
    ASSERT_EQ(series.points().size(), 21u);

    sim.markRevision();
    sim.ClearSystem();
    host.byMolecules("4", "12", "4");
    sim.SetupSystem();
    sim.BeginCollisions();
    EXPECT_EQ(series.revisions(), std::vector<std::int64_t>{1000});
    ASSERT_EQ(series.points().size(), 22u);
    EXPECT_EQ(series.points()[21], (SeriesPoint{1000, 12, sim.reg.regLnW[1], 4, 4, 2}));

    // A revised system that is no system still ends the revision.
    sim.markRevision();
    sim.ClearSystem();
    host.byMolecules("0", "0", "0");
    sim.SetupSystem();
    EXPECT_EQ(series.points().size(), 22u);
    sim.ClearSystem();
    EXPECT_TRUE(series.points().empty());
    EXPECT_TRUE(series.revisions().empty());
}

} // namespace
} // namespace kormix
