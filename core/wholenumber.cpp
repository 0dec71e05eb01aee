// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/wholenumber.h"

#include <charconv>
#include <string>
#include <system_error>

namespace kormix {

namespace {

std::string_view withoutBlanks(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::uint64_t> readWholeNumber(std::string_view text)
{
    text = withoutBlanks(text);
    // from_chars would take a leading '-' for a signed type only, but checks
    // nothing else about the text: every character must be a digit.
    if (text.empty())
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> readDecimalNumber(std::string_view text, char decimalPoint)
{
    text = withoutBlanks(text);
    // from_chars reads the point in any locale; the text is checked first,
    // since it would also take a sign, an exponent or "inf".
    std::string plain;
    bool digit = false, separator = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
            plain += c;
        } else if ((c == '.' || c == decimalPoint) && !separator) {
            separator = true;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

} // namespace kormix
