// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The ticks of a chart's value axis: round values evenly spaced over the
// range shown (or round values on a logarithmic axis), and texts that tell every tick apart with the program's
// decimal separator, however large, small or narrow the range.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kormix {

// Ticks at the multiples of step = mantissa * 10^exponent (mantissa 1, 2 or
// 5) that lie in [low, high]: tick k (0 <= k < count) is (first + k) * step.
struct AxisTicks
{
    double low = 0;
    double high = 1;
    int mantissa = 1;
    int exponent = 0;
    std::int64_t first = 0;
    int count = 2;

    double step() const;
    double value(int k) const;
};

// At most maxCount ticks over [low, high], the finest round step that keeps to
// that, but two ticks at least: where that step has fewer in the range, the
// next finer step that has two (at most five) where minStep allows. Never
// finer than minStep (1 for
// counts, whose ticks are whole numbers) nor than a double can tell apart at
// the range's values. With `widen` the range grows outwards to the nearest
// ticks, so that both ends carry one. A range without width, or not finite,
// becomes one of width minStep (or 1) from low.
AxisTicks niceTicks(double low, double high, int maxCount, double minStep = 0, bool widen = false);

// The texts of the ticks, each different from every other. Ticks below a
// million are written with the step's decimals where that makes at most four
// ("0.0005", "0.0010", "1500"), or six beside values of at least 0.01
// ("0.49995"); others as m·10ⁿ with as many digits as the step needs
// ("1.5·10⁹", "2.5·10⁻⁶", "1.000001·10⁶") and 0 as "0". The texts are UTF-8.
std::vector<std::string> tickTexts(const AxisTicks &ticks, char decimalPoint = '.');

// A tick of a logarithmic axis and its text.
struct LogTick
{
    double value = 1;
    std::string text;

    bool operator==(const LogTick &) const = default;
};

// The ticks of a logarithmic axis over [low, high], 0 < low <= high: the
// values m·10ⁿ in the range with m of 1, 2 and 5; where those are more than
// maxCount, the powers of ten alone; where those are still too many, every
// second, third, ... power of ten. Each text is the one tickTexts gives the
// value ("20", "0.5", "1000", "2·10⁶"). Nothing for a range that is not
// positive and finite.
std::vector<LogTick> logTicks(double low, double high, int maxCount, char decimalPoint = '.');

} // namespace kormix
