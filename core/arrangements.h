// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Every arrangement of a tiny system, laid out one by one: the microstates
// that W counts. N molecules sit in N numbered places; each is H2, D2, or HD
// either way round (HD or DH), so that a composition (nH2, nHD, nD2) has
// W = N! / (nH2! nHD! nD2!) 2^nHD arrangements. The arrangements are found
// by trying every form in every place, never by the formula: the counts a
// student sees are the arrangements listed.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kormix {

// The form of one molecule in its place, its two atoms in order: HD and DH
// are the two ways round of one HD molecule.
enum class MoleculeForm : std::uint8_t { HH, HD, DH, DD };

// Systems of up to this many molecules are laid out (4^6 forms to try, at
// most 924 arrangements of one system).
inline constexpr std::int32_t kMaxArrangedMolecules = 6;

// One arrangement: the form in each of the N places, place 1 first.
using Arrangement = std::vector<MoleculeForm>;

// A fraction in lowest terms.
struct Fraction
{
    std::uint64_t numerator = 0;
    std::uint64_t denominator = 1;

    bool operator==(const Fraction &) const = default;
};

// The arrangements of one composition, with its share of all of them.
struct ArrangementGroup
{
    Composition counts;
    // In increasing order, comparing place by place with HH < HD < DH < DD.
    std::vector<Arrangement> arrangements;
    // P = W / sum W, exact and as the nearest double.
    Fraction p;
    double probability = 0;

    // W, the number of arrangements of this composition.
    std::uint64_t w() const { return arrangements.size(); }
};

// Every arrangement of a number of H and D atoms, grouped by composition.
struct Arrangements
{
    std::int32_t hAtoms = 0;
    std::int32_t dAtoms = 0;
    std::int32_t nMolecules = 0;
    // In increasing nHD; empty when the atoms make no system to lay out.
    std::vector<ArrangementGroup> groups;
    // sum W, the number of all arrangements.
    std::uint64_t total = 0;

    // The index in groups of this composition, or nothing when these atoms
    // cannot make it.
    std::optional<std::size_t> groupOf(const Composition &counts) const;
};

// Every arrangement of these atoms. Atoms that are negative, odd in number
// (no whole molecules) or more than 2 kMaxArrangedMolecules give no groups.
// No atoms at all make one empty arrangement.
Arrangements arrangementsOf(std::int32_t hAtoms, std::int32_t dAtoms);

} // namespace kormix
