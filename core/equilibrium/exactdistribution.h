// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact equilibrium of a closed system of H and D atoms: every
// composition the atoms allow, with its number of microstates W and its
// probability P = W / (sum of W over all compositions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kormix {

// A distribution of the atoms over molecules: the counts of H2, HD and D2.
struct Composition
{
    std::int32_t nH2 = 0;
    std::int32_t nHD = 0;
    std::int32_t nD2 = 0;

    std::int64_t molecules() const { return std::int64_t(nH2) + nHD + nD2; }
    bool operator==(const Composition &) const = default;
};

// The reaction quotient Q = nHD^2 / (nH2 nD2), worked out in the same order
// as the collision loop does, so that both give the same digits. A system
// without H2 or without D2 has an infinite Q: the result is then
// std::numeric_limits<double>::infinity() (not the engine's 1E+300 stand-in),
// so that it compares and plots as what it is.
double quotientOf(const Composition &counts);

// One composition with its ln W and exact probability.
struct CompositionProbability
{
    Composition counts;
    double lnW = 0;
    double p = 0;
};

// The distribution over compositions for fixed numbers of H and D atoms.
// Compositions are told apart by nHD, which has the parity of the atoms and
// runs from firstHD to lastHD in steps of 2; nH2 = (H - nHD) / 2 and
// nD2 = (D - nHD) / 2.
struct ExactDistribution
{
    std::int64_t hAtoms = 0;
    std::int64_t dAtoms = 0;
    std::int64_t nMolecules = 0;
    // Every composition the atoms allow (none when lastHD < firstHD).
    std::int32_t firstHD = 0;
    std::int32_t lastHD = -2;

    // The compositions whose probability is not negligible, in increasing
    // nHD and without gaps. Small systems keep every composition; large
    // ones only those whose W is at least kNegligible times the largest.
    // The rest count as P = 0.
    std::vector<CompositionProbability> kept;
    // Index in `kept` of the most probable composition. When two neighbours
    // share the largest W it is the one with less HD, and
    // mostProbableTied is set.
    std::size_t mostProbable = 0;
    bool mostProbableTied = false;
    // True when every W was worked out as an exact whole number, so that
    // P, the means and the spreads are exact rationals rounded once (or
    // nearly so) to double.
    bool exactWeights = false;

    // Mean and standard deviation of nHD, and of the HD fraction nHD / N.
    double meanHD = 0;
    double sdHD = 0;
    double meanFraction = 0;
    double sdFraction = 0;

    bool empty() const { return kept.empty(); }
    std::int64_t compositionCount() const
    {
        return lastHD < firstHD ? 0 : (std::int64_t(lastHD) - firstHD) / 2 + 1;
    }
    const CompositionProbability &mode() const { return kept[mostProbable]; }
    // The kept composition with this nHD, or null.
    const CompositionProbability *find(std::int32_t nHD) const;
    // P of the composition with this nHD; 0 outside the kept range.
    double probabilityOf(std::int32_t nHD) const;
};

// Below this fraction of the largest W a composition of a large system is
// counted as never met.
inline constexpr double kNegligible = 1e-18;
// Systems with at most this many compositions keep them all.
inline constexpr std::int64_t kAllKeptUpTo = 4096;

// The exact equilibrium P = W / sum W: the long-run share of collisions the
// engine spends in each composition if HD + HD reacted with probability 1/2
// exactly. Any counts the data model allows work (up to 2^31 - 1 atoms of
// each kind and molecules in all). Atoms that are negative, too many, or of
// different parity (no composition holds them) give an empty distribution.
ExactDistribution exactDistribution(std::int64_t hAtoms, std::int64_t dAtoms);

// The engine's own stationary distribution. The engine's HD + HD coin is a
// 24-bit draw k / 2^24 that must be strictly above 1/2, so the reverse
// reaction happens with probability (2^23 - 1) / 2^24, a hair below 1/2.
// Detailed balance then gives P(k + 2) / P(k) = W(k + 2) / W(k) times
// 2^23 / (2^23 - 1): the distribution leans towards HD by a relative
// 1.2e-7 per reaction step. The window shows the theory (exactDistribution);
// this one tells how far the engine is from it.
ExactDistribution engineStationaryDistribution(std::int64_t hAtoms, std::int64_t dAtoms);

// The most probable composition of these atoms (the one with less HD of a
// tie), found without building the distribution; nothing for atoms no
// composition holds.
std::optional<Composition> mostProbableComposition(std::int64_t hAtoms, std::int64_t dAtoms);

// The engine's HD + HD coin: of the 2^24 equally likely draws, 2^23 - 1 lie
// strictly above one half and make the pair react.
inline constexpr std::int64_t kCoinDraws = std::int64_t(1) << 24;
inline constexpr std::int64_t kCoinReacting = (std::int64_t(1) << 23) - 1;

namespace detail {
// exactDistribution without the exact whole-number path, for tests that
// compare the two.
ExactDistribution exactDistributionInLogSpace(std::int64_t hAtoms, std::int64_t dAtoms);
} // namespace detail

} // namespace kormix
