// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <random>

namespace kormix {
namespace {

using test::FakeHost;

// Records the distribution (nHD, nD2) with the given ln W, as the collision
// loop would after a change.
void record(Simulation &sim, std::int32_t hd, std::int32_t d2, double lnW, std::int64_t collision = 0)
{
    sim.nHD = hd;
    sim.nD2 = d2;
    sim.nH2 = sim.nMolecules - hd - d2;
    sim.lnW = lnW;
    sim.nCollisions = collision;
    sim.Q.setNumber(double(hd));
    sim.RecordDistribution();
}

Simulation &fresh(Simulation &sim, std::int32_t n, bool saveAll = true)
{
    sim.nMolecules = n;
    sim.bSaveAll = saveAll;
    sim.nStored = 0;
    sim.nDistFound = 0;
    sim.iCurrent = 0;
    sim.iBest = 0;
    sim.lnWBest = -1;
    sim.reg.forgetAll();
    return sim;
}

TEST(Register, MeetingADistributionAgainCountsIt)
{
    FakeHost host;
    Simulation sim(&host);
    fresh(sim, 100);
    record(sim, 0, 50, 1.0);
    record(sim, 2, 49, 3.0);
    record(sim, 0, 50, 1.0);
    EXPECT_EQ(sim.nStored, 2);
    EXPECT_EQ(sim.nDistFound, 2);
    EXPECT_EQ(sim.iCurrent, 1);
    EXPECT_EQ(sim.reg.regFreq[1], 2);
    EXPECT_EQ(sim.reg.regFreq[2], 1);
    EXPECT_EQ(sim.iBest, 2);
    EXPECT_DOUBLE_EQ(sim.reg.regFracHD[2], 0.02);
}

TEST(Register, TieDoesNotReplaceTheBest)
{
    FakeHost host;
    Simulation sim(&host);
    fresh(sim, 100);
    record(sim, 0, 50, 5.0, 0);
    record(sim, 2, 49, 7.0, 10);
    record(sim, 4, 48, 7.0, 20);
    EXPECT_EQ(sim.iBest, 2);
    EXPECT_EQ(sim.bestCollision, 10);
    EXPECT_EQ(sim.QBest.number(), 2.0);
    EXPECT_EQ(sim.iCurrent, 3);
}

TEST(Register, ShowFluctuationsRefreshesOnEveryRecord)
{
    FakeHost host;
    Simulation sim(&host);
    fresh(sim, 100);
    record(sim, 0, 50, 5.0); // new best: refreshed either way
    record(sim, 2, 49, 1.0); // not better
    record(sim, 0, 50, 5.0); // met again
    EXPECT_EQ(host.mostProbableCalls, 1);
    host.fluctuations = true;
    record(sim, 2, 49, 1.0);
    record(sim, 4, 48, 1.0);
    EXPECT_EQ(host.mostProbableCalls, 3);
}

TEST(Register, DistributionCountWithoutTurbo)
{
    FakeHost host;
    Simulation sim(&host);
    fresh(sim, 100);
    sim.bTurbo = false;
    record(sim, 0, 50, 5.0);
    record(sim, 2, 49, 1.0);
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "2");
    sim.bTurbo = true;
    record(sim, 4, 48, 1.0);
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "2");
}

TEST(Register, WrapOverwritesTheEntryAfterTheCurrentOneButNeverTheBest)
{
    const struct
    {
        const char *name;
        int bestAt;       // the entry with the largest ln W
        int currentAfter; // entry current before the 1001st distribution
        int overwritten;
    } cases[] = {
            {"after the last entry comes the first", 500, 1000, 1},
            {"the first is the best: the second", 1, 1000, 2},
            {"in the middle", 700, 300, 301},
            {"skipping the best in the middle", 301, 300, 302},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        Simulation sim(&host);
        fresh(sim, 5000);
        for (int k = 1; k <= 1000; ++k)
            record(sim, 2 * k, 2500 - k, k == c.bestAt ? 100.0 : 1.0 + k * 1e-3);
        // Go back to the current entry chosen, then meet something new.
        record(sim, 2 * c.currentAfter, 2500 - c.currentAfter, 0);
        ASSERT_EQ(sim.iCurrent, c.currentAfter);
        record(sim, 4000, 500, 2.0);
        EXPECT_EQ(sim.nStored, 1000);
        EXPECT_EQ(sim.nDistFound, 1001);
        EXPECT_EQ(sim.iCurrent, c.overwritten);
        EXPECT_EQ(sim.reg.regCounts[c.overwritten][1], 4000);
        EXPECT_EQ(sim.reg.regFreq[c.overwritten], 1);
        EXPECT_EQ(sim.iBest, c.bestAt);
        // The distribution that was overwritten is new again when met.
        const int lost = c.overwritten;
        record(sim, 2 * lost, 2500 - lost, 1.0);
        EXPECT_EQ(sim.nDistFound, 1002);
        EXPECT_EQ(sim.iCurrent,
                  lost % 1000 + 1 == c.bestAt ? (lost + 1) % 1000 + 1 : lost % 1000 + 1);
    }
}

TEST(Register, BestOnlyModeKeepsOneEntry)
{
    FakeHost host;
    Simulation sim(&host);
    fresh(sim, 100, /*saveAll=*/false);
    const double lnWs[] = {1, 2, 3, 4, 5};
    for (int k = 0; k < 5; ++k)
        record(sim, 2 * k, 50 - k, lnWs[k], k);
    EXPECT_EQ(sim.nStored, 1);
    EXPECT_EQ(sim.nDistFound, 5);
    EXPECT_EQ(sim.iBest, 1);
    EXPECT_EQ(sim.iCurrent, 1);
    EXPECT_EQ(sim.reg.regCounts[1][1], 8);
    EXPECT_EQ(sim.reg.regCounts[1][2], 46);
    EXPECT_EQ(sim.reg.regLnW[1], 5.0);
    EXPECT_EQ(sim.bestCollision, 4);
}

TEST(Register, BestOnlyRunCreditsEntryOne)
{
    FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "20", "0", "20", 99, /*saveAll=*/false);
    test::runFor(sim, host, 5000);
    EXPECT_EQ(sim.nStored, 1);
    EXPECT_EQ(sim.iCurrent, 1);
    EXPECT_GT(sim.nDistFound, 1);
    EXPECT_EQ(sim.reg.regLnW[1], sim.lnWBest);
    EXPECT_NEAR(sim.lnWBest,
                LnW(20 - sim.reg.regCounts[1][1] / 2,
                    sim.reg.regCounts[1][2],
                    sim.reg.regCounts[1][1]),
                1e-9);
}

TEST(DistributionRegister, IndexFindsWhatASearchFromEntryOneFinds)
{
    // Random writes over a small key space, with overwrites as in a wrapped
    // register, checked against a plain search after every step.
    std::mt19937 random(2024);
    for (int round = 0; round < 20; ++round) {
        DistributionRegister reg;
        int stored = 0;
        for (int step = 0; step < 3000; ++step) {
            const std::int32_t hd = std::int32_t(random() % 60);
            const std::int32_t d2 = std::int32_t(random() % 3);
            int plain = 0;
            for (int e = 1; e <= stored && !plain; ++e) {
                if (reg.regCounts[e][1] == hd && reg.regCounts[e][2] == d2)
                    plain = e;
            }
            ASSERT_EQ(reg.find(hd, d2, stored), plain) << "step " << step;
            if (!plain) {
                const int e = stored < 100 ? ++stored : int(random() % 100) + 1;
                reg.write(e, hd, d2, 0, 0);
            }
        }
        reg.forgetAll();
        EXPECT_EQ(reg.find(reg.regCounts[1][1], reg.regCounts[1][2], 100), 0);
    }
}

} // namespace
} // namespace kormix
