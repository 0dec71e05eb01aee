// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The tab-separated tables of the equilibrium: exact fields for small
// systems whose values are known by hand.
#include "core/equilibrium/tables.h"
#include "core/numberformat.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kormix {
namespace {

std::vector<std::vector<std::string>> rowsOf(const std::string &text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        rows.push_back(fields);
    }
    return rows;
}

TEST(Tables, CompositionsOfTwoH2AndTwoD2)
{
    // W = 6, 48, 16 for 0, 2 and 4 HD: P = 3/35, 24/35, 8/35. The run spent
    // 1, 6 and 3 collisions in them.
    const ExactDistribution exact = exactDistribution(4, 4);
    StayShares shares(4, 4);
    shares.creditStay(0, 1);
    shares.creditStay(2, 6);
    shares.creditStay(4, 3);
    const auto rows = rowsOf(compositionsTable(exact, shares, ','));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{
                      "NH2", "NHD", "ND2", "%HD", "lnW", "W", "P", "collisions", "share"}));
    const std::vector<std::vector<std::string>> expected = {
            {"2", "0", "2", "0", "6", "0,0857142857142857", "1", "0,1"},
            {"1", "2", "1", "50", "48", "0,685714285714286", "6", "0,6"},
            {"0", "4", "0", "100", "16", "0,228571428571429", "3", "0,3"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto &r = rows[i + 1];
        ASSERT_EQ(r.size(), 9u);
        EXPECT_EQ((std::vector<std::string>{r[0], r[1], r[2], r[3], r[5], r[6], r[7], r[8]}),
                  expected[i])
                << "row " << i;
    }
    EXPECT_EQ(rows[1][4].substr(0, 6), "1,7917"); // ln 6
    // Every composition is kept: the line of all others holds nothing.
    EXPECT_EQ(rows[4], (std::vector<std::string>{"others", "", "", "", "", "", "0", "0", "0"}));
}

// Collisions spent in compositions too improbable to be kept still count:
// the line of all others holds them, and the shares add up to 1.
TEST(Tables, CollisionsOutsideTheKeptCompositionsCountInTheLineOfAllOthers)
{
    const struct
    {
        const char *what;
        std::int64_t atoms;                                       // of H and of D
        std::vector<std::pair<std::int32_t, std::int64_t>> stays; // nHD, collisions
        const char *others, *share;
    } cases[] = {
            {"10^6 H2 + 10^6 D2, 100 collisions at the start", 2000000, {{0, 100}}, "100", "1"},
            {"10^6 H2 + 10^6 D2, some collisions far from equilibrium",
             2000000,
             {{0, 50}, {2, 50}, {1000000, 250}, {1000002, 50}},
             "100",
             "0.25"},
            {"nothing credited yet", 2000000, {}, "0", "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ExactDistribution exact = exactDistribution(c.atoms, c.atoms);
        StayShares shares(c.atoms, c.atoms);
        for (const auto &[nHD, collisions] : c.stays)
            shares.creditStay(nHD, collisions);
        const auto rows = rowsOf(compositionsTable(exact, shares));
        ASSERT_EQ(rows.size(), exact.kept.size() + 2);
        EXPECT_EQ(rows.back(),
                  (std::vector<std::string>{"others", "", "", "", "", "", "0", c.others, c.share}));
        std::int64_t collisions = 0;
        double share = 0;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            collisions += std::stoll(rows[i][7]);
            share += std::stod(rows[i][8]);
        }
        EXPECT_EQ(collisions, shares.total());
        EXPECT_NEAR(share, shares.total() > 0 ? 1.0 : 0.0, 1e-12);
    }
}

TEST(Tables, SeriesNumbersTheRunsAcrossARevision)
{
    RunObservations observed;
    observed.beginRun({10, 0, 10});
    observed.recordPoint(0, {10, 0, 10}, 12.5);
    observed.recordPoint(50, {8, 4, 8}, 14.25);
    observed.markRevision(50);
    observed.beginRun({0, 6, 3});
    observed.recordPoint(0, {0, 6, 3}, 3.0);
    const auto rows = rowsOf(seriesTable(observed.series()));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"collision", "run", "NH2", "NHD", "ND2", "%HD", "lnW", "Q"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"0", "1", "10", "0", "10", "0", "12.5", "0"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"50", "1", "8", "4", "8", "20", "14.25", "0.25"}));
    EXPECT_EQ(rows[3],
              (std::vector<std::string>{
                      "50", "2", "0", "6", "3", "66.6666666666667", "3", "infinite"}));
}

TEST(Tables, ReactionsWithTheirExactChances)
{
    // 1 H2, 2 HD, 1 D2 (N = 4, 12 ordered pairs): an H2 meets the D2 in 2 of
    // them, the two HD meet in 2, and half of those react.
    const ReactionCounts counts{30, 20, 21};
    const auto rows = rowsOf(
            reactionsTable(counts, 200, Composition{1, 2, 1}, exactDistribution(4, 4)));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"reaction",
                                        "count",
                                        "per_collision",
                                        "expected_now",
                                        "expected_at_equilibrium"}));
    EXPECT_EQ(rows[1][0], "forward (H2 + D2 -> 2 HD)");
    EXPECT_EQ(rows[1][1], "30");
    EXPECT_EQ(rows[1][2], "0.15");
    EXPECT_EQ(rows[1][3], "0.166666666666667");
    EXPECT_EQ(rows[2][0], "reverse (2 HD -> H2 + D2)");
    EXPECT_EQ(rows[2][2], "0.1");
    EXPECT_EQ(rows[2][3], "0.0833333333333333"); // half of 1/6
    EXPECT_EQ(rows[3][0], "HD + HD met without reacting");
    EXPECT_EQ(rows[3][1], "21");
    EXPECT_EQ(rows[3][3], "0.0833333333333333");

    // At K = 3.26 an H2 + D2 meeting reacts 3.26 / 4 of the time, now as at
    // equilibrium: 2 * 1 * 1 / (4 * 3) * 0.815.
    const auto warm = rowsOf(
            reactionsTable(counts, 200, Composition{1, 2, 1}, exactDistribution(4, 4, 3.26)));
    EXPECT_EQ(warm[1][3], "0.135833333333333");
    EXPECT_EQ(warm[2][3], rows[2][3]);
}

// Below K = 4 the H2 + D2 meetings without a reaction get a line of their
// own: 1 - 3.26 / 4 of the meetings of 1 H2 and 1 D2, 2 / 12 of the pairs.
TEST(Tables, AtATemperatureTheH2D2MeetingsWithoutAReactionCount)
{
    const ReactionCounts counts{30, 20, 21, 7};
    const auto warm = rowsOf(
            reactionsTable(counts, 200, Composition{1, 2, 1}, exactDistribution(4, 4, 3.26)));
    ASSERT_EQ(warm.size(), 5u);
    EXPECT_EQ(warm[4][0], "H2 + D2 met without reacting");
    EXPECT_EQ(warm[4][1], "7");
    EXPECT_EQ(warm[4][2], "0.035");
    EXPECT_EQ(warm[4][3], "0.0308333333333333");
}

// A file of tables names its model in its first line, K and the
// temperature to 15 significant digits.
TEST(Tables, TheModelLineNamesTheModel)
{
    EXPECT_EQ(modelLine(EquilibriumModel{}), "# model: statistics only, K = 4\n");
    const auto cold = EquilibriumModel::hydrogenAt(20.5);
    ASSERT_TRUE(cold);
    EXPECT_EQ(modelLine(*cold, ','),
              "# model: hydrogen at 20,5 K, K = " + numberToText(cold->K(), ',') + "\n");
}

// What the file calls exact is the theory: at equilibrium the forward and
// the reverse reaction are equally likely, 190/1443 for 10 H2 + 10 D2.
TEST(Tables, ReactionsAtEquilibriumBalance)
{
    const auto rows = rowsOf(
            reactionsTable({}, 0, Composition{10, 0, 10}, exactDistribution(20, 20)));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][4], "0.131670131670132");
    EXPECT_EQ(rows[2][4], "0.131670131670132");
}

} // namespace
} // namespace kormix
