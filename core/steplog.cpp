// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/steplog.h"

#include "core/numberformat.h"

#include <charconv>

namespace kormix {

namespace {

const char *kindName(int kind)
{
    switch (kind) {
    case 0:
        return "H2";
    case 1:
        return "HD";
    default:
        return "D2";
    }
}

// The shortest fixed-point text that reads back as this float.
std::string coinText(float coin, char decimalPoint)
{
    char buffer[64];
    const auto result = std::to_chars(buffer,
                                      buffer + sizeof buffer,
                                      coin,
                                      std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    for (char &c : text) {
        if (c == '.')
            c = decimalPoint;
    }
    return text;
}

std::string molecule(std::int64_t number, int kind)
{
    return "molecule " + integerToText(number) + " (" + kindName(kind) + ")";
}

} // namespace

std::string stepText(const StepEntry &entry, char decimalPoint)
{
    std::string text = molecule(entry.first, entry.firstKind) + " met "
                       + molecule(entry.second, entry.secondKind) + ": ";
    if (entry.coinTossed) {
        text += "coin " + coinText(entry.coin, decimalPoint);
        text += entry.outcome == StepOutcome::FormedH2D2 ? " above " : " not above ";
        text += std::string("0") + decimalPoint + "5, ";
    }
    if (entry.acceptanceDrawn) {
        text += "draw " + coinText(entry.acceptance, decimalPoint);
        text += entry.outcome == StepOutcome::FormedTwoHd ? " below " : " not below ";
        text += coinText(entry.acceptBelow, decimalPoint) + ", ";
    }
    switch (entry.outcome) {
    case StepOutcome::FormedTwoHd:
        text += "they reacted to 2 HD";
        break;
    case StepOutcome::FormedH2D2:
        text += "they reacted to H2 + D2";
        break;
    case StepOutcome::Unchanged:
        text += "nothing changed";
        break;
    }
    text += "; W " + FormatW(entry.lnWBefore, decimalPoint) + " -> "
            + FormatW(entry.lnWAfter, decimalPoint);
    return text;
}

std::vector<StepEntry> StepLog::entries() const
{
    std::vector<StepEntry> out;
    out.reserve(size_);
    const std::size_t first = (next_ + kCapacity - size_) % kCapacity;
    for (std::size_t i = 0; i < size_; ++i)
        out.push_back(ring_[(first + i) % kCapacity]);
    return out;
}

std::vector<std::string> StepLog::lines(char decimalPoint) const
{
    std::vector<std::string> out;
    for (const StepEntry &entry : entries())
        out.push_back(integerToText(entry.collision) + ". " + stepText(entry, decimalPoint));
    return out;
}

} // namespace kormix
