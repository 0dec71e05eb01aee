// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/quotienttext.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kormix {
namespace {

constexpr std::int32_t kMax = 2147483647;

TEST(QuotientText, TextsOfAnyCounts)
{
    const struct
    {
        std::int32_t h2, hd, d2;
        char point;
        const char *text;
    } cases[] = {
            {5, 10, 5, '.', "4.00"},
            {3, 0, 2, '.', "0.00"},
            {1, 2, 3, '.', "1.33"},
            {12, 10, 8, '.', "1.04"},
            {12, 10, 8, ',', "1,04"},
            {9, 22, 9, '.', "5.98"},
            {1, 1000, 1, '.', "1000000.00"},
            {kMax, kMax, kMax, '.', "1.00"},
            {10, 0, 0, '.', "infinite"},
            {0, 2, 0, '.', "infinite"},
            {0, 0, 5, ',', "infinite"},
            {0, 0, 0, '.', "infinite"},
            // On a rounding edge the order of the operations decides the last
            // digit: 9/40 divided by D2 first is just below 0.225, divided by
            // H2 first just above it.
            {1, 3, 40, '.', "0.22"},
            {1, 11, 40, '.', "3.03"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(quotientText(c.h2, c.hd, c.d2, c.point), c.text)
                << c.h2 << ' ' << c.hd << ' ' << c.d2 << " '" << c.point << "'";
}

} // namespace
} // namespace kormix
