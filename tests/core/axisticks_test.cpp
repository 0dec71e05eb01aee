// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The ticks of the charts' value axes: round, few enough, and never two that
// read alike, from the first collision to runs of billions and from
// probabilities of a few molecules to those of two billion.
#include "core/axisticks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kormix {
namespace {

using Texts = std::vector<std::string>;

struct TickCase
{
    const char *what;
    double low, high;
    int maxCount;
    double minStep;
    bool widen;
    char decimalPoint;
    Texts texts;
    double shownLow, shownHigh;
};

const TickCase kTickCases[] = {
        {"collisions before the first", 0, 1, 6, 1, true, '.', {"0", "1"}, 0, 1},
        {"collisions after two steps", 0, 2, 6, 1, true, '.', {"0", "1", "2"}, 0, 2},
        {"a long run",
         0,
         1.4e9,
         6,
         1,
         true,
         '.',
         {"0", "5\u00b710\u2078", "1\u00b710\u2079", "1.5\u00b710\u2079"},
         0,
         1.5e9},
        {"a run of a few thousand",
         0,
         4321,
         6,
         1,
         true,
         '.',
         {"0", "1000", "2000", "3000", "4000", "5000"},
         0,
         5000},
        {"P at a million molecules",
         0,
         0.00236,
         6,
         0,
         true,
         ',',
         {"0,0000", "0,0005", "0,0010", "0,0015", "0,0020", "0,0025"},
         0,
         0.0025},
        {"P at two billion molecules",
         0,
         2.6e-5,
         6,
         0,
         true,
         '.',
         {"0", "1\u00b710\u207b\u2075", "2\u00b710\u207b\u2075", "3\u00b710\u207b\u2075"},
         0,
         3e-5},
        {"a narrow range of HD fraction, not widened",
         0.4921,
         0.5079,
         6,
         0,
         false,
         ',',
         {"0,495", "0,500", "0,505"},
         0.4921,
         0.5079},
        {"the HD fraction of two billion molecules",
         0.49991,
         0.50009,
         6,
         0,
         false,
         '.',
         {"0.49995", "0.50000", "0.50005"},
         0.49991,
         0.50009},
        {"ln W about a million, a few apart",
         999999.5,
         1000001.5,
         5,
         0,
         false,
         '.',
         {"9.999995\u00b710\u2075",
          "1\u00b710\u2076",
          "1.0000005\u00b710\u2076",
          "1.000001\u00b710\u2076",
          "1.0000015\u00b710\u2076"},
         999999.5,
         1000001.5},
        {"negative values", -3.2, 1.1, 6, 0, false, '.', {"-3", "-2", "-1", "0", "1"}, -3.2, 1.1},
        {"a range without width",
         5,
         5,
         6,
         0,
         true,
         '.',
         {"5.0", "5.2", "5.4", "5.6", "5.8", "6.0"},
         5,
         6},
        {"too narrow for one tick of the first step",
         0.31,
         0.34,
         2,
         0,
         false,
         '.',
         {"0.32", "0.34"},
         0.31,
         0.34},
};

TEST(AxisTicks, RoundStepsAndTextsThatTellEveryTickApart)
{
    for (const TickCase &c : kTickCases) {
        SCOPED_TRACE(c.what);
        const AxisTicks ticks = niceTicks(c.low, c.high, c.maxCount, c.minStep, c.widen);
        EXPECT_EQ(tickTexts(ticks, c.decimalPoint), c.texts);
        EXPECT_DOUBLE_EQ(ticks.low, c.shownLow);
        EXPECT_DOUBLE_EQ(ticks.high, c.shownHigh);
        ASSERT_GT(ticks.count, 0);
        EXPECT_GE(ticks.value(0), ticks.low);
        EXPECT_LE(ticks.value(ticks.count - 1), ticks.high);
    }
}

// Whatever the range, two ticks at least, no more than asked for (or five,
// where a coarser step holds fewer than two), and no two texts alike: at the
// limits of a double as well.
TEST(AxisTicks, NeverTwoAlike)
{
    const double ranges[][2] = {{0, 1},
                                {1e17, 1e17},
                                {9.2e18, 9.2e18 + 4096},
                                {0, 1e-300},
                                {2.2e9 - 3e4, 2.2e9 + 3e4},
                                {0.49999, 0.50001},
                                {-1e6, 1e6}};
    for (const auto &range : ranges) {
        for (int maxCount : {2, 5, 7}) {
            SCOPED_TRACE(std::to_string(range[0]) + " " + std::to_string(maxCount));
            const AxisTicks ticks = niceTicks(range[0], range[1], maxCount);
            const Texts texts = tickTexts(ticks);
            EXPECT_GE(texts.size(), 2u);
            EXPECT_LE(texts.size(), std::size_t(std::max(maxCount, 5)));
            EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
        }
    }
}

// A logarithmic axis: 1, 2 and 5 of every decade while they are few enough,
// then the powers of ten, then every second or third of them.
TEST(LogTicks, RoundValuesOfEveryDecadeAsFewAsAsked)
{
    const struct
    {
        const char *what;
        double low, high;
        int maxCount;
        char decimalPoint;
        Texts texts;
    } cases[] = {
            {"the temperatures offered",
             20,
             3000,
             7,
             '.',
             {"20", "50", "100", "200", "500", "1000", "2000"}},
            {"too many for 1, 2 and 5", 20, 3000, 6, '.', {"100", "1000"}},
            {"the first collisions", 1, 10, 7, '.', {"1", "2", "5", "10"}},
            {"a long run", 1, 1.5e9, 7, '.', {"1", "100", "10000", "1·10⁶", "1·10⁸"}},
            {"a long run, few ticks", 1, 1.5e9, 3, '.', {"1", "10000", "1·10⁸"}},
            {"below one, with a comma", 0.02, 0.6, 7, ',', {"0,02", "0,05", "0,1", "0,2", "0,5"}},
            {"ends on ticks", 2, 5, 7, '.', {"2", "5"}},
            {"within a decade", 21, 49, 7, '.', {}},
            {"not positive", 0, 10, 7, '.', {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Texts texts;
        for (const LogTick &tick : logTicks(c.low, c.high, c.maxCount, c.decimalPoint)) {
            EXPECT_GE(tick.value, c.low * (1 - 1e-12));
            EXPECT_LE(tick.value, c.high * (1 + 1e-12));
            texts.push_back(tick.text);
        }
        EXPECT_EQ(texts, c.texts);
    }
    EXPECT_EQ(logTicks(20, 3000, 7)[1], (LogTick{50, "50"}));
}

} // namespace
} // namespace kormix
