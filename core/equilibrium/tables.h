// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The equilibrium of a run as tab-separated text for a spreadsheet or a
// script: the compositions with their exact probability beside the share of
// collisions the run spent in them, the course of the run, and the reactions
// counted. The equilibrium window saves all three in one file; the batch mode
// writes equilibrium.tsv (compositions and reactions) and series.tsv.
//
// A file of them starts with a line that names the model the run went to
// (modelLine). Every table starts with a header line; fields are separated by one tab,
// lines end with a line feed, numbers are written with up to 15 significant
// digits and the decimal separator given.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/runobservations.h"
#include "core/equilibrium/runseries.h"
#include "core/equilibrium/stayshares.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kormix {

// "# model: " and the model in words (describeModel), one line: the first
// line of a file of these tables. It starts with '#', so that gnuplot, R's
// read.table and pandas (comment='#') pass over it to the column names.
std::string modelLine(const EquilibriumModel &model, char decimalPoint = '.');

// One line of the compositions table as numbers (the W text is FormatW of
// lnW). The line for all other compositions has no counts, %HD, lnW or W.
struct CompositionLine
{
    bool others = false;
    Composition counts;
    double percentHD = 0;
    double lnW = 0;
    double p = 0;
    std::int64_t collisions = 0;
    double share = 0;
};

// The compositions table's lines as numbers, as compositionsTable writes them.
std::vector<CompositionLine> compositionLines(const ExactDistribution &exact,
                                              const StayShares &shares);

// The compositions table's header fields, in their order.
inline constexpr const char *kCompositionsHeader[]
        = {"NH2", "NHD", "ND2", "%HD", "lnW", "W", "P", "collisions", "share"};

// "NH2 NHD ND2 %HD lnW W P collisions share": one line per composition the
// exact distribution keeps (for a large system, those whose W is not
// negligible), in increasing nHD, then always one line for all other
// compositions together: "others" in place of the counts, the fields up to W
// empty, P 0 (the negligible ones count as never met) and the collisions the
// run spent in them. The shares of all lines add up to 1, and the collisions
// to the run's.
std::string compositionsTable(const ExactDistribution &exact,
                              const StayShares &shares,
                              char decimalPoint = '.');

// "collision run NH2 NHD ND2 %HD lnW Q": one line per point of the course of
// the run; run counts from 1 and goes up by one at every revision. Q is
// written as "infinite" without H2 or D2.
std::string seriesTable(const RunSeries &series, char decimalPoint = '.');

// "reaction count per_collision expected_now expected_at_equilibrium": the
// forward reaction (H2 + D2 -> 2 HD), the reverse one (2 HD -> H2 + D2) and
// the HD + HD meetings without a reaction, counted over `collisions`
// collisions, with the exact expected chances per collision for the
// composition `now` and at equilibrium, both at the K of `exact`. Below
// K = 4 (at a temperature) a last line counts the H2 + D2 meetings without
// a reaction, which statistics only never has.
std::string reactionsTable(const ReactionCounts &counts,
                           std::int64_t collisions,
                           const Composition &now,
                           const ExactDistribution &exact,
                           char decimalPoint = '.');

// The names of the reactions and meetings as the tables and the window show them.
inline constexpr const char *kForwardName = "forward (H2 + D2 -> 2 HD)";
inline constexpr const char *kReverseName = "reverse (2 HD -> H2 + D2)";
inline constexpr const char *kUnreactedName = "HD + HD met without reacting";
inline constexpr const char *kH2D2UnreactedName = "H2 + D2 met without reacting";
// What the compositions table's last line names instead of counts.
inline constexpr const char *kOtherCompositionsName = "others";

} // namespace kormix
