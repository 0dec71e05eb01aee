// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Number formats shared by every window and by the distributions file.
//
// All texts the program shows for numbers come from here: the display
// patterns ("#", "#.##", "0.00", "0.000", "##0.00", "0.00000000000" and
// "scientific"), the plain conversion of a double with up to 15 significant
// digits, the W text (which must cope with W far beyond a double), and the
// lenient reading of a number typed into a text field.
//
// None of them depends on the C library's locale (LC_NUMERIC, which Qt sets
// from the user's environment): a text has exactly the decimal separator its
// caller asks for, and reading always takes the point.
#pragma once

#include <string>
#include <string_view>

namespace kormix {

// Formats value with one of the display patterns listed above; decimalPoint
// replaces the '.' of the result. An unknown pattern falls back to the plain
// conversion.
std::string formatNumber(double value, std::string_view pattern, char decimalPoint = '.');

// The plain conversion of a double to text: up to 15 significant digits, no
// trailing zeros, exponent form for very large or very small values
// (1.04166666666667, 1E+300, 1.5E-07, 33.3333333333333, 100).
std::string numberToText(double value, char decimalPoint = '.');

// The text a setup field gets for a count worked out from other fields. It
// is the plain conversion with the point where that reads back as the same
// whole count, and otherwise the shortest text that reads back as exactly
// this value. Values beyond a double (infinities) are held at the largest
// double of their sign, so that the text still reads as a count beyond any
// system.
std::string numberToEntryText(double value);

// The value rounded to exactly `decimals` decimals, without exponent and
// without the sign of a negative value that rounds to zero ("0.1235" for
// 0.12345678 and 4 decimals).
std::string fixedText(double value, int decimals, char decimalPoint = '.');

// A whole number as plain decimal text, without a leading blank.
std::string integerToText(long long value);

// The text shown for W, given ln W. Below 700 W itself is formatted ("#", or
// "scientific" from 1000000 on); from 700 on W would overflow a double, so the
// text is built from the decimal logarithm ("2.05E+600").
std::string FormatW(double lnW, char decimalPoint = '.');

// Reads a number the way a text field is read leniently: blanks, tabs and
// line feeds are ignored wherever they stand, and the longest leading part of
// the rest that forms a number (sign, digits, point, exponent) is taken. Text
// without such a part reads as 0. Values beyond the range of a double are
// held at the largest finite double of their sign ("0.5e400" and "1" with
// 400 zeros as well as "1e999"); values too small for one read as 0.
double readNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// True for the keys that move on from a text field: Enter (13) and Tab (9).
bool IsEntryKey(int keyCode);

} // namespace kormix
