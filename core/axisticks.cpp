// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/axisticks.h"

#include "core/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <utility>

namespace kormix {

namespace {

double powerOfTen(int exponent)
{
    double p = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        p *= 10;
    return p;
}

// n * 10^exponent, as near as a double gets: a division by an exact power of
// ten where the exponent is negative, so that 3 * 10^-1 is the double 0.3.
double scaled(std::int64_t n, int exponent)
{
    return exponent >= 0 ? double(n) * powerOfTen(exponent) : double(n) / powerOfTen(-exponent);
}

// The next round step after mantissa * 10^exponent: 1, 2, 5, 10, 20, ...
void coarser(int &mantissa, int &exponent)
{
    if (mantissa == 5) {
        mantissa = 1;
        ++exponent;
    } else {
        mantissa = mantissa == 1 ? 2 : 5;
    }
}

void finer(int &mantissa, int &exponent)
{
    if (mantissa == 1) {
        mantissa = 5;
        --exponent;
    } else {
        mantissa = mantissa == 5 ? 2 : 1;
    }
}

// The ticks of one step over the range: inside it, or enclosing it.
void placeTicks(AxisTicks &ticks, bool widen)
{
    constexpr double kSlack = 1e-9; // a tick a rounding error outside still counts
    const double step = ticks.step();
    const double a = ticks.low / step;
    const double b = ticks.high / step;
    const double i0 = widen ? std::floor(a + kSlack) : std::ceil(a - kSlack);
    const double i1 = widen ? std::ceil(b - kSlack) : std::floor(b + kSlack);
    ticks.first = std::int64_t(i0);
    ticks.count = int(std::max(0.0, i1 - i0 + 1));
}

const char *const kSuperscripts[] = {"\u2070",
                                     "\u00b9",
                                     "\u00b2",
                                     "\u00b3",
                                     "\u2074",
                                     "\u2075",
                                     "\u2076",
                                     "\u2077",
                                     "\u2078",
                                     "\u2079"};

std::string superscript(int exponent)
{
    std::string text = exponent < 0 ? "\u207b" : "";
    for (char digit : std::to_string(std::abs(exponent)))
        text += kSuperscripts[digit - '0'];
    return text;
}

// n * 10^exponent as m·10ⁿ with every digit of n that is not a trailing zero.
std::string scientificTick(std::int64_t n, int exponent, char decimalPoint)
{
    if (n == 0)
        return "0";
    std::string digits = std::to_string(n < 0 ? -n : n);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    const int lead = exponent + int(digits.size()) - 1;
    std::string text = n < 0 ? "-" : "";
    text += digits[0];
    if (digits.size() > 1)
        text += decimalPoint + digits.substr(1);
    if (lead != 0)
        text += "\u00b7"
                "10"
                + superscript(lead);
    return text;
}

} // namespace

double AxisTicks::step() const
{
    return scaled(mantissa, exponent);
}

double AxisTicks::value(int k) const
{
    return scaled((first + k) * mantissa, exponent);
}

AxisTicks niceTicks(double low, double high, int maxCount, double minStep, bool widen)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0;
        high = 1;
    }
    if (high < low)
        std::swap(low, high);
    maxCount = std::max(maxCount, 2);
    // Below this step neighbouring ticks would be the same double.
    const double resolution = std::max(std::abs(low), std::abs(high)) * 0x1p-50;
    const double finest = std::max({minStep, resolution, std::numeric_limits<double>::min()});
    if (!(high - low > resolution))
        high = low + std::max(minStep > 0 ? minStep : 1.0, 8 * resolution);

    AxisTicks ticks;
    ticks.low = low;
    ticks.high = high;
    const double wanted = std::max((high - low) / (maxCount - 1), finest);
    ticks.exponent = int(std::floor(std::log10(wanted)));
    ticks.mantissa = 1;
    while (ticks.step() < wanted * (1 - 1e-12))
        coarser(ticks.mantissa, ticks.exponent);
    placeTicks(ticks, widen);
    while (ticks.count > maxCount) {
        coarser(ticks.mantissa, ticks.exponent);
        placeTicks(ticks, widen);
    }
    // A narrow range may hold a single tick of that step: a finer one gives two.
    while (ticks.count < 2) {
        AxisTicks finerTicks = ticks;
        finer(finerTicks.mantissa, finerTicks.exponent);
        if (finerTicks.step() < finest * (1 - 1e-12))
            break;
        placeTicks(finerTicks, widen);
        ticks = finerTicks;
    }
    if (widen && ticks.count > 0) {
        ticks.low = ticks.value(0);
        ticks.high = ticks.value(ticks.count - 1);
    }
    return ticks;
}

std::vector<std::string> tickTexts(const AxisTicks &ticks, char decimalPoint)
{
    std::vector<std::string> texts;
    if (ticks.count <= 0)
        return texts;
    const double largest = std::max(std::abs(ticks.value(0)),
                                    std::abs(ticks.value(ticks.count - 1)));
    // Fixed decimals where they stay few for the values: at most four, or
    // six beside values of 0.01 and more (0.49995, 0.50000).
    const bool fixed = largest < 1e6
                       && (ticks.exponent >= -4 || (ticks.exponent >= -6 && largest >= 0.01));
    for (int k = 0; k < ticks.count; ++k) {
        if (fixed)
            texts.push_back(fixedText(ticks.value(k), std::max(0, -ticks.exponent), decimalPoint));
        else
            texts.push_back(scientificTick((ticks.first + k) * ticks.mantissa,
                                           ticks.exponent,
                                           decimalPoint));
    }
    return texts;
}

std::vector<LogTick> logTicks(double low, double high, int maxCount, char decimalPoint)
{
    if (!(low > 0 && high >= low && std::isfinite(high)))
        return {};
    maxCount = std::max(maxCount, 1);
    constexpr double kSlack = 1e-9; // a tick a rounding error outside still counts
    const int first = int(std::floor(std::log10(low)));
    const int last = int(std::ceil(std::log10(high)));
    // The mantissas of a decade and the decades apart: 1, 2 and 5 of every
    // decade first, then 1 of every decade, of every second, ...
    auto ticksOf = [&](std::initializer_list<int> mantissas, int every) {
        std::vector<LogTick> ticks;
        for (int exponent = first; exponent <= last; ++exponent) {
            if ((exponent % every + every) % every != 0)
                continue;
            for (const int m : mantissas) {
                const AxisTicks one{.low = low,
                                    .high = high,
                                    .mantissa = m,
                                    .exponent = exponent,
                                    .first = 1,
                                    .count = 1};
                const double value = one.value(0);
                if (value >= low * (1 - kSlack) && value <= high * (1 + kSlack))
                    ticks.push_back({value, tickTexts(one, decimalPoint).front()});
            }
        }
        return ticks;
    };
    std::vector<LogTick> ticks = ticksOf({1, 2, 5}, 1);
    for (int every = 1; int(ticks.size()) > maxCount; ++every)
        ticks = ticksOf({1}, every);
    return ticks;
}

} // namespace kormix
