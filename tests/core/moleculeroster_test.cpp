// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/moleculeroster.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kormix {
namespace {

using test::FakeHost;

std::string text(const Composition &c)
{
    return std::to_string(c.nH2) + " H2, " + std::to_string(c.nHD) + " HD, " + std::to_string(c.nD2)
           + " D2";
}

int countOf(const Composition &c, int kind)
{
    return kind == 0 ? c.nH2 : kind == 1 ? c.nHD : c.nD2;
}

// The kind of every molecule, by number (element 0 unused), after checking
// that places and numbers match one to one and that every molecule has the
// kind of its place.
std::vector<int> kindsByNumber(const MoleculeRoster &roster)
{
    const std::int64_t n = roster.size();
    std::vector<int> kinds(std::size_t(n + 1), -1);
    int counted[3] = {0, 0, 0};
    for (std::int64_t place = 1; place <= n; ++place) {
        const std::int64_t number = roster.numberAt(place);
        EXPECT_GE(number, 1);
        EXPECT_LE(number, n);
        if (number < 1 || number > n)
            continue;
        EXPECT_EQ(kinds[std::size_t(number)], -1) << "molecule " << number << " twice";
        EXPECT_EQ(roster.placeOf(number), place);
        kinds[std::size_t(number)] = roster.kindAtPlace(place);
        EXPECT_EQ(roster.kindOf(number), kinds[std::size_t(number)]);
        ++counted[kinds[std::size_t(number)]];
    }
    EXPECT_EQ((Composition{counted[0], counted[1], counted[2]}), roster.counts());
    return kinds;
}

// Follows the counts and checks that exactly the fewest molecules change
// kind: of the molecules that stay, sum max(0, c_k - n_k).
void followAndCheck(MoleculeRoster &roster, const Composition &to)
{
    SCOPED_TRACE(text(roster.counts()) + " -> " + text(to));
    const std::vector<int> before = kindsByNumber(roster);
    roster.follow(to);
    EXPECT_EQ(roster.counts(), to);
    const std::vector<int> after = kindsByNumber(roster);
    const std::size_t staying = std::min(before.size(), after.size());
    int stayingKinds[3] = {0, 0, 0};
    int changed = 0;
    for (std::size_t m = 1; m < staying; ++m) {
        ++stayingKinds[before[m]];
        changed += before[m] != after[m];
    }
    int fewest = 0;
    for (int kind = 0; kind < 3; ++kind)
        fewest += std::max(0, stayingKinds[kind] - countOf(to, kind));
    EXPECT_EQ(changed, fewest);
}

std::vector<Composition> compositionsUpTo(int molecules)
{
    std::vector<Composition> all;
    for (int n = 0; n <= molecules; ++n) {
        for (int h2 = 0; h2 <= n; ++h2) {
            for (int hd = 0; h2 + hd <= n; ++hd)
                all.push_back({h2, hd, n - h2 - hd});
        }
    }
    return all;
}

// Reacts a random pair that can react, if there is one: places 1..nH2 hold
// the H2, then come the HD, then the D2.
void reactSomePair(MoleculeRoster &roster, std::mt19937 &random)
{
    const std::int64_t h = roster.counts().nH2;
    const std::int64_t x = roster.counts().nHD;
    const std::int64_t n = roster.size();
    auto in = [&](std::int64_t from, std::int64_t to) {
        return std::uniform_int_distribution<std::int64_t>(from, to)(random);
    };
    const bool forward = h > 0 && n - h - x > 0;
    if (x >= 2 && (!forward || in(0, 1) == 0)) {
        const std::int64_t p = in(h + 1, h + x);
        std::int64_t q = in(h + 1, h + x - 1);
        q += q >= p;
        roster.react(p, q);
    } else if (forward) {
        const std::int64_t p = in(1, h);
        const std::int64_t q = in(h + x + 1, n);
        if (in(0, 1) == 0)
            roster.react(p, q);
        else
            roster.react(q, p);
    }
}

// A roster with a history: sizes and kinds changed back and forth and
// molecules exchanged by reactions, so that numbers and places differ.
MoleculeRoster scrambled(const Composition &counts, std::mt19937 &random)
{
    MoleculeRoster roster;
    std::uniform_int_distribution<int> count(0, 4);
    for (int step = 0; step < 6; ++step) {
        roster.follow({count(random), count(random), count(random)});
        for (int r = 0; r < 3; ++r)
            reactSomePair(roster, random);
    }
    roster.follow(counts);
    return roster;
}

// From every composition of up to six molecules to every other: growing,
// shrinking and keeping the size, from a roster with a history.
TEST(MoleculeRoster, EveryChangeOfCompositionChangesTheFewestMolecules)
{
    const std::vector<Composition> all = compositionsUpTo(6);
    std::mt19937 random(19);
    for (const Composition &from : all) {
        const MoleculeRoster start = scrambled(from, random);
        for (const Composition &to : all) {
            MoleculeRoster roster = start;
            followAndCheck(roster, to);
        }
    }
}

// Longer histories in larger systems, reactions and changes mixed.
TEST(MoleculeRoster, LongHistoriesStayConsistentAndMinimal)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> count(0, 40);
    std::uniform_int_distribution<int> what(0, 3);
    MoleculeRoster roster;
    for (int step = 0; step < 400; ++step) {
        if (what(random) == 0) {
            followAndCheck(roster, {count(random), count(random), count(random)});
        } else {
            // The same size, as after collisions at full speed.
            const Composition c = roster.counts();
            const int n = int(c.molecules());
            const int h2 = std::uniform_int_distribution<int>(0, n)(random);
            const int hd = std::uniform_int_distribution<int>(0, n - h2)(random);
            for (int r = 0; r < 5; ++r)
                reactSomePair(roster, random);
            followAndCheck(roster, {h2, hd, n - h2 - hd});
        }
    }
    // Changes that keep the size add no runs of places for good: each may
    // cut one run in two, and the next joins it again.
    roster.follow({30, 30, 30});
    const std::size_t pieces = roster.pieceCount();
    for (int step = 0; step < 200; ++step) {
        const int h2 = std::uniform_int_distribution<int>(0, 90)(random);
        const int hd = std::uniform_int_distribution<int>(0, 90 - h2)(random);
        roster.follow({h2, hd, 90 - h2 - hd});
        EXPECT_LE(roster.pieceCount(), pieces + 1);
    }
}

TEST(MoleculeRoster, FromNothingMoleculeIIsAtPlaceI)
{
    MoleculeRoster roster;
    roster.follow({2, 3, 4});
    for (std::int64_t place = 1; place <= 9; ++place)
        EXPECT_EQ(roster.numberAt(place), place);
    EXPECT_EQ(roster.pieceCount(), 1u);
    EXPECT_EQ(roster.exchangedCount(), 0u);
}

// Exactly the two molecules that react change kind, into the right kinds;
// a pair that cannot react changes nothing.
TEST(MoleculeRoster, AReactionChangesTheKindOfExactlyItsTwoMolecules)
{
    const struct
    {
        const char *what;
        Composition counts;
        std::int64_t first, second;
        int firstAfter, secondAfter;
    } cases[] = {
            // 1..3 H2, 4..5 HD, 6..8 D2
            {"H2 + D2", {3, 2, 3}, 2, 7, 1, 1},
            {"D2 + H2", {3, 2, 3}, 8, 1, 1, 1},
            {"the last H2 and the first D2", {3, 2, 3}, 3, 6, 1, 1},
            {"the first D2 and the last H2", {3, 2, 3}, 6, 3, 1, 1},
            {"no HD before", {1, 0, 1}, 1, 2, 1, 1},
            // 1..2 H2, 3..6 HD, 7..8 D2; the first becomes H2
            {"HD + HD", {2, 4, 2}, 4, 5, 0, 2},
            {"HD + HD the other way", {2, 4, 2}, 5, 4, 0, 2},
            {"the first and the last HD", {2, 4, 2}, 3, 6, 0, 2},
            {"the last and the first HD", {2, 4, 2}, 6, 3, 0, 2},
            {"the second at the first HD place", {2, 4, 2}, 5, 3, 0, 2},
            {"the first at the last HD place", {2, 4, 2}, 6, 4, 0, 2},
            {"only HD", {0, 2, 0}, 2, 1, 0, 2},
            {"H2 + HD", {2, 2, 2}, 1, 3, -1, -1},
            {"D2 + D2", {2, 2, 2}, 5, 6, -1, -1},
            {"HD + D2", {2, 2, 2}, 4, 6, -1, -1},
    };
    std::mt19937 random(3);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MoleculeRoster roster = scrambled(c.counts, random);
        const std::vector<int> before = kindsByNumber(roster);
        const std::int64_t first = roster.numberAt(c.first);
        const std::int64_t second = roster.numberAt(c.second);
        roster.react(c.first, c.second);
        const std::vector<int> after = kindsByNumber(roster);
        for (std::size_t m = 1; m < before.size(); ++m) {
            const int expected = std::int64_t(m) == first && c.firstAfter >= 0     ? c.firstAfter
                                 : std::int64_t(m) == second && c.secondAfter >= 0 ? c.secondAfter
                                                                                   : before[m];
            EXPECT_EQ(after[m], expected) << "molecule " << m;
        }
    }
}

// The largest system the program allows costs what a small one does.
TEST(MoleculeRoster, TheLargestSystemsKeepLittle)
{
    constexpr std::int32_t kHalf = 1 << 30;
    MoleculeRoster roster;
    roster.follow({kHalf - 1, 1, kHalf - 1}); // 2^31 - 1 molecules
    std::mt19937 random(5);
    std::uniform_int_distribution<std::int64_t> place(1, roster.size());
    for (int r = 0; r < 100; ++r)
        reactSomePair(roster, random);
    EXPECT_LE(roster.exchangedCount(), 400u);
    // Far from equilibrium to near it and back, as at full speed, and H2
    // turned into D2 directly.
    roster.follow({kHalf / 2, kHalf - 1, kHalf / 2});
    roster.follow({kHalf - 1, 1, kHalf - 1});
    roster.follow({kHalf - 3, 1, kHalf + 1});
    EXPECT_LE(roster.pieceCount(), 2u);
    // Shrinking by a few molecules and growing again.
    roster.follow({kHalf - 10, 5, kHalf - 1});
    roster.follow({kHalf - 3, 8, kHalf - 1});
    EXPECT_LE(roster.pieceCount(), 16u);
    EXPECT_LE(roster.exchangedCount(), 400u);
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t p = place(random);
        ASSERT_EQ(roster.placeOf(roster.numberAt(p)), p);
    }
}

// The step log names molecules by their lasting numbers: after every
// collision of a seeded run the roster's kinds count up to the run's counts,
// the pair logged has the kinds the engine saw, and only a reaction changes
// kinds, those of its two molecules.
TEST(MoleculeRoster, FollowsEveryCollisionOfALoggedRun)
{
    FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "9", "2", "7", 17);
    sim.stepLog.setRecording(true);
    std::vector<int> before;
    int reactions = 0;
    for (int collision = 1; collision <= 3000; ++collision) {
        sim.runCollisionsFor(1);
        const StepEntry entry = sim.stepLog.entries().back();
        ASSERT_EQ(entry.collision, sim.nCollisions);
        const std::vector<int> after = kindsByNumber(sim.roster);
        ASSERT_EQ(sim.roster.counts(), (Composition{sim.nH2, sim.nHD, sim.nD2}));
        if (!before.empty()) {
            EXPECT_NE(entry.first, entry.second);
            EXPECT_EQ(before[std::size_t(entry.first)], entry.firstKind);
            EXPECT_EQ(before[std::size_t(entry.second)], entry.secondKind);
            int changed = 0;
            for (std::size_t m = 1; m < after.size(); ++m)
                changed += before[m] != after[m];
            const bool reacted = entry.outcome != StepOutcome::Unchanged;
            EXPECT_EQ(changed, reacted ? 2 : 0) << "collision " << collision;
            EXPECT_EQ(after[std::size_t(entry.first)] != entry.firstKind, reacted);
            reactions += reacted;
        }
        before = after;
    }
    EXPECT_GT(reactions, 500);
}

// The pair named is the pair at the places the engine drew.
TEST(MoleculeRoster, TheLogNamesTheMoleculesAtThePlacesDrawn)
{
    FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "3", "2", "3", 4);
    sim.stepLog.setRecording(true);
    sim.runCollisionsFor(40); // numbers and places now differ
    const MoleculeRoster roster = sim.roster;
    // Places floor(r * 8) + 1: 2 and 7, then 5 and 4.
    sim.rng.script({0.2f, 0.8f, 0.5f, 0.4f, 0.9f});
    sim.runCollisionsFor(1);
    const StepEntry entry = sim.stepLog.entries().back();
    EXPECT_EQ(entry.first, roster.numberAt(2));
    EXPECT_EQ(entry.second, roster.numberAt(7));
}

// A revision from inside the logged loop: the next collision names the
// molecules of the new system.
TEST(MoleculeRoster, TheLoggedLoopFollowsARevisionMadeWhileItRuns)
{
    FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "20", "0", "20", 8);
    sim.stepLog.setRecording(true);
    sim.setCollisionsPerService(1);
    test::reviseAt(sim, host, 10, "1", "2", "0");
    sim.runCollisionsFor(30);
    ASSERT_EQ(sim.nMolecules, 3);
    EXPECT_EQ(sim.roster.counts(), (Composition{sim.nH2, sim.nHD, sim.nD2}));
    for (const StepEntry &entry : sim.stepLog.entries()) {
        EXPECT_LE(entry.first, 3);
        EXPECT_LE(entry.second, 3);
    }
}

} // namespace
} // namespace kormix
