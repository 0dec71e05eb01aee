// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact equilibrium of a closed system of H and D atoms: every
// composition the atoms allow, with its number of microstates W and its
// probability. Counting alone (statistics only) gives P = W / (sum of W over
// all compositions), the equilibrium of K = 4; at an equilibrium constant
// K <= 4 each composition weighs N! / (nH2! nHD! nD2!) K^(nHD / 2), which is
// W at K = 4.
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

// The equilibrium constant of counting alone: the statistics-only model.
inline constexpr double kStatisticsOnlyK = 4;
// The smallest K the theory and the engine take (real hydrogen at 20 K has
// 0.137): down to it every comparison of two weights stays exact in 128
// bits.
inline constexpr double kSmallestK = 0x1p-10;
// Whether the theory and the engine take this K: kSmallestK <= K <= 4.
inline bool reachableK(double K)
{
    return K >= kSmallestK && K <= kStatisticsOnlyK;
}

// One composition with its ln W and exact probability.
struct CompositionProbability
{
    Composition counts;
    double lnW = 0; // ln W, the microstates alone, whatever K
    double p = 0;
};

// The distribution over compositions for fixed numbers of H and D atoms at
// one equilibrium constant K. Compositions are told apart by nHD, which has
// the parity of the atoms and runs from firstHD to lastHD in steps of 2;
// nH2 = (H - nHD) / 2 and nD2 = (D - nHD) / 2.
struct ExactDistribution
{
    std::int64_t hAtoms = 0;
    std::int64_t dAtoms = 0;
    double K = kStatisticsOnlyK;
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
    // The composition with the largest W (the one with less HD of a tie):
    // the most probable one at K = 4. Below 4 energy weighs against HD, and
    // the most probable composition may hold less HD than this one; in a
    // large system this one may lie far outside `kept`.
    Composition mostMicrostates;
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

// The exact equilibrium at K: the long-run share of collisions the engine
// spends in each composition if an H2 + D2 meeting reacted with probability
// K / 4 and an HD + HD one with probability 1/2 exactly. At K = 4 it is
// P = W / sum W, exact rationals rounded once while the weights fit 128
// bits. Any counts the data model allows work (up to 2^31 - 1 atoms of each
// kind and molecules in all). Atoms that are negative, too many, or of
// different parity (no composition holds them), and a K the theory does not
// take, give an empty distribution.
// exactdistribution.cpp proves by detailed balance that these weights are
// the engine's equilibrium.
ExactDistribution exactDistribution(std::int64_t hAtoms,
                                    std::int64_t dAtoms,
                                    double K = kStatisticsOnlyK);

// The engine's H2 + D2 acceptance at K: of the 2^24 equally likely 24-bit
// draws k / 2^24, those with k < acceptingDraws(K) make the pair react, that
// is K / 4 rounded to the nearest multiple of 2^-24 (half a draw up): within
// 2^-25 of K / 4. The theory uses K itself. At K = 4 every draw accepts: the
// engine then draws nothing and every meeting reacts.
std::int64_t acceptingDraws(double K);

// The engine's own stationary distribution at K. The engine's HD + HD coin
// is a 24-bit draw k / 2^24 that must be strictly above 1/2, so the reverse
// reaction happens with probability (2^23 - 1) / 2^24, a hair below 1/2, and
// the forward one with acceptingDraws(K) / 2^24. Detailed balance then gives
// P(k + 2) / P(k) = W(k + 2) / W(k) times acceptingDraws(K) / (2^24 - 2):
// at K = 4 the distribution leans towards HD by a relative 1.2e-7 per
// reaction step, at other K by the rounding of K / 4 besides (at most a
// relative 2^-23 / K, 4e-8 at K = 3.26). The window shows the theory
// (exactDistribution); this one tells how far the engine is from it.
ExactDistribution engineStationaryDistribution(std::int64_t hAtoms,
                                               std::int64_t dAtoms,
                                               double K = kStatisticsOnlyK);

// The most probable composition of these atoms at K (the one with less HD
// of a tie), found without building the distribution; nothing for atoms no
// composition holds or a K the theory does not take. At K = 4 it is the
// composition with the largest W.
std::optional<Composition> mostProbableComposition(std::int64_t hAtoms,
                                                   std::int64_t dAtoms,
                                                   double K = kStatisticsOnlyK);

// The engine's HD + HD coin: of the 2^24 equally likely draws, 2^23 - 1 lie
// strictly above one half and make the pair react.
inline constexpr std::int64_t kCoinDraws = std::int64_t(1) << 24;
inline constexpr std::int64_t kCoinReacting = (std::int64_t(1) << 23) - 1;

namespace detail {
// exactDistribution without the exact whole-number path, for tests that
// compare the two.
ExactDistribution exactDistributionInLogSpace(std::int64_t hAtoms,
                                              std::int64_t dAtoms,
                                              double K = kStatisticsOnlyK);
} // namespace detail

} // namespace kormix
