// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Exact integer arithmetic shared by the equilibrium computations.
#pragma once

#include <cstdint>
#include <optional>

namespace kormix::detail {

// Products of two counts near 2^31 and sums of exact weights need more than
// 64 bits.
__extension__ typedef unsigned __int128 UInt128;

// num / den as a double: correctly rounded while both fit the 53 bits of a
// double, otherwise through extended precision (off by at most one unit in
// the last place).
inline double quotientToDouble(UInt128 num, UInt128 den)
{
    constexpr UInt128 kExactInDouble = UInt128(1) << 53;
    if (num <= kExactInDouble && den <= kExactInDouble)
        return double(num) / double(den);
    return double((long double) num / (long double) den);
}

// num / den reduced to lowest terms first, so that it is correctly rounded
// whenever the reduced fraction fits the 53 bits of a double, however large
// num and den were. den must not be 0.
inline double reducedQuotientToDouble(UInt128 num, UInt128 den)
{
    UInt128 a = num, b = den;
    while (b != 0) {
        const UInt128 r = a % b;
        a = b;
        b = r;
    }
    return a > 1 ? quotientToDouble(num / a, den / a) : quotientToDouble(num, den);
}

// a * b, or nothing when it does not fit 128 bits.
inline std::optional<UInt128> checkedProduct(UInt128 a, UInt128 b)
{
    UInt128 r;
    if (__builtin_mul_overflow(a, b, &r))
        return std::nullopt;
    return r;
}

inline std::optional<UInt128> checkedSum(UInt128 a, UInt128 b)
{
    UInt128 r;
    if (__builtin_add_overflow(a, b, &r))
        return std::nullopt;
    return r;
}

} // namespace kormix::detail
