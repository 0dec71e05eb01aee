// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Stored reference outputs: the generator's first draws for a few seeds, the
// distributions file of a seeded run, and where seeded runs of every kind end
// (saving all or the best only, logged, following every change). A change to the engine that changes
// what a seeded run produces fails here, however plausible its results look.
// When such a change is meant, run the suite once with KORMIX_UPDATE_REFDATA=1
// to write the files anew, and let the review see the difference.
#include "core/distributionsfile.h"
#include "core/random.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

namespace kormix {
namespace {

namespace fs = std::filesystem;

fs::path refdata(const std::string &name)
{
    return fs::path(KORMIX_REFDATA_DIR) / name;
}

// Compares `text` with the stored file, or writes the file when asked to.
void expectMatchesReference(const std::string &name, const std::string &text)
{
    const fs::path path = refdata(name);
    if (std::getenv("KORMIX_UPDATE_REFDATA")) {
        std::ofstream(path, std::ios::binary) << text;
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing reference " << path;
    const std::string stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, stored) << "differs from " << path;
}

TEST(Refdata, FirstDrawsOfTheGeneratorForSomeSeeds)
{
    std::ostringstream text;
    for (std::uint64_t seed : {0ull, 1ull, 7ull, 20240601ull, 18446744073709551615ull}) {
        UniformRandom rng;
        rng.seed(seed);
        text << seed << ':';
        // The draws as the engine uses them: 24-bit whole numbers k of k / 2^24.
        for (int i = 0; i < 8; ++i)
            text << ' ' << rng.engine().nextBits();
        text << '\n';
    }
    expectMatchesReference("generator-draws.txt", text.str());
}

TEST(Refdata, DistributionsFileOfASeededRun)
{
    // As "Setup System" with seed 7 makes it: 10 H2 and 10 D2, every
    // distribution saved, 10,000 collisions.
    test::FakeHost host;
    Simulation sim(&host);
    sim.rng.fixSeed(7);
    host.byMolecules("10", "0", "10");
    sim.SetupSystem();
    sim.BeginCollisions();
    ASSERT_EQ(sim.runCollisionsFor(10000), Simulation::LoopEnd::LimitReached);
    expectMatchesReference("seed7-10h2-10d2-10000.xls", distributionsText(sim));
}

// Seeded runs whose outcome is stored here: any change to what the collision
// loop draws, or to what it makes of a draw, changes one of these values.
struct Outcome
{
    std::int32_t nH2, nHD, nD2;
    std::uint64_t lnWBits; // the exact double of ln W
    std::int64_t nDistFound, bestCollision;
    std::int64_t forward, reverse, hdUnreacted;
    // Sum of e * regFreq(e) over the register: where the collisions went.
    std::int64_t weightedFreq;
    std::uint32_t nextDraw; // the generator's next 24 bits after the run

    bool operator==(const Outcome &) const = default;
};

void PrintTo(const Outcome &o, std::ostream *out)
{
    *out << '{' << o.nH2 << ", " << o.nHD << ", " << o.nD2 << ", 0x" << std::hex << o.lnWBits
         << std::dec << ", " << o.nDistFound << ", " << o.bestCollision << ", " << o.forward << ", "
         << o.reverse << ", " << o.hdUnreacted << ", " << o.weightedFreq << ", 0x" << std::hex
         << o.nextDraw << std::dec << '}';
}

enum class Mode { SaveAll, BestOnly, Logged, Fluctuations };

struct Run
{
    const char *h2, *hd, *d2;
    std::uint64_t seed;
    std::int64_t collisions;
    Mode mode;
};

struct Reference
{
    Run run;
    Outcome outcome;
};

Outcome outcomeOf(const Run &r)
{
    test::FakeHost host;
    host.fluctuations = r.mode == Mode::Fluctuations;
    Simulation sim(&host);
    sim.bTurbo = true;
    test::startSeeded(sim, host, r.h2, r.hd, r.d2, r.seed, r.mode != Mode::BestOnly);
    sim.stepLog.setRecording(r.mode == Mode::Logged);
    sim.runCollisionsFor(r.collisions);
    std::int64_t weighted = 0;
    for (int e = 1; e <= sim.nStored; ++e)
        weighted += e * sim.reg.regFreq[std::size_t(e)];
    const ReactionCounts &c = sim.observed.reactions;
    return {sim.nH2,
            sim.nHD,
            sim.nD2,
            std::bit_cast<std::uint64_t>(sim.lnW),
            sim.nDistFound,
            sim.bestCollision,
            c.forward,
            c.reverse,
            c.hdUnreacted,
            weighted,
            sim.rng.engine().nextBits()};
}

TEST(Refdata, SeededRunsEndWhereTheyAlwaysHave)
{
    const Reference references[] = {
            {{"10", "0", "10", 2024, 100'000, Mode::SaveAll},
             {6, 8, 6, 0x40381e20d6b3a18d, 10, 12, 13238, 13234, 13140, 610625, 0x806bb5}},
            {{"40", "3", "25", 77, 30'000, Mode::BestOnly},
             {25, 33, 10, 0x4055aabd76c7c39e, 16, 68, 3501, 3486, 3458, 22963, 0xa58f1a}},
            {{"1", "2", "1", 5, 1'000, Mode::Logged},
             {1, 2, 1, 0x400ef8383c50bb74, 3, 0, 184, 184, 162, 1435, 0x59ab80}},
            {{"300", "100", "600", 9, 200'000, Mode::Fluctuations},
             {129, 442, 429, 0x40941e61997b8234, 202, 1747, 20755, 20584, 20843, 35642993, 0x26f35c}},
            {{"100000", "0", "1", 3, 50'000, Mode::SaveAll},
             {99999, 2, 0, 0x4037b810ea5ff178, 2, 41106, 1, 0, 0, 58896, 0xbd763}},
    };
    for (const Reference &r : references) {
        SCOPED_TRACE(testing::Message()
                     << r.run.h2 << ' ' << r.run.hd << ' ' << r.run.d2 << ", seed " << r.run.seed);
        EXPECT_EQ(outcomeOf(r.run), r.outcome);
    }
}

} // namespace
} // namespace kormix
