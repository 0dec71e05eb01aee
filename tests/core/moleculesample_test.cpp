// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/moleculesample.h"

#include <gtest/gtest.h>

#include <string>

namespace kormix {
namespace {

std::string text(const Composition &c)
{
    return std::to_string(c.nH2) + " H2, " + std::to_string(c.nHD) + " HD, " + std::to_string(c.nD2)
           + " D2";
}

Composition counted(const std::vector<std::int8_t> &kinds)
{
    std::int32_t n[3] = {0, 0, 0};
    for (std::int8_t kind : kinds)
        ++n[kind];
    return {n[0], n[1], n[2]};
}

TEST(SampleCounts, LargestRemaindersSumToTheSample)
{
    const struct
    {
        Composition system;
        Composition sample;
    } cases[] = {
            {{500000, 0, 500000}, {200, 0, 200}},
            {{250000, 500000, 250000}, {100, 200, 100}},
            // Shares 133.3332, 133.3336, 133.3332: the one left over goes to HD.
            {{333333, 333334, 333333}, {133, 134, 133}},
            // 0.0004 and 399.9992: the rare kinds are not drawn.
            {{1, 999998, 1}, {0, 400, 0}},
            // Shares 1.0004, 398.9992, 0.0004: the one left over goes to HD.
            {{2501, 997498, 1}, {1, 399, 0}},
            // 121.6 beats 139.2 twice.
            {{304, 348, 348}, {122, 139, 139}},
            // 120.8, 139.6, 139.6: two left over, to H2 and, of the equal
            // two, to HD.
            {{302, 349, 349}, {121, 140, 139}},
            // Equal remainders: H2 before HD before D2.
            {{501, 501, 501}, {134, 133, 133}},
            {{0, 1001, 1001}, {0, 200, 200}},
            {{0, 0, 2147483647}, {0, 0, 400}},
            {{0, 0, 0}, {0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(text(c.system));
        const Composition s = sampleCounts(c.system);
        EXPECT_EQ(s, c.sample) << text(s);
        if (c.system.molecules() == 0)
            continue;
        EXPECT_EQ(s.molecules(), kDrawnMolecules);
        // Every count lies within one molecule of its exact share.
        const std::int64_t n = c.system.molecules();
        const std::int64_t exact[3] = {std::int64_t(c.system.nH2) * 400,
                                       std::int64_t(c.system.nHD) * 400,
                                       std::int64_t(c.system.nD2) * 400};
        const std::int64_t got[3] = {s.nH2, s.nHD, s.nD2};
        for (int k = 0; k < 3; ++k) {
            EXPECT_GT(got[k] * n, exact[k] - n);
            EXPECT_LT(got[k] * n, exact[k] + n);
        }
    }
}

// A sample of a million molecules follows a run's compositions: it always
// holds the counts of its proportions, and changes only the places it must.
TEST(MoleculeSample, FollowsTheProportionsRecolouringTheFewest)
{
    const Composition path[] = {
            {500000, 0, 500000},
            {499000, 2000, 499000},
            {400000, 200000, 400000},
            {250000, 500000, 250000},
            {260000, 480000, 260000},
            {250000, 500000, 250000},
            {600000, 200000, 200000}, // revised: D2 made H2
            {0, 1000000, 0},
            {1, 999998, 1},
            {999999, 0, 1}, // set up anew
            {999999, 1, 0},
    };
    MoleculeSample sample;
    std::vector<std::int8_t> before;
    for (const Composition &system : path) {
        SCOPED_TRACE(text(system));
        sample.follow(system);
        const std::vector<std::int8_t> &kinds = sample.kinds();
        ASSERT_EQ(kinds.size(), std::size_t(kDrawnMolecules));
        const Composition target = sampleCounts(system);
        EXPECT_EQ(counted(kinds), target);
        if (!before.empty()) {
            const Composition was = counted(before);
            int changed = 0;
            for (std::size_t i = 0; i < kinds.size(); ++i)
                changed += kinds[i] != before[i];
            EXPECT_EQ(changed,
                      std::max(0, was.nH2 - target.nH2) + std::max(0, was.nHD - target.nHD)
                              + std::max(0, was.nD2 - target.nD2));
        }
        before = kinds;
    }
}

TEST(MoleculeSample, StartsInTheOrderOfKinds)
{
    MoleculeSample sample(6);
    sample.follow({3000, 2000, 1000});
    EXPECT_EQ(sample.kinds(), (std::vector<std::int8_t>{0, 0, 0, 1, 1, 2}));
    sample.follow({0, 0, 0});
    EXPECT_TRUE(sample.kinds().empty());
}

} // namespace
} // namespace kormix
