// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/numberformat.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>

namespace kormix {
namespace {

using test::FakeHost;
using test::runFor;
using test::startSeeded;

std::string digits16(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.16g", value);
    return buffer;
}

TEST(LnW, WorkedExamplesToTheLastDigit)
{
    EXPECT_EQ(LnW(1, 1, 0), std::log(2.0));
    EXPECT_EQ(digits16(LnW(0, 0, 2)), digits16(std::log(4.0)));
    EXPECT_EQ(digits16(LnW(10, 10, 0)), "12.12679131460246");
    EXPECT_EQ(digits16(LnW(5, 5, 10)), "24.58769220771333");
    EXPECT_EQ(LnW(7, 0, 0), 0.0);
    EXPECT_EQ(LnW(0, 0, 0), 0.0);
}

TEST(LnW, ClosedFormAgreesWithAnExtendedPrecisionSum)
{
    // The closed form takes over from the sum for large systems; both must
    // give ln W to well within the rounding the double sum itself gathers.
    auto extendedSum = [](std::int64_t a, std::int64_t b, std::int64_t c) {
        long double s = 0;
        for (std::int64_t i = a + 1; i <= a + b + c; ++i)
            s += logl((long double) i);
        for (std::int64_t i = 1; i <= b; ++i)
            s -= logl((long double) i);
        for (std::int64_t i = 1; i <= c; ++i)
            s += logl(2.0L) - logl((long double) i);
        return double(s);
    };
    const std::int64_t cases[][3] = {{10, 10, 0},
                                     {5, 5, 10},
                                     {250, 250, 500},
                                     {0, 400000, 300000},
                                     {123456, 654321, 1}};
    for (const auto &c : cases) {
        const double reference = extendedSum(c[0], c[1], c[2]);
        const double closed = detail::lnWByClosedForm(c[0], c[1], c[2]);
        const double summed = detail::lnWBySum(c[0], c[1], c[2]);
        EXPECT_NEAR(closed, reference, 1e-13 * std::max(1.0, reference)) << c[0] << ' ' << c[1];
        EXPECT_NEAR(summed, reference, 1e-10 * std::max(1.0, reference)) << c[0] << ' ' << c[1];
    }
}

TEST(LnW, LargestSystemsStayFiniteAndExact)
{
    // N = 2147483647: W from Stirling's series to well below a part in 10^12.
    const std::int64_t a = 700000000, b = 700000000, c = 747483647;
    const double n = double(a + b + c);
    auto lnFactorial = [](double x) { return std::lgamma(x + 1); };
    const double expected = lnFactorial(n) - lnFactorial(a) - lnFactorial(b) - lnFactorial(c)
                            + c * std::log(2.0);
    const double got = LnW(a, b, c);
    EXPECT_NEAR(got, expected, 1e-9 * expected);
}

struct SetupCase
{
    const char *name;
    bool byMolecules;
    const char *a, *b, *c; // H2, HD, D2 molecules, or H and D atoms
    std::int32_t nH2, nHD, nD2;
    const char *qa, *hAtoms, *dAtoms;
    bool needsSetup;
};

TEST(SetupSystem, CompositionAndLabels)
{
    const SetupCase cases[] = {
            {"atoms 7 and 4", false, "7", "4", "", 3, 0, 2, "0.00", "6", "4", false},
            {"atoms -7 and 4", false, "-7", "4", "", 0, 0, 0, "infinite", "0", "0", true},
            {"10 H2 only", true, "10", "0", "0", 10, 0, 0, "infinite", "20", "0", false},
            {"5, 10, 5", true, "5", "10", "5", 5, 10, 5, "4.00", "20", "20", false},
            {"lenient text", true, "12abc", "", " 3 ", 12, 0, 3, "0.00", "24", "6", false},
            {"halves to even", true, "2.5", "3.5", "1", 2, 4, 1, "8.00", "8", "6", false},
            {"all zero", true, "0", "0", "0", 0, 0, 0, "infinite", "0", "0", true},
            {"one molecule", true, "1", "0", "0", 1, 0, 0, "infinite", "2", "0", true},
            {"negative count", true, "-1", "2", "3", 0, 0, 0, "infinite", "0", "0", true},
            {"beyond 32 bits", true, "3000000000", "0", "1", 0, 0, 0, "infinite", "0", "0", true},
            {"atoms overflow", true, "1073741824", "0", "1", 0, 0, 0, "infinite", "0", "0", true},
            {"largest usable",
             true,
             "1073741823",
             "1",
             "0",
             1073741823,
             1,
             0,
             "infinite",
             "2147483647",
             "1",
             false},
            {"huge text", true, "1e999", "0", "1", 0, 0, 0, "infinite", "0", "0", true},
    };
    for (const SetupCase &c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        Simulation sim(&host);
        if (c.byMolecules)
            host.byMolecules(c.a, c.b, c.c);
        else
            host.byAtoms(c.a, c.b);
        sim.SetupSystem();
        EXPECT_EQ(sim.nH2, c.nH2);
        EXPECT_EQ(sim.nHD, c.nHD);
        EXPECT_EQ(sim.nD2, c.nD2);
        EXPECT_EQ(sim.nMolecules, c.nH2 + c.nHD + c.nD2);
        EXPECT_EQ(host.Label(MainLabel::Qa), c.qa);
        EXPECT_EQ(host.Label(MainLabel::H2), integerToText(c.nH2));
        EXPECT_EQ(host.Label(MainLabel::HD), integerToText(c.nHD));
        EXPECT_EQ(host.Label(MainLabel::D2), integerToText(c.nD2));
        EXPECT_EQ(host.Label(MainLabel::nHatoms), c.hAtoms);
        EXPECT_EQ(host.Label(MainLabel::nDatoms), c.dAtoms);
        EXPECT_EQ(sim.bNeedsSetup, c.needsSetup);
        EXPECT_EQ(sim.Q.text(), c.qa);
        EXPECT_EQ(host.Label(MainLabel::status), "needs setup");
    }
}

TEST(SetupSystem, ACountBeyondThirtyTwoBitsGivesNoUsableSystemHoweverItIsWritten)
{
    const std::string zeros400(400, '0');
    const std::string texts[] = {
            "0.5e400",
            ".5e999",
            "0.1e999",
            "1" + zeros400 + "e-10",
            "-0.5e400",
            "1e999",
            "4294967296",
            "0.5e10",
    };
    for (const std::string &huge : texts) {
        for (bool byMolecules : {true, false}) {
            SCOPED_TRACE((byMolecules ? "H2 " : "H atoms ") + huge.substr(0, 20));
            FakeHost host;
            Simulation sim(&host);
            if (byMolecules)
                host.byMolecules(huge, "0", "10");
            else
                host.byAtoms(huge, "20");
            sim.SetupSystem();
            EXPECT_TRUE(sim.bNeedsSetup);
            EXPECT_EQ(sim.nMolecules, 0);
            EXPECT_EQ(host.Label(MainLabel::D2), "0");
        }
    }
}

TEST(SetupSystem, SaveOptionAndClearedLabels)
{
    FakeHost host;
    Simulation sim(&host);
    host.byMolecules("3", "0", "3", /*saveAll=*/false);
    sim.SetupSystem();
    EXPECT_FALSE(sim.bSaveAll);
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "most prob");

    sim.BeginCollisions();
    sim.ClearSystem();
    EXPECT_TRUE(sim.bSaveAll);
    EXPECT_TRUE(sim.bNeedsSetup);
    EXPECT_EQ(sim.nStored, 0);
    for (MainLabel l : {MainLabel::H2, MainLabel::HD, MainLabel::D2, MainLabel::Qa})
        EXPECT_EQ(host.Label(l), "?");
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "0");
    EXPECT_EQ(host.Label(MainLabel::ncollide), "0");
    for (MainLabel l : {MainLabel::bestcol, MainLabel::logW, MainLabel::Wmax, MainLabel::BestQ})
        EXPECT_EQ(host.Label(l), "");
}

Simulation &setUpMolecules(
        Simulation &sim, FakeHost &host, const char *h2, const char *hd, const char *d2)
{
    host.byMolecules(h2, hd, d2);
    sim.SetupSystem();
    return sim;
}

TEST(BeginCollisions, FirstDistributionIsEntryOneAndTheBest)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "4", "0", "0"); // W = 1, ln W = 0 still beats -1
    sim.BeginCollisions();
    EXPECT_EQ(sim.nStored, 1);
    EXPECT_EQ(sim.nDistFound, 1);
    EXPECT_EQ(sim.iCurrent, 1);
    EXPECT_EQ(sim.iBest, 1);
    EXPECT_EQ(sim.lnWBest, 0.0);
    EXPECT_EQ(sim.bestCollision, 0);
    EXPECT_EQ(sim.QBest.text(), "infinite");
    EXPECT_EQ(sim.reg.regFreq[1], 1);
    EXPECT_GE(host.mostProbableCalls, 2); // before the reset and for the new best
}

TEST(RunCollisions, OneH2AndOneD2AlwaysReactThenHalfTheTime)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "1", "0", "1");
    sim.BeginCollisions();
    EXPECT_EQ(sim.lnW, std::log(2.0));
    // Molecule 1 is the H2, molecule 2 the D2; the second draw repeats until
    // it picks the other molecule.
    sim.rng.script({0.1f, 0.2f, 0.7f});
    host.onServeEvents = nullptr;
    bool stopped = false;
    host.onShowMostProbable = [&] {
        if (!stopped && sim.nCollisions == 1) {
            stopped = true;
            sim.requestStop();
        }
    };
    sim.RunCollisions();
    EXPECT_EQ(sim.nCollisions, 1);
    EXPECT_EQ(sim.nHD, 2);
    EXPECT_EQ(sim.nH2, 0);
    EXPECT_DOUBLE_EQ(sim.lnW, std::log(4.0));
    EXPECT_FALSE(sim.Q.isText());
    EXPECT_EQ(sim.Q.number(), kInfiniteQ);
    EXPECT_EQ(sim.rng.scriptedLeft(), 0u);
}

TEST(RunCollisions, HdPairReactsOnlyAboveOneHalf)
{
    const struct
    {
        float r;
        bool reacts;
    } cases[] = {{0.5f, false}, {0.25f, false}, {0.0f, false}, {0.50000006f, true}, {0.99f, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.r);
        FakeHost host;
        Simulation sim(&host);
        setUpMolecules(sim, host, "0", "2", "0");
        sim.BeginCollisions();
        // Picks molecules 1 and 2 (both HD), then the draw that decides.
        sim.rng.script({0.0f, 0.5f, c.r});
        sim.bTurbo = false; // the counter is written after every collision
        host.onSetLabel = [&](MainLabel label) {
            if (label == MainLabel::ncollide)
                sim.requestStop();
        };
        sim.RunCollisions();
        EXPECT_EQ(sim.nCollisions, 1);
        EXPECT_EQ(sim.nHD, c.reacts ? 0 : 2);
        EXPECT_EQ(sim.nH2, c.reacts ? 1 : 0);
        EXPECT_EQ(sim.reg.regFreq[1], c.reacts ? 1 : 2);
        if (c.reacts) {
            EXPECT_DOUBLE_EQ(sim.lnW, std::log(2.0));
            EXPECT_EQ(sim.nStored, 2);
        }
    }
}

TEST(RunCollisions, OnlyH2NeverChanges)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "6", "0", "0");
    sim.BeginCollisions();
    runFor(sim, host, 250);
    EXPECT_EQ(sim.nCollisions, 250);
    EXPECT_EQ(sim.nStored, 1);
    EXPECT_EQ(sim.reg.regFreq[1], 251);
    EXPECT_EQ(sim.Q.number(), kInfiniteQ);
}

TEST(RunCollisions, TurboCounterShowsOnlyMultiplesOfOneHundred)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "20", "0", "20");
    sim.bTurbo = true;
    sim.BeginCollisions();
    host.counterWrites.clear();
    runFor(sim, host, 450);
    EXPECT_EQ(sim.nCollisions, 450);
    EXPECT_EQ(host.counterWrites, (std::vector<std::string>{"100", "200", "300", "400"}));
    EXPECT_EQ(host.Label(MainLabel::status), "running");
    EXPECT_EQ(host.eventServices, 9);

    sim.bTurbo = false;
    host.counterWrites.clear();
    runFor(sim, host, 500);
    EXPECT_EQ(host.counterWrites.size(), 50u);
    EXPECT_EQ(host.counterWrites.front(), "451");
}

TEST(RunCollisions, RestartContinuesTheRun)
{
    FakeHost host;
    Simulation sim(&host);
    startSeeded(sim, host, "10", "0", "10", 7);
    runFor(sim, host, 100);
    const auto best = sim.iBest;
    const auto found = sim.nDistFound;
    runFor(sim, host, 200);
    EXPECT_EQ(sim.nCollisions, 200);
    EXPECT_GE(sim.nDistFound, found);
    EXPECT_GE(sim.lnWBest, sim.reg.regLnW[best]);
}

// Checks the run's invariants whenever the core hands its state out: at every
// recorded change of distribution and at every event service.
struct InvariantChecker
{
    Simulation &sim;
    std::int64_t hAtoms, dAtoms, n;
    int checks = 0;
    bool wrapped = false;

    void check()
    {
        ++checks;
        ASSERT_EQ(sim.nH2 + sim.nHD + sim.nD2, n);
        ASSERT_EQ(2 * sim.nH2 + sim.nHD, hAtoms);
        ASSERT_EQ(2 * sim.nD2 + sim.nHD, dAtoms);
        ASSERT_GE(sim.iCurrent, 1);
        ASSERT_LE(sim.iCurrent, sim.nStored);
        ASSERT_GE(sim.iBest, 1);
        ASSERT_LE(sim.iBest, sim.nStored);
        const auto &reg = sim.reg;
        ASSERT_EQ(reg.regCounts[sim.iCurrent][1], sim.nHD);
        ASSERT_EQ(reg.regCounts[sim.iCurrent][2], sim.nD2);
        ASSERT_EQ(reg.regLnW[sim.iBest], sim.lnWBest);
        if (checks % 8 == 1) { // ln W from scratch is the costly check
            const double exact = LnW(sim.nH2, sim.nD2, sim.nHD);
            ASSERT_NEAR(sim.lnW, exact, 1e-9 * std::max(1.0, exact));
        }
        if (sim.nDistFound > 1000)
            wrapped = true;
        if (!wrapped) {
            std::int64_t sum = 0;
            for (int e = 1; e <= sim.nStored; ++e)
                sum += reg.regFreq[e];
            ASSERT_EQ(sum, sim.nCollisions + 1);
            ASSERT_EQ(sim.nStored, sim.nDistFound);
        } else {
            ASSERT_EQ(sim.nStored, 1000);
        }
    }
};

TEST(RunCollisions, InvariantsHoldThroughoutSeededRuns)
{
    const struct
    {
        const char *h2, *hd, *d2;
        std::int64_t collisions;
        bool wraps;
    } cases[] = {
            {"10", "0", "10", 20000, false},
            {"1", "0", "1", 2000, false},
            {"0", "7", "3", 5000, false},
            {"300", "0", "1700", 60000, false},
            {"3000", "1", "3000", 100000, true}, // over 1000 distributions on the way
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + " " + c.hd + " " + c.d2);
        FakeHost host;
        host.fluctuations = true; // every recorded change is shown
        Simulation sim(&host);
        startSeeded(sim, host, c.h2, c.hd, c.d2, 12345);
        InvariantChecker check{sim, 2 * sim.nH2 + sim.nHD, 2 * sim.nD2 + sim.nHD, sim.nMolecules};
        host.onShowMostProbable = [&] { check.check(); };
        runFor(sim, host, c.collisions);
        check.check();
        EXPECT_GT(check.checks, 10);
        EXPECT_EQ(check.wrapped, c.wraps);
        EXPECT_EQ(sim.nCollisions, c.collisions);
    }
}

TEST(RunCollisions, EmptySystemSetUpFromInsideTheLoopEndsIt)
{
    // A nested handler clearing the system while the loop runs must not
    // leave the loop picking molecules that are not there.
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "5", "0", "5");
    sim.BeginCollisions();
    host.onServeEvents = [&] { sim.ClearSystem(); };
    EXPECT_EQ(sim.RunCollisions(), Simulation::LoopEnd::NoPartner);
    EXPECT_FALSE(sim.running());
    EXPECT_EQ(sim.nMolecules, 0);
}

TEST(RunCollisions, NewSystemSetUpFromInsideTheLoopIsCollidedOn)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "5", "0", "5");
    sim.BeginCollisions();
    int services = 0;
    host.onServeEvents = [&] {
        if (++services == 1) {
            host.byMolecules("0", "30", "0");
            sim.SetupSystem();
            sim.BeginCollisions();
        } else if (services == 3) {
            sim.requestStop();
        }
    };
    sim.RunCollisions();
    EXPECT_EQ(sim.nCollisions, 100);
    EXPECT_EQ(sim.nMolecules, 30);
    EXPECT_EQ(sim.nH2, sim.nD2);
    EXPECT_NEAR(sim.lnW, LnW(sim.nH2, sim.nD2, sim.nHD), 1e-9);
}

TEST(RunCollisions, StopsAtOnceWithFewerThanTwoMolecules)
{
    FakeHost host;
    Simulation sim(&host);
    setUpMolecules(sim, host, "1", "0", "0");
    sim.BeginCollisions();
    EXPECT_EQ(sim.RunCollisions(), Simulation::LoopEnd::NoPartner);
    EXPECT_EQ(sim.nCollisions, 0);
}

TEST(UpdateStatistics, LabelsOfTheBestDistribution)
{
    FakeHost host;
    Simulation sim(&host);
    sim.bSaveAll = true;
    sim.lnWBest = 20.5;
    sim.QBest.setNumber(100.0 / 96);
    sim.bestCollision = 1234;
    sim.nDistFound = 17;
    sim.nCollisions = 5000;
    sim.UpdateStatistics();
    EXPECT_EQ(host.Label(MainLabel::BestQ), "1.04166666666667");
    EXPECT_EQ(host.Label(MainLabel::logW), "8.903");
    EXPECT_EQ(host.Label(MainLabel::Wmax), "8.00E+08");
    EXPECT_EQ(host.Label(MainLabel::bestcol), "1234");
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "17");
    EXPECT_EQ(host.Label(MainLabel::ncollide), "5000");

    sim.QBest.setNumber(kInfiniteQ);
    sim.bSaveAll = false;
    host.labels.erase(MainLabel::NumDistros);
    sim.UpdateStatistics();
    EXPECT_EQ(host.Label(MainLabel::BestQ), "1E+300");
    EXPECT_EQ(host.Label(MainLabel::NumDistros), "<unset>");

    sim.QBest.setText("4.00");
    sim.UpdateStatistics();
    EXPECT_EQ(host.Label(MainLabel::BestQ), "4.00");
}

TEST(FormatQ, QuotientTexts)
{
    const struct
    {
        std::int32_t h2, hd, d2;
        const char *text;
    } cases[] = {
            {5, 10, 5, "4.00"},
            {3, 0, 2, "0.00"},
            {1, 2, 3, "1.33"},
            {12, 10, 8, "1.04"},
            {10, 0, 0, "infinite"},
            {0, 2, 0, "infinite"},
            {0, 0, 5, "infinite"},
    };
    Simulation sim;
    for (const auto &c : cases) {
        sim.nKind = {c.h2, c.hd, c.d2, 0};
        sim.Q.setNumber(7);
        sim.FormatQ();
        EXPECT_TRUE(sim.Q.isText());
        EXPECT_EQ(sim.Q.text(), c.text) << c.h2 << ' ' << c.hd << ' ' << c.d2;
    }
}

} // namespace
} // namespace kormix

namespace kormix {
namespace {

TEST(RunCollisions, CountingAMetDistributionInPlaceMatchesTheFullRecord)
{
    // With "Show Fluctuations" every change goes through RecordDistribution;
    // without it the loop counts a distribution met again itself. Both runs
    // must leave the same register.
    for (const bool saveAll : {true, false}) {
        SCOPED_TRACE(saveAll ? "save all" : "best only");
        FakeHost hosts[2];
        Simulation a(&hosts[0]), b(&hosts[1]);
        hosts[1].fluctuations = true;
        for (int k = 0; k < 2; ++k) {
            Simulation &sim = k ? b : a;
            startSeeded(sim, hosts[k], "40", "3", "25", 77, saveAll);
            runFor(sim, hosts[k], 30000);
        }
        ASSERT_EQ(a.nStored, b.nStored);
        EXPECT_EQ(a.nDistFound, b.nDistFound);
        EXPECT_EQ(a.iCurrent, b.iCurrent);
        EXPECT_EQ(a.iBest, b.iBest);
        EXPECT_EQ(a.lnW, b.lnW);
        for (int e = 1; e <= a.nStored; ++e) {
            EXPECT_EQ(a.reg.regCounts[e], b.reg.regCounts[e]) << e;
            EXPECT_EQ(a.reg.regFreq[e], b.reg.regFreq[e]) << e;
        }
    }
}

} // namespace
} // namespace kormix

namespace kormix {
namespace {

TEST(RunCollisions, GeneratorDrawsPickTheSameMoleculesAsTheirFloats)
{
    // The loop feeds the generator's 24 bits straight into the pick; a run on
    // the same draws handed over as floats (a script) must match it exactly.
    for (const char *n : {"7", "500", "100000"}) {
        SCOPED_TRACE(n);
        FakeHost hosts[2];
        Simulation direct(&hosts[0]), scripted(&hosts[1]);
        for (int k = 0; k < 2; ++k) {
            Simulation &sim = k ? scripted : direct;
            startSeeded(sim, hosts[k], n, "1", n, 2024);
        }
        UniformRandom same;
        same.seed(2024);
        std::vector<float> draws(40000);
        for (float &r : draws)
            r = same.next();
        scripted.rng.script(draws);
        runFor(direct, hosts[0], 10000);
        runFor(scripted, hosts[1], 10000);
        ASSERT_GT(scripted.rng.scriptedLeft(), 0u);
        EXPECT_EQ(direct.nHD, scripted.nHD);
        EXPECT_EQ(direct.nD2, scripted.nD2);
        EXPECT_EQ(direct.lnW, scripted.lnW);
        EXPECT_EQ(direct.nDistFound, scripted.nDistFound);
        EXPECT_EQ(direct.reg.regFreq, scripted.reg.regFreq);
    }
}

TEST(UniformRandom, BitsTimesScaledCountEqualsTheFloatProduct)
{
    UniformRandom rng;
    rng.seed(8);
    const double ns[] = {2, 3, 1000, 16777217, 536870913, 2147483647};
    for (double n : ns) {
        for (int i = 0; i < 20000; ++i) {
            const std::uint32_t k = i == 0 ? 0xFFFFFFu : rng.engine().nextBits();
            const float r = float(k) * 0x1.0p-24f;
            ASSERT_EQ(std::int64_t(double(k) * (n * 0x1.0p-24)), std::int64_t(double(r) * n))
                    << n << ' ' << k;
        }
    }
}

TEST(UpdateStatistics, BestTextsFollowEveryChangeOfWhatTheyShow)
{
    // The texts of the most probable distribution are kept between calls;
    // each change of the value, of its kind or of the separator shows.
    Simulation sim;
    FakeHost host;
    sim.setHost(&host);
    struct Row
    {
        const char *what;
        std::function<void()> change;
        const char *bestQ, *logW, *wMax;
    };
    const Row rows[] = {
            {"first",
             [&] {
                 sim.QBest.setNumber(100.0 / 96);
                 sim.lnWBest = 20.5;
             },
             "1.04166666666667",
             "8.903",
             "8.00E+08"},
            {"same again", [] {}, "1.04166666666667", "8.903", "8.00E+08"},
            {"ln W", [&] { sim.lnWBest = 0; }, "1.04166666666667", "0.000", "1"},
            {"Q as text", [&] { sim.QBest.setText("infinite"); }, "infinite", "0.000", "1"},
            {"Q as number", [&] { sim.QBest.setNumber(kInfiniteQ); }, "1E+300", "0.000", "1"},
            {"separator",
             [&] {
                 sim.QBest.setNumber(2.5);
                 sim.decimalPoint = ',';
             },
             "2,5",
             "0,000",
             "1"},
    };
    for (const Row &row : rows) {
        row.change();
        sim.UpdateStatistics();
        EXPECT_EQ(host.Label(MainLabel::BestQ), row.bestQ) << row.what;
        EXPECT_EQ(host.Label(MainLabel::logW), row.logW) << row.what;
        EXPECT_EQ(host.Label(MainLabel::Wmax), row.wMax) << row.what;
    }
}

} // namespace
} // namespace kormix
