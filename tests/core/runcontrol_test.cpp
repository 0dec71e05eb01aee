// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// Runs of a given length, the log of stepped collisions, the event-service
// interval of a slowed-down run, and runs repeated from a seed.
#include "core/distributionsfile.h"
#include "core/simulation.h"
#include "core/steplog.h"
#include "core/wholenumber.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kormix {
namespace {

using test::FakeHost;
using test::startSeeded;

TEST(RunCollisionsFor, RunsExactlyThatManyCollisionsThenStops)
{
    const struct
    {
        std::int64_t before; // collisions run before
        std::int64_t steps;
        std::int64_t services; // event services during the steps
    } cases[] = {
            {0, 1, 0},
            {0, 100, 2},
            {0, 50, 1},
            {0, 49, 0},
            {23, 1, 0},
            {23, 100, 2},
            {49, 1, 1},
            {100, 37, 0},
            {0, 1000, 20},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " then " << c.steps);
        FakeHost host;
        Simulation sim(&host);
        startSeeded(sim, host, "20", "0", "20", 11);
        sim.runCollisionsFor(c.before);
        ASSERT_EQ(sim.nCollisions, c.before);
        const int servicesBefore = host.eventServices;
        EXPECT_EQ(sim.runCollisionsFor(c.steps), Simulation::LoopEnd::LimitReached);
        EXPECT_EQ(sim.nCollisions, c.before + c.steps);
        EXPECT_FALSE(sim.running());
        EXPECT_EQ(host.eventServices - servicesBefore, c.services);
        EXPECT_EQ(sim.observed.series().points().back().collision, (c.before + c.steps) / 50 * 50);
        // The stays credited and the one going on add up to every collision.
        EXPECT_EQ(sim.observed.sharesUpTo(sim.nHD, sim.nCollisions).total(), sim.nCollisions);
    }
}

TEST(RunCollisionsFor, GivesTheSameRunAsAnUnlimitedLoopStoppedThere)
{
    // Steps of one, of a hundred and one run of 1000 end in the same state.
    auto finalState = [](const std::vector<std::int64_t> &steps) {
        FakeHost host;
        Simulation sim(&host);
        startSeeded(sim, host, "30", "4", "30", 5);
        for (std::int64_t n : steps) {
            sim.runCollisionsFor(n);
        }
        return distributionsText(sim) + std::to_string(sim.nCollisions) + " "
               + std::to_string(sim.observed.reactions.forward) + " "
               + std::to_string(sim.observed.reactions.reverse);
    };
    std::vector<std::int64_t> ones(1000, 1);
    std::vector<std::int64_t> hundreds(10, 100);
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "30", "4", "30", 5);
    test::runFor(sim, host, 1000);
    const std::string unlimited = distributionsText(sim) + std::to_string(sim.nCollisions) + " "
                                  + std::to_string(sim.observed.reactions.forward) + " "
                                  + std::to_string(sim.observed.reactions.reverse);
    EXPECT_EQ(finalState({1000}), unlimited);
    EXPECT_EQ(finalState(hundreds), unlimited);
    EXPECT_EQ(finalState(ones), unlimited);
}

TEST(RunCollisionsFor, EndsEarlierOnAStopAndNeverWithoutMolecules)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 3);
    host.onServeEvents = [&] {
        if (sim.nCollisions == 150)
            sim.requestStop();
    };
    EXPECT_EQ(sim.runCollisionsFor(1000), Simulation::LoopEnd::Stopped);
    EXPECT_EQ(sim.nCollisions, 150);
    host.onServeEvents = nullptr;

    // No collisions asked for: nothing runs.
    EXPECT_EQ(sim.runCollisionsFor(0), Simulation::LoopEnd::LimitReached);
    EXPECT_EQ(sim.nCollisions, 150);

    // The limit ends with the loop: a later run is unlimited again.
    sim.runCollisionsFor(10);
    host.onServeEvents = [&] {
        if (sim.nCollisions == 300)
            sim.requestStop();
    };
    sim.RunCollisions();
    EXPECT_EQ(sim.nCollisions, 300);

    FakeHost lone;
    Simulation single(&lone);
    lone.byMolecules("1", "0", "0");
    single.SetupSystem();
    single.BeginCollisions();
    EXPECT_EQ(single.runCollisionsFor(5), Simulation::LoopEnd::NoPartner);
    EXPECT_EQ(single.nCollisions, 0);
}

TEST(RunCollisionsFor, ARevisionInsideGetsTheCollisionsLeft)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 3);
    reviseAt(sim, host, 50, "4", "4", "4");
    sim.runCollisionsFor(120);
    EXPECT_EQ(sim.nMolecules, 12);
    EXPECT_EQ(sim.nCollisions, 70); // 50 before the revision, 70 after
}

// 1 H2, 2 HD and 1 D2: molecule 1 is the H2, 2 and 3 are HD, 4 is the D2.
// W = 4! / (1! 2! 1!) * 2^2 = 48.
class StepLogTest : public ::testing::Test
{
protected:
    StepLogTest()
    {
        host.byMolecules("1", "2", "1");
        sim.SetupSystem();
        sim.BeginCollisions();
        sim.stepLog.setRecording(true);
    }
    void step(std::int64_t n) { sim.runCollisionsFor(n); }
    FakeHost host;
    Simulation sim{&host};
};

// The loop's own record of each kind of collision; the windows word it
// (tests/ui/common/steptext_test.cpp).
TEST_F(StepLogTest, EveryKindOfCollisionAsTheLoopSawIt)
{
    sim.rng.script({
            0.0f,
            0.8f, // molecules 1 and 4: H2 + D2 always react
            0.0f,
            0.3f,
            0.75f, // now all HD: places 1 and 2, the coin above one half
            0.3f,
            0.6f,
            0.5f, // places 2 and 3, both HD again: a coin of exactly 0.5
            0.0f,
            0.0f,
            0.3f, // place 1 again on the second pick, then 2: H2 + HD
    });
    step(4);
    EXPECT_EQ(sim.rng.scriptedLeft(), 0u);
    const std::vector<StepEntry> entries = sim.stepLog.entries();
    ASSERT_EQ(entries.size(), 4u);
    // Molecules keep their numbers: after the second collision molecule 1 is
    // the H2 and molecule 2 the D2, so the HD at places 2 and 3 are molecules
    // 4 and 3.
    auto entry = [](std::int64_t collision,
                    std::int64_t first,
                    std::int64_t second,
                    int k1,
                    int k2,
                    bool tossed,
                    float coin,
                    StepOutcome outcome,
                    double wBefore,
                    double wAfter) {
        return StepEntry{.collision = collision,
                         .first = first,
                         .second = second,
                         .firstKind = k1,
                         .secondKind = k2,
                         .coinTossed = tossed,
                         .coin = coin,
                         .outcome = outcome,
                         .lnWBefore = std::log(wBefore),
                         .lnWAfter = std::log(wAfter)};
    };
    const StepEntry expected[] = {
            entry(1, 1, 4, 0, 2, false, 0.0f, StepOutcome::FormedTwoHd, 48, 16),
            entry(2, 1, 2, 1, 1, true, 0.75f, StepOutcome::FormedH2D2, 16, 48),
            entry(3, 4, 3, 1, 1, true, 0.5f, StepOutcome::Unchanged, 48, 48),
            entry(4, 1, 4, 0, 1, false, 0.0f, StepOutcome::Unchanged, 48, 48),
    };
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].collision, expected[i].collision);
        EXPECT_EQ(entries[i].first, expected[i].first);
        EXPECT_EQ(entries[i].second, expected[i].second);
        EXPECT_EQ(entries[i].firstKind, expected[i].firstKind);
        EXPECT_EQ(entries[i].secondKind, expected[i].secondKind);
        EXPECT_EQ(entries[i].coinTossed, expected[i].coinTossed);
        if (expected[i].coinTossed) {
            EXPECT_EQ(entries[i].coin, expected[i].coin);
        }
        EXPECT_EQ(entries[i].outcome, expected[i].outcome);
        EXPECT_DOUBLE_EQ(entries[i].lnWBefore, expected[i].lnWBefore);
        EXPECT_DOUBLE_EQ(entries[i].lnWAfter, expected[i].lnWAfter);
    }
}

TEST_F(StepLogTest, KeepsTheLastTwentyAndForgetsThemWithAnUnloggedRun)
{
    step(25);
    std::vector<StepEntry> entries = sim.stepLog.entries();
    ASSERT_EQ(entries.size(), StepLog::kCapacity);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].collision, std::int64_t(6 + i));
    // Every entry starts where the one before it ended.
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].lnWBefore, entries[i - 1].lnWAfter);
    EXPECT_EQ(entries.back().lnWAfter, sim.lnW);

    sim.stepLog.setRecording(false);
    step(10);
    EXPECT_TRUE(sim.stepLog.empty());

    sim.stepLog.setRecording(true);
    step(3);
    EXPECT_EQ(sim.stepLog.size(), 3u);
    sim.BeginCollisions();
    EXPECT_TRUE(sim.stepLog.empty());
}

TEST(StepLog, LoggingDoesNotChangeTheRun)
{
    auto run = [](bool logged) {
        FakeHost host;
        Simulation sim(&host);
        startSeeded(sim, host, "40", "0", "40", 8);
        sim.stepLog.setRecording(logged);
        sim.runCollisionsFor(5000);
        return distributionsText(sim) + std::to_string(sim.observed.reactions.hdUnreacted);
    };
    EXPECT_EQ(run(true), run(false));
}

// The log switched on and off while the loop runs (a speed chosen meanwhile):
// it holds exactly the collisions from the switch on, is emptied once it is
// switched off, and the run draws what it would have drawn without it.
TEST(StepLog, SwitchedInsideTheLoopFromTheNextCollisionOn)
{
    auto run = [](bool switching) {
        FakeHost host;
        Simulation sim(&host);
        startSeeded(sim, host, "40", "0", "40", 8);
        sim.setCollisionsPerService(10);
        std::vector<std::int64_t> logged;
        bool emptiedAfterOff = false;
        host.onServeEvents = [&] {
            if (!switching)
                return;
            if (sim.nCollisions == 100)
                sim.keepStepLog(true);
            if (sim.nCollisions == 110) {
                for (const StepEntry &entry : sim.stepLog.entries())
                    logged.push_back(entry.collision);
            }
            if (sim.nCollisions == 150)
                sim.keepStepLog(false);
            if (sim.nCollisions == 200)
                emptiedAfterOff = sim.stepLog.empty();
        };
        sim.runCollisionsFor(300);
        if (switching) {
            EXPECT_EQ(logged,
                      (std::vector<std::int64_t>{101, 102, 103, 104, 105, 106, 107, 108, 109, 110}));
            EXPECT_TRUE(emptiedAfterOff);
        }
        return distributionsText(sim) + std::to_string(sim.observed.reactions.hdUnreacted);
    };
    EXPECT_EQ(run(true), run(false));
}

TEST(CollisionsPerService, SlowedRunsServeEveryCollisionAndTurboStillCountsInHundreds)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "20", "0", "20", 4);
    sim.bTurbo = true;
    for (std::int32_t refused : {0, 7, -1, 200})
        sim.setCollisionsPerService(refused);
    EXPECT_EQ(sim.collisionsPerService(), 50);
    sim.setCollisionsPerService(1);
    host.counterWrites.clear();
    sim.runCollisionsFor(250);
    EXPECT_EQ(host.eventServices, 250);
    EXPECT_EQ(host.counterWrites, (std::vector<std::string>{"100", "200"}));
    EXPECT_EQ(sim.observed.series().points().size(), 251u); // the start and every collision

    // A new interval is taken at the next service.
    host.onServeEvents = [&] { sim.setCollisionsPerService(50); };
    host.eventServices = 0;
    sim.runCollisionsFor(250);
    EXPECT_EQ(host.eventServices, 1 + 5); // at 251, then 300, 350, 400, 450, 500
    EXPECT_EQ(sim.nCollisions, 500);
}

TEST(ReadWholeNumber, WholeNumbersOnly)
{
    const struct
    {
        const char *text;
        std::optional<std::uint64_t> value;
    } cases[] = {
            {"0", 0},
            {"42", 42},
            {" 7\t", 7},
            {"007", 7},
            {"18446744073709551615", std::numeric_limits<std::uint64_t>::max()},
            {"18446744073709551616", std::nullopt},
            {"99999999999999999999999", std::nullopt},
            {"", std::nullopt},
            {"  ", std::nullopt},
            {"-1", std::nullopt},
            {"+1", std::nullopt},
            {"1.5", std::nullopt},
            {"1e3", std::nullopt},
            {"12abc", std::nullopt},
            {"1 2", std::nullopt},
            {"0x10", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readWholeNumber(c.text), c.value);
    }
}

TEST(ReadDecimalNumber, DigitsWithOneSeparatorOnly)
{
    const struct
    {
        const char *text;
        char decimalPoint;
        std::optional<double> value;
    } cases[] = {
            {"298.15", '.', 298.15},
            {" 20\t", '.', 20},
            {"3000.", '.', 3000},
            {".5", '.', 0.5},
            {"298,15", ',', 298.15},
            {"298.15", ',', 298.15}, // the point is always read
            {"298,15", '.', std::nullopt},
            {"1.2.3", '.', std::nullopt},
            {"1.2,3", ',', std::nullopt},
            {".", '.', std::nullopt},
            {"", '.', std::nullopt},
            {"-20", '.', std::nullopt},
            {"+20", '.', std::nullopt},
            {"1e3", '.', std::nullopt},
            {"inf", '.', std::nullopt},
            {"nan", '.', std::nullopt},
            {"300 K", '.', std::nullopt},
            {"3 00", '.', std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with " + c.decimalPoint);
        EXPECT_EQ(readDecimalNumber(c.text, c.decimalPoint), c.value);
    }
}

// A whole run from "Setup System" on, as the program does it: ClearSystem
// seeds the generator.
std::string seededRun(std::uint64_t seed, std::int64_t collisions, bool fixFirst = true)
{
    FakeHost host;
    Simulation sim(&host);
    if (fixFirst)
        sim.rng.fixSeed(seed);
    host.byMolecules("50", "0", "50");
    sim.SetupSystem();
    sim.BeginCollisions();
    sim.runCollisionsFor(collisions);
    return distributionsText(sim);
}

TEST(FixedSeed, TheSameSeedAndSetupGiveTheSameFileByteForByte)
{
    const std::string first = seededRun(12345, 20000);
    EXPECT_EQ(seededRun(12345, 20000), first);
    EXPECT_NE(seededRun(12346, 20000), first);
    EXPECT_GT(first.size(), 1000u); // many distributions, not just the start
}

TEST(FixedSeed, ASeedForLaterLeavesTheRunGoingOnAlone)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 21);
    UniformRandom copy = sim.rng;
    sim.rng.fixSeedForLater(99);
    EXPECT_EQ(sim.rng.next(), copy.next());
    EXPECT_EQ(sim.rng.currentSeed(), 21u);
    sim.ClearSystem();
    EXPECT_EQ(sim.rng.currentSeed(), 99u);
    EXPECT_TRUE(sim.rng.hasFixedSeed());
}

} // namespace
} // namespace kormix
