// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The rules of the detailed display's chart, free of any widget: which bar a
// click picks, where a selection is held, and which keys step it.
//
// Bars are addressed by their position 0 .. n - 1 on the chart; a bar stands
// at the HD fraction (0 to 1) of the distribution it shows.
#pragma once

#include <span>

namespace kormix {

// The position of the bar nearest to x, a place on the plotting range given
// as an HD fraction (0 at its left end, 1 at its right end; clicks beside the
// range give places below 0 or above 1). fracHD holds the bars' fractions by
// position. The first position with the smallest distance wins, so a place
// exactly between two bars picks the lower position. A distance of 10000 or
// more counts as no bar at all, and then, as with no bars, position 0 is the
// answer.
int nearestBar(std::span<const double> fracHD, double x);

// The position p held to the bars there are: below 0 it is 0, from nStored on
// it is nStored - 1. With no bars there is nothing to hold it to: the result
// is then -1, which is no position to select.
int clampSelection(int p, int nStored);

// How far a key moves the selection: N (or n) one position back, P (or p) one
// forward; any other key 0, that is, not at all.
int selectionStep(char32_t key);

} // namespace kormix
