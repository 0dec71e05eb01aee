// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/numberformat.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace kormix {

namespace {

constexpr double kLn10 = 2.302585092994046;

// The C library's printf takes its decimal point from LC_NUMERIC; to_chars
// always writes '.', and with a precision gives the same digits as printf's
// %.*f, %.*e and %.*g in the C locale. Exponents are written with a capital E.
std::string toChars(double value, std::chars_format format, int precision)
{
    char buffer[400]; // the longest is DBL_MAX with 11 decimals: 321 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    for (char &c : text) {
        if (c == 'e')
            c = 'E';
    }
    return text;
}

// "-0.00" and "-0" are written without the sign.
void dropNegativeZero(std::string &text)
{
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
}

void useDecimalPoint(std::string &text, char decimalPoint)
{
    if (decimalPoint == '.')
        return;
    for (char &c : text) {
        if (c == '.')
            c = decimalPoint;
    }
}

std::string fixed(double value, int decimals)
{
    std::string text = toChars(value, std::chars_format::fixed, decimals);
    dropNegativeZero(text);
    return text;
}

// "#": the whole number, no separators; the empty text when it rounds to 0.
std::string hash(double value)
{
    std::string text = fixed(value, 0);
    return text == "0" ? std::string() : text;
}

// "#.##": at most two decimals, trailing zeros dropped, the point always
// shown, no digit before the point when the whole part is 0.
std::string hashPointHash2(double value)
{
    std::string text = fixed(value, 2);
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    const std::size_t point = text.find('.');
    if (point == 1 && text[0] == '0')
        text.erase(0, 1);
    else if (point == 2 && text[0] == '-' && text[1] == '0')
        text.erase(1, 1);
    return text;
}

// "scientific": one digit, two decimals, E, sign, at least two exponent
// digits; infinities and NaN in capitals, as printf's %E writes them.
std::string scientific(double value)
{
    std::string text = toChars(value, std::chars_format::scientific, 2);
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return text;
}

} // namespace

std::string formatNumber(double value, std::string_view pattern, char decimalPoint)
{
    std::string text;
    if (pattern == "#")
        text = hash(value);
    else if (pattern == "#.##")
        text = hashPointHash2(value);
    else if (pattern == "0.00" || pattern == "##0.00")
        text = fixed(value, 2);
    else if (pattern == "0.000")
        text = fixed(value, 3);
    else if (pattern == "0.00000000000")
        text = fixed(value, 11);
    else if (pattern == "scientific")
        text = scientific(value);
    else
        return numberToText(value, decimalPoint);
    useDecimalPoint(text, decimalPoint);
    return text;
}

std::string numberToText(double value, char decimalPoint)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    // As %.15G: exponent form below 1E-04 and from 1E+15 on, trailing zeros
    // removed, exponent with its sign and two digits or more.
    std::string text = toChars(value, std::chars_format::general, 15);
    dropNegativeZero(text);
    useDecimalPoint(text, decimalPoint);
    return text;
}

std::string fixedText(double value, int decimals, char decimalPoint)
{
    std::string text = fixed(value, decimals);
    useDecimalPoint(text, decimalPoint);
    return text;
}

std::string numberToEntryText(double value)
{
    if (std::isnan(value))
        return "0"; // no count at all, as an empty field reads
    if (std::isinf(value))
        value = std::copysign(DBL_MAX, value);
    const std::string text = numberToText(value);
    if (roundHalfEven(readNumber(text)) == roundHalfEven(value))
        return text;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string exact(buffer, result.ptr);
    for (char &c : exact) {
        if (c == 'e')
            c = 'E';
    }
    return exact;
}

std::string integerToText(long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatW(double lnW, char decimalPoint)
{
    if (lnW < 700) {
        const double w = std::exp(lnW);
        return formatNumber(w, w >= 1000000 ? "scientific" : "#", decimalPoint);
    }
    const double l = lnW / kLn10;
    const double e = std::floor(l);
    const double m = std::pow(10.0, l - e);
    return formatNumber(m, "#.##", decimalPoint) + "E+" + formatNumber(e, "#", decimalPoint);
}

double readNumber(std::string_view text)
{
    // Blanks, tabs and line feeds do not count anywhere in the text.
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            s.push_back(c);
    }
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };

    // The decimal order of the first significant digit is counted along, so
    // that a number beyond the range of a double can be told from one far
    // too small for it, whatever the digits and the exponent look like.
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t first = i;
    bool digits = false;
    bool significant = false;
    long long order = -1; // of the first nonzero digit, before the exponent
    while (i < s.size() && isDigit(s[i])) {
        significant = significant || s[i] != '0';
        if (significant)
            ++order;
        ++i;
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (long long place = -1; i < s.size() && isDigit(s[i]); --place) {
            if (!significant && s[i] != '0') {
                significant = true;
                order = place;
            }
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    std::size_t end = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool down = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            constexpr long long kFar = 1'000'000'000'000LL; // beyond any double, either way
            while (j < s.size() && isDigit(s[j])) {
                exponent = std::min(exponent * 10 + (s[j] - '0'), kFar);
                ++j;
            }
            if (down)
                exponent = -exponent;
            end = j;
        }
    }
    // from_chars, unlike strtod, does not depend on the C locale's point.
    double value = 0;
    const auto result = std::from_chars(s.data() + first, s.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double from an order of 1 up, held at the largest one;
        // far too small below it, read as 0.
        value = significant && order + exponent >= 0 ? DBL_MAX : 0.0;
    }
    return negative ? -value : value;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

bool IsEntryKey(int keyCode)
{
    return keyCode == 13 || keyCode == 9;
}

} // namespace kormix
