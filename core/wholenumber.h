// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A number typed where only a number makes sense: a seed, a number of
// collisions, a temperature. Unlike the setup dialog's counts, which are
// read leniently, such a text either is a number of the kind asked for or is
// refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kormix {

// The value of text made of the decimal digits of a number from 0 to
// 2^64 - 1, blanks before and after allowed; nothing for anything else (a
// sign, a point, an exponent, other characters, an empty text, a value too
// large).
std::optional<std::uint64_t> readWholeNumber(std::string_view text);

// The value of text made of decimal digits with at most one decimal
// separator (the point, or `decimalPoint`), at least one digit and blanks
// before and after allowed: "298.15", "298,15" with a comma for
// decimalPoint, "20", ".5"; nothing for anything else (a sign, an exponent,
// a second separator, other characters, an empty text).
std::optional<double> readDecimalNumber(std::string_view text, char decimalPoint = '.');

} // namespace kormix
