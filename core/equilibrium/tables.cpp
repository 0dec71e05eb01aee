// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/tables.h"

#include "core/numberformat.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace kormix {

namespace {

void line(std::string &text, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            text += '\t';
        text += field;
        first = false;
    }
    text += '\n';
}

std::string number(double value, char decimalPoint)
{
    return numberToText(value, decimalPoint);
}

std::string whole(std::int64_t value)
{
    return integerToText(value);
}

std::string percent(std::int64_t nHD, std::int64_t nMolecules, char decimalPoint)
{
    return nMolecules > 0 ? number(100.0 * double(nHD) / double(nMolecules), decimalPoint)
                          : std::string("0");
}

} // namespace

std::string modelLine(const EquilibriumModel &model, char decimalPoint)
{
    return "# model: " + describeModel(model, decimalPoint) + '\n';
}

std::vector<CompositionLine> compositionLines(const ExactDistribution &exact,
                                              const StayShares &shares)
{
    std::vector<CompositionLine> lines;
    lines.reserve(exact.kept.size() + 1);
    std::int64_t others = shares.total();
    for (const CompositionProbability &c : exact.kept) {
        const Composition &k = c.counts;
        const std::int64_t collisions = shares.collisionsAt(k.nHD);
        others -= collisions;
        const double percentHD = exact.nMolecules > 0
                                         ? 100.0 * double(k.nHD) / double(exact.nMolecules)
                                         : 0.0;
        lines.push_back({false, k, percentHD, c.lnW, c.p, collisions, shares.shareAt(k.nHD)});
    }
    CompositionLine rest;
    rest.others = true;
    rest.collisions = others;
    rest.share = shares.total() > 0 ? double(others) / double(shares.total()) : 0.0;
    lines.push_back(rest);
    return lines;
}

std::string compositionsTable(const ExactDistribution &exact,
                              const StayShares &shares,
                              char decimalPoint)
{
    std::string text;
    bool first = true;
    for (const char *field : kCompositionsHeader) {
        text += first ? "" : "\t";
        text += field;
        first = false;
    }
    text += '\n';
    for (const CompositionLine &c : compositionLines(exact, shares)) {
        if (c.others) {
            line(text,
                 {kOtherCompositionsName,
                  "",
                  "",
                  "",
                  "",
                  "",
                  "0",
                  whole(c.collisions),
                  number(c.share, decimalPoint)});
            continue;
        }
        line(text,
             {whole(c.counts.nH2),
              whole(c.counts.nHD),
              whole(c.counts.nD2),
              number(c.percentHD, decimalPoint),
              number(c.lnW, decimalPoint),
              FormatW(c.lnW, decimalPoint),
              number(c.p, decimalPoint),
              whole(c.collisions),
              number(c.share, decimalPoint)});
    }
    return text;
}

std::string seriesTable(const RunSeries &series, char decimalPoint)
{
    std::string text;
    line(text, {"collision", "run", "NH2", "NHD", "ND2", "%HD", "lnW", "Q"});
    for (const SeriesPoint &p : series.points()) {
        const Composition k{p.nH2, p.nHD, p.nD2};
        const double q = quotientOf(k);
        line(text,
             {whole(p.collision),
              whole(p.run),
              whole(k.nH2),
              whole(k.nHD),
              whole(k.nD2),
              percent(k.nHD, k.molecules(), decimalPoint),
              number(p.lnW, decimalPoint),
              std::isinf(q) ? std::string("infinite") : number(q, decimalPoint)});
    }
    return text;
}

std::string reactionsTable(const ReactionCounts &counts,
                           std::int64_t collisions,
                           const Composition &now,
                           const ExactDistribution &exact,
                           char decimalPoint)
{
    const ReactionProbabilities current = reactionProbabilities(now, exact.K);
    const ReactionProbabilities equilibrium = expectedRates(exact);
    std::string text;
    line(text, {"reaction", "count", "per_collision", "expected_now", "expected_at_equilibrium"});
    auto row = [&](const char *name, std::int64_t count, double expectedNow, double expectedEq) {
        const double rate = collisions > 0 ? double(count) / double(collisions) : 0.0;
        line(text,
             {name,
              whole(count),
              number(rate, decimalPoint),
              number(expectedNow, decimalPoint),
              number(expectedEq, decimalPoint)});
    };
    row(kForwardName, counts.forward, current.forward, equilibrium.forward);
    row(kReverseName, counts.reverse, current.reverse, equilibrium.reverse);
    row(kUnreactedName, counts.hdUnreacted, current.hdUnreacted, equilibrium.hdUnreacted);
    if (exact.K < kStatisticsOnlyK)
        row(kH2D2UnreactedName,
            counts.h2d2Unreacted,
            current.h2d2Unreacted,
            equilibrium.h2d2Unreacted);
    return text;
}

} // namespace kormix
