// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/numberformat.h"
#include "core/random.h"
#include "tests/common/germannumbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace kormix {
namespace {

const struct WCase
{
    double lnW;
    const char *text;
} kWCases[] = {
        {-1, ""},
        {0, "1"},
        {12.12679131460246, "184756"},
        {13.815510557964274, "1000000"}, // W just below 1000000 rounds up
        {std::log(1000001.0), "1.00E+06"},
        {24.58769220771333, "4.77E+10"},
        {699.999, "1.01E+304"},
        {700, "1.01E+304"},
        {1382.2679935374852, "2.05E+600"},
        {702.6, "1.37E+305"},
};

void expectWTexts()
{
    for (const WCase &c : kWCases)
        EXPECT_EQ(FormatW(c.lnW), c.text) << "ln W = " << c.lnW;
}

TEST(FormatW, TextsForSmallAndHugeW)
{
    expectWTexts();
}

TEST(FormatW, MantissaRoundingToTenIsNotRenormalised)
{
    // log10 W = 700.9999: the mantissa 9.9977 shows as "10."
    EXPECT_EQ(FormatW(700.9999 * 2.302585092994046), "10.E+700");
}

const struct PatternCase
{
    double value;
    const char *pattern;
    char point;
    const char *text;
} kPatternCases[] = {
        {0.4, "#", '.', ""},
        {184756.4, "#", '.', "184756"},
        {1.014, "#.##", '.', "1.01"},
        {2.5, "#.##", '.', "2.5"},
        {3, "#.##", '.', "3."},
        {0.25, "#.##", '.', ".25"},
        {100.0 / 3, "0.00", '.', "33.33"},
        {100.0 / 3, "0.00", ',', "33,33"},
        {0, "##0.00", '.', "0.00"},
        {1234.5678, "##0.00", '.', "1234.57"},
        {-0.001, "0.00", '.', "0.00"},
        {20.5 / 2.30258509299405, "0.000", '.', "8.903"},
        {1.0 / 3, "0.00000000000", '.', "0.33333333333"},
        {1, "0.00000000000", '.', "1.00000000000"},
        {47675916288, "scientific", '.', "4.77E+10"},
        {1000000, "scientific", '.', "1.00E+06"},
        {9.996e9, "scientific", ',', "1,00E+10"},
};

void expectPatternTexts()
{
    for (const PatternCase &c : kPatternCases)
        EXPECT_EQ(formatNumber(c.value, c.pattern, c.point), c.text)
                << c.value << " as " << c.pattern;
}

TEST(FormatNumber, Patterns)
{
    expectPatternTexts();
}

const struct PlainCase
{
    double value;
    char point;
    const char *text;
} kPlainCases[] = {
        {100.0 / 96, '.', "1.04166666666667"},
        {1E+300, '.', "1E+300"},
        {1.5E-07, '.', "1.5E-07"},
        {100 * (10.0 / 30), '.', "33.3333333333333"},
        {100, '.', "100"},
        {0, '.', "0"},
        {-0.0, '.', "0"},
        {0.5, ',', "0,5"},
        {-2.25, '.', "-2.25"},
        {123456789012345, '.', "123456789012345"},
        {1E15, '.', "1E+15"},
};

void expectPlainTexts()
{
    for (const PlainCase &c : kPlainCases)
        EXPECT_EQ(numberToText(c.value, c.point), c.text) << c.value;
}

TEST(NumberToText, FifteenSignificantDigits)
{
    expectPlainTexts();
}

const struct ReadCase
{
    std::string text;
    double value;
} kReadCases[] = {
        {"12abc", 12},      {"", 0},
        {"abc", 0},         {" 1 2 ", 12},
        {"\t-3\n", -3},     {"- 4", -4},
        {"+4", 4},          {"2.5", 2.5},
        {".5", 0.5},        {"1.5.2", 1.5},
        {"1e3", 1000},      {"1E+2x", 100},
        {"1e", 1},          {"1e-", 1},
        {"-", 0},           {"--5", 0},
        {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX},
        {"1e-999", 0},      {"2,5", 2},
};

void expectReadings()
{
    for (const ReadCase &c : kReadCases)
        EXPECT_EQ(readNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadNumber, LenientReading)
{
    expectReadings();
}

TEST(ReadNumber, ValuesBeyondADoubleAreHeldAtTheLargestOneWhateverTheirForm)
{
    const std::string zeros400(400, '0');
    const ReadCase cases[] = {
            {"0.5e400", DBL_MAX},
            {".5e999", DBL_MAX},
            {"0.1e999", DBL_MAX},
            {"1" + zeros400 + "e-10", DBL_MAX},
            {"1" + zeros400, DBL_MAX},
            {"-0.5e400", -DBL_MAX},
            {"-.5e999", -DBL_MAX},
            {"0.000001e315", DBL_MAX},
            {"1e99999999999999999999999", DBL_MAX},
            // Far too small is 0, however the digits stand.
            {"1e-400", 0},
            {"0.5e-400", 0},
            {"1000e-400", 0},
            {"-1e-400", -0.0},
            {"0." + zeros400 + "1", 0},
            {"1e-99999999999999999999999", 0},
            // Within range, however long the digits.
            {"0." + zeros400 + "5e400", 0.5},
            {"1" + zeros400 + "e-400", 1},
            {"0e999", 0},
            {"1.5e308", 1.5e308},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE('"' + c.text.substr(0, 40) + '"');
        const double v = readNumber(c.text);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(std::signbit(v), std::signbit(c.value));
    }
}

TEST(NumberToEntryText, ReadsBackAsTheSameCount)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
            {10, "10"},
            {3.5, "3.5"},
            {-6, "-6"},
            {0.1 + 0.1 + 0.1, "0.3"}, // 15 digits read back as the same count
            {1E+300, "1E+300"},
            // 15 digits would show 2000000001.5, a count of 2000000002.
            {2 * 1000000000.7499998, "2000000001.4999995"},
            // Beyond a double: the largest one, whose 15 digits lie beyond a
            // double too and so read back as the largest one again.
            {DBL_MAX, "1.79769313486232E+308"},
            {HUGE_VAL, "1.79769313486232E+308"},
            {-HUGE_VAL, "-1.79769313486232E+308"},
            {DBL_MAX / 2, "8.988465674311579E+307"},
    };
    for (const auto &c : cases) {
        const std::string text = numberToEntryText(c.value);
        EXPECT_EQ(text, c.text) << c.value;
        const double held = std::isinf(c.value) ? std::copysign(DBL_MAX, c.value) : c.value;
        EXPECT_EQ(roundHalfEven(readNumber(text)), roundHalfEven(held)) << text;
    }
}

// The C library's point is not the program's: under a German LC_NUMERIC every
// text keeps the separator it was asked for, and reading keeps the point.
TEST(NumberTexts, IgnoreTheCLibrarysLocale)
{
    test::GermanNumbers german;
    ASSERT_TRUE(german.active()) << test::GermanNumbers::kMissing;
    expectWTexts();
    expectPatternTexts();
    expectPlainTexts();
    expectReadings();
    EXPECT_EQ(numberToEntryText(3.5), "3.5");
    EXPECT_EQ(numberToEntryText(2 * 1000000000.7499998), "2000000001.4999995");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const double cases[][2]
            = {{2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {2.4, 2}, {2.6, 3}};
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfEven(c[0]), c[1]) << c[0];
}

TEST(IsEntryKey, EnterAndTabOnly)
{
    EXPECT_TRUE(IsEntryKey(13));
    EXPECT_TRUE(IsEntryKey(9));
    for (int key : {0, 8, 10, 27, 32, 48, 78})
        EXPECT_FALSE(IsEntryKey(key)) << key;
}

} // namespace
} // namespace kormix

#include "core/random.h"

namespace kormix {
namespace {

TEST(UniformRandom, DrawsLieInTheUnitIntervalAndFollowTheScript)
{
    UniformRandom rng;
    rng.seed(1);
    for (int i = 0; i < 100000; ++i) {
        const float r = rng.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
    rng.script({0.5f, 0.25f});
    EXPECT_EQ(rng.next(), 0.5f);
    EXPECT_EQ(rng.next(), 0.25f);
    EXPECT_FALSE(rng.scripted());
    rng.fixSeed(9);
    const float first = rng.next();
    rng.seedFromClock(); // a fixed seed makes every reseed repeat the run
    EXPECT_EQ(rng.next(), first);
}

TEST(UniformRandom, ClockSeedsNeverRepeatAndEverySeedCanBeTakenAgain)
{
    // Many systems set up within one second: each gets a sequence of its own.
    UniformRandom rng;
    std::vector<std::uint64_t> seeds;
    std::vector<float> firstDraws;
    for (int i = 0; i < 1000; ++i) {
        rng.seedFromClock();
        seeds.push_back(rng.currentSeed());
        firstDraws.push_back(rng.next());
    }
    std::vector<std::uint64_t> distinct = seeds;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
    // 1000 draws of 2^24 values: a repeat or two may happen by chance, a
    // run of repeated sequences may not.
    std::sort(firstDraws.begin(), firstDraws.end());
    EXPECT_GT(std::unique(firstDraws.begin(), firstDraws.end()) - firstDraws.begin(), 990);

    // The seed shown for a run repeats it.
    const std::uint64_t seed = seeds[500];
    UniformRandom again;
    again.seed(seed);
    UniformRandom original;
    original.seed(seeds[500]);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(again.next(), original.next());

    // A fixed seed holds until it is cleared; then the clock takes over.
    rng.fixSeed(77);
    rng.seedFromClock();
    EXPECT_EQ(rng.currentSeed(), 77u);
    EXPECT_TRUE(rng.hasFixedSeed());
    rng.clearFixedSeed();
    rng.seedFromClock();
    EXPECT_FALSE(rng.hasFixedSeed());
    EXPECT_NE(rng.currentSeed(), 77u);
}

} // namespace
} // namespace kormix
