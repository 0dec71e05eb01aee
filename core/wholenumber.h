// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A whole number typed where only a whole number makes sense: a seed, a
// number of collisions. Unlike the setup dialog's counts, which are read
// leniently, such a text either is a whole number or is refused.
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

} // namespace kormix
