// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The display text of the reaction quotient Q = nHD^2 / (nH2 nD2) of any
// counts, as every window shows it.
#pragma once

#include <cstdint>
#include <string>

namespace kormix {

// Q in the format "##0.00", or "infinite" when there is no H2 or no D2; the
// decimal point is decimalPoint. The quotient is worked out as
// ((nHD / nD2) * nHD) / nH2 in doubles, and the text depends on that order:
// the collision loop's order can differ in the last bit, and a quotient on a
// rounding edge would then show other digits.
std::string quotientText(std::int32_t nH2,
                         std::int32_t nHD,
                         std::int32_t nD2,
                         char decimalPoint = '.');

} // namespace kormix
