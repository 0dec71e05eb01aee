// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The rules of the revise window's level editor, free of any widget: which
// column a press grabs, how many molecules a pointer position asks for, and
// what a drag by that many molecules does to the three counts.
//
// Counts are given and returned as H2, HD, D2 (the molecule kind codes 0, 1,
// 2). A drag moves the composition along the exchange H2 + D2 = 2 HD in
// Adjust All mode, so that the numbers of H atoms (2 nH2 + nHD) and D atoms
// (2 nD2 + nHD) stay as they were, or changes the dragged count alone in
// Adjust One mode.
#pragma once

#include <array>
#include <cstdint>

namespace kormix {

using LevelCounts = std::array<std::int32_t, 3>; // H2, HD, D2

enum class AdjustMode {
    All, // along the exchange: the atoms are kept
    One, // the dragged count alone
};

// The kind whose column centre (by kind: H2, HD, D2) lies nearest to x; on a
// tie the lower kind wins. Any position grabs a column.
int nearestLevel(const std::array<double, 3> &centres, double x);

// The change in molecules that a pointer at height y asks of a column that
// shows count molecules, standing on the base line base at scale twips per
// molecule (y grows downwards): the whole molecules that fit between the
// column's top and the pointer, rounded towards minus infinity. A pointer a
// little below the top therefore takes one molecule, while one above it adds
// one only a whole molecule's height up. The result is held to
// +-8 * 2147483647, far beyond what any count can take, so that a tiny scale
// or a distant pointer still gives a number; a scale that gives no number at
// all (NaN) asks for no change.
std::int64_t changeFromPointer(double base, double scale, std::int32_t count, double y);

// The counts after a drag of column kind (0 H2, 1 HD, 2 D2) by change
// molecules, as changeFromPointer gives it. HD moves in pairs: the change is
// truncated to an even number towards zero. The dragged count stops at 0, and
// no count leaves 0 .. 2147483647: where the others move with it in Adjust All
// mode, their room bounds the change as well. Adjust All mode never takes an
// odd HD count below 1, since the parity of the H atoms is that of nHD and the
// exchange keeps it. Finally a balance step along the exchange makes up a
// negative H2 or D2 count from HD pairs and a negative HD count from H2 + D2
// pairs; with counts that were not negative before it changes nothing.
// Counts are expected within 0 .. 2147483647; a kind outside 0 .. 2 changes
// nothing.
LevelCounts dragLevel(const LevelCounts &counts, int kind, AdjustMode mode, std::int64_t change);

} // namespace kormix
