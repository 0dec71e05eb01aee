// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/exactdistribution.h"

#include "core/equilibrium/exactratio.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kormix {

using detail::UInt128;

namespace {

// The atoms of a system and the range of its compositions.
struct Atoms
{
    std::int64_t h = 0;
    std::int64_t d = 0;
    std::int64_t n = 0; // molecules
    std::int64_t first = 0;
    std::int64_t count = 0; // compositions

    std::int64_t hdAt(std::int64_t index) const { return first + 2 * index; }
    Composition at(std::int64_t index) const
    {
        const std::int64_t k = hdAt(index);
        return {std::int32_t((h - k) / 2), std::int32_t(k), std::int32_t((d - k) / 2)};
    }
};

std::optional<Atoms> atomsOf(std::int64_t h, std::int64_t d)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (h < 0 || d < 0 || h > kMax || d > kMax || (h - d) % 2 != 0)
        return std::nullopt;
    Atoms a;
    a.h = h;
    a.d = d;
    a.n = (h + d) / 2;
    a.first = h % 2;
    a.count = (std::min(h, d) - a.first) / 2 + 1;
    return a;
}

// The weight of a composition at K is N! / (nH2! nHD! nD2!) K^(nHD / 2).
// Why that is the equilibrium the collisions reach: the collisions make a
// Markov chain on the compositions that moves nHD by 2 at a time. From
// k = nHD it goes up when an H2 meets a D2 and the pair reacts, with
// probability up(k) = 2 nH2 nD2 / (N (N - 1)) * K / 4, and from k + 2 down
// when two HD meet and react, down(k + 2) = (k + 2)(k + 1) / (N (N - 1)) / 2.
// A chain on a line that only steps to its neighbours is reversible: in its
// stationary distribution P the flow up across each step equals the flow
// down, P(k) up(k) = P(k + 2) down(k + 2), so
//     P(k + 2) / P(k) = up(k) / down(k + 2) = K nH2 nD2 / ((k + 1)(k + 2))
// with nH2 and nD2 of k. The weights have that very ratio: one H2 and one D2
// fewer multiply N! / (nH2! nHD! nD2!) by nH2 nD2, two HD more divide it by
// (k + 1)(k + 2), and K^(nHD / 2) gains one factor K. Normalised, they are P.
// Every composition of the atoms is reached from every other (up(k) > 0
// below the last, down(k) > 0 above the first), so P is the only stationary
// distribution and the shares of a long run tend to it. At K = 4,
// 4^(nHD / 2) = 2^nHD and the weight is W itself.
//
// So the weights go from one composition to the next by the ratio
// W(k + 2) / W(k) = 4 nH2 nD2 / ((k + 1)(k + 2)) times a factor, the lean,
// held as num / den and as its logarithm: K / 4 for the theory, 1 for
// statistics only, and for the engine its own up / down ratio over W's.
struct Lean
{
    UInt128 num = 1;
    UInt128 den = 1;
    long double ln = 0;
};

Lean leanOf(UInt128 num, UInt128 den)
{
    // Both are at most 2^64, so exact in extended precision, and so is their
    // difference: log1p keeps a lean near 1 accurate.
    const long double n = (long double) num, d = (long double) den;
    return {num, den, log1pl((n - d) / d)};
}

// K / 4 exactly: a double is m 2^(e - 53) with a whole m below 2^53, and for
// the K the theory takes (K / 4 from 2^-12 to 1) e - 53 lies between -64 and
// -52, so that every comparison of a ratio with 1 fits 128 bits.
Lean theoryLean(double K)
{
    int e = 0;
    const double f = std::frexp(K / 4, &e);
    return leanOf(UInt128(std::uint64_t(std::ldexp(f, 53))), UInt128(1) << (53 - e));
}

// The engine's H2 + D2 pair reacts acceptingDraws(K) / 2^24 of the time, its
// HD + HD pair (2^23 - 1) / 2^24: up / down over W's ratio is
// 2 acceptingDraws(K) / (4 (2^23 - 1)).
Lean engineLean(double K)
{
    return leanOf(UInt128(acceptingDraws(K)), UInt128(2 * kCoinReacting));
}

// W(k + 2) / W(k) = 4 nH2 nD2 / ((k + 1)(k + 2)) with nH2, nD2 of k.
UInt128 ratioNumerator(const Composition &c)
{
    return UInt128(4) * UInt128(std::uint64_t(c.nH2)) * UInt128(std::uint64_t(c.nD2));
}
UInt128 ratioDenominator(const Composition &c)
{
    return UInt128(std::uint64_t(c.nHD) + 1) * UInt128(std::uint64_t(c.nHD) + 2);
}

// Sign of (ratio at the composition of this index) - 1, exactly.
int compareRatioWithOne(const Atoms &atoms, std::int64_t index, const Lean &lean)
{
    const Composition c = atoms.at(index);
    const UInt128 lhs = ratioNumerator(c) * lean.num;
    const UInt128 rhs = ratioDenominator(c) * lean.den;
    return lhs > rhs ? 1 : (lhs < rhs ? -1 : 0);
}

long double lnRatio(const Atoms &atoms, std::int64_t index, const Lean &lean)
{
    // Both products are below 2^62. Near the mode of a large system the
    // ratio is within a hair of 1: log1p of the exact difference then loses
    // nothing even in double precision. Elsewhere extended precision does.
    const Composition c = atoms.at(index);
    const std::int64_t num = std::int64_t(ratioNumerator(c));
    const std::int64_t den = std::int64_t(ratioDenominator(c));
    const double x = double(num - den) / double(den);
    if (std::abs(x) < 1e-3)
        return (long double) std::log1p(x) + lean.ln;
    return logl((long double) num / (long double) den) + lean.ln;
}

// ln W is concave in nHD, so the ratio to the next composition falls as nHD
// grows: the mode is the first composition whose ratio is at most 1 (the
// last one always qualifies, its ratio being 0).
std::int64_t modeIndex(const Atoms &atoms, const Lean &lean, bool *tied)
{
    std::int64_t lo = 0, hi = atoms.count - 1;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (compareRatioWithOne(atoms, mid, lean) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (tied)
        *tied = compareRatioWithOne(atoms, lo, lean) == 0;
    return lo;
}

long double lnWClosedForm(const Composition &c)
{
    const long double n = (long double) c.molecules();
    return lgammal(n + 1) - lgammal((long double) c.nH2 + 1) - lgammal((long double) c.nD2 + 1)
           - lgammal((long double) c.nHD + 1)
           + (long double) c.nHD * 0.693147180559945309417232121458176568L;
}

std::optional<UInt128> binomial(std::int64_t n, std::int64_t r)
{
    r = std::min(r, n - r);
    UInt128 c = 1;
    for (std::int64_t i = 1; i <= r; ++i) {
        // c stays C(n - r + i, i), a whole number, after every division.
        const auto p = detail::checkedProduct(c, UInt128(n - r + i));
        if (!p)
            return std::nullopt;
        c = *p / UInt128(i);
    }
    return c;
}

ExactDistribution emptyFor(std::int64_t h, std::int64_t d)
{
    ExactDistribution e;
    e.hAtoms = h;
    e.dAtoms = d;
    return e;
}

void describeRange(ExactDistribution &e, const Atoms &atoms)
{
    e.nMolecules = atoms.n;
    e.firstHD = std::int32_t(atoms.first);
    e.lastHD = std::int32_t(atoms.hdAt(atoms.count - 1));
}

// Every W as a whole number, with the sums of W, W k and W k^2, when they fit
// 128 bits; nothing otherwise.
constexpr std::int64_t kWholeNumbersUpTo = 200; // molecules

// The mean and spread of nHD and of the HD fraction from the whole-number
// weights w and their sums S0 = sum W, S1 = sum W k, S2 = sum W k^2.
void setMoments(ExactDistribution &e,
                const Atoms &atoms,
                const std::vector<UInt128> &w,
                const std::array<UInt128, 3> &sums)
{
    const auto [s0, s1, s2] = sums;
    const long double n = (long double) atoms.n;
    e.meanHD = detail::quotientToDouble(s1, s0);
    const auto s0n = detail::checkedProduct(s0, UInt128(atoms.n));
    if (atoms.n == 0)
        e.meanFraction = 0;
    else if (s0n)
        e.meanFraction = detail::quotientToDouble(s1, *s0n);
    else
        e.meanFraction = double((long double) s1 / (long double) s0 / n);
    // Variance (S0 S2 - S1^2) / S0^2, exact where the products fit.
    long double variance;
    const auto s0s2 = detail::checkedProduct(s0, s2);
    const auto s1s1 = detail::checkedProduct(s1, s1);
    if (s0s2 && s1s1) {
        variance = (long double) (*s0s2 - *s1s1) / (long double) s0 / (long double) s0;
    } else {
        const long double mean = (long double) s1 / (long double) s0;
        long double sum = 0;
        for (std::int64_t i = 0; i < atoms.count; ++i) {
            const long double dev = (long double) atoms.hdAt(i) - mean;
            sum += (long double) w[std::size_t(i)] * dev * dev;
        }
        variance = sum / (long double) s0;
    }
    e.sdHD = double(sqrtl(variance));
    e.sdFraction = atoms.n > 0 ? double(sqrtl(variance) / n) : 0.0;
}

std::optional<ExactDistribution> inWholeNumbers(const Atoms &atoms)
{
    if (atoms.n > kWholeNumbersUpTo)
        return std::nullopt;
    // W of the first composition: N! / (nH2! nD2!) for nHD = 0, and
    // 2 N (N - 1)! / (nH2! nD2!) for nHD = 1.
    const Composition first = atoms.at(0);
    auto w0 = binomial(atoms.n - atoms.first, first.nH2);
    if (!w0)
        return std::nullopt;
    if (atoms.first == 1) {
        w0 = detail::checkedProduct(*w0, UInt128(2 * atoms.n));
        if (!w0)
            return std::nullopt;
    }

    std::vector<UInt128> w(std::size_t(atoms.count));
    w[0] = *w0;
    UInt128 s0 = 0, s1 = 0, s2 = 0;
    for (std::int64_t i = 0; i < atoms.count; ++i) {
        if (i > 0) {
            // W(k) = W(k - 2) 4 nH2 nD2 / ((k - 1) k), an exact division.
            const Composition prev = atoms.at(i - 1);
            const auto p = detail::checkedProduct(w[std::size_t(i - 1)], ratioNumerator(prev));
            if (!p)
                return std::nullopt;
            w[std::size_t(i)] = *p / ratioDenominator(prev);
        }
        const UInt128 k = UInt128(atoms.hdAt(i));
        const UInt128 wi = w[std::size_t(i)];
        const auto wk = detail::checkedProduct(wi, k);
        const auto wkk = wk ? detail::checkedProduct(*wk, k) : std::nullopt;
        const auto t0 = detail::checkedSum(s0, wi);
        const auto t1 = wk ? detail::checkedSum(s1, *wk) : std::nullopt;
        const auto t2 = wkk ? detail::checkedSum(s2, *wkk) : std::nullopt;
        if (!t0 || !t1 || !t2)
            return std::nullopt;
        s0 = *t0;
        s1 = *t1;
        s2 = *t2;
    }

    ExactDistribution e = emptyFor(atoms.h, atoms.d);
    describeRange(e, atoms);
    e.exactWeights = true;
    e.kept.reserve(std::size_t(atoms.count));
    for (std::int64_t i = 0; i < atoms.count; ++i) {
        const UInt128 wi = w[std::size_t(i)];
        e.kept.push_back(
                {atoms.at(i), double(logl((long double) wi)), detail::quotientToDouble(wi, s0)});
    }
    e.mostProbable = std::size_t(modeIndex(atoms, Lean{}, &e.mostProbableTied));

    setMoments(e, atoms, w, {s0, s1, s2});
    return e;
}

// The weights relative to the mode's, as logarithms: walked outwards from the
// mode one ratio at a time, so that only the compositions that matter are
// ever touched. Lowest nHD first, from the composition of index `first`.
struct RelativeWeights
{
    std::int64_t mode = 0;
    std::int64_t first = 0;
    std::vector<long double> ln;
};

RelativeWeights relativeWeights(const Atoms &atoms, const Lean &lean, bool *tied)
{
    RelativeWeights r;
    r.mode = modeIndex(atoms, lean, tied);
    const bool keepAll = atoms.count <= kAllKeptUpTo;
    const long double lnCut = logl((long double) kNegligible);

    std::vector<long double> below, above; // outwards from the mode
    long double rel = 0;
    for (std::int64_t i = r.mode; i > 0; --i) {
        rel -= lnRatio(atoms, i - 1, lean);
        if (!keepAll && rel < lnCut)
            break;
        below.push_back(rel);
    }
    rel = 0;
    for (std::int64_t i = r.mode; i + 1 < atoms.count; ++i) {
        rel += lnRatio(atoms, i, lean);
        if (!keepAll && rel < lnCut)
            break;
        above.push_back(rel);
    }

    r.first = r.mode - std::int64_t(below.size());
    r.ln.resize(below.size() + 1 + above.size());
    std::reverse_copy(below.begin(), below.end(), r.ln.begin());
    r.ln[below.size()] = 0;
    std::copy(above.begin(), above.end(), r.ln.begin() + std::ptrdiff_t(below.size()) + 1);
    return r;
}

ExactDistribution inLogSpace(const Atoms &atoms, const Lean &lean)
{
    ExactDistribution e = emptyFor(atoms.h, atoms.d);
    describeRange(e, atoms);
    const RelativeWeights rel = relativeWeights(atoms, lean, &e.mostProbableTied);
    const std::size_t size = rel.ln.size();

    // Weights relative to the mode, and the moments of nHD about the mode.
    // exp in double precision, with the part of the exponent a double
    // drops put back to first order (it is below 1e-14).
    std::vector<long double> weight(size);
    long double z = 0, m1 = 0, m2 = 0;
    for (std::size_t j = 0; j < size; ++j) {
        const double rounded = double(rel.ln[j]);
        weight[j] = (long double) std::exp(rounded) * (1.0L + (rel.ln[j] - rounded));
        const long double dk = 2.0L * ((long double) (rel.first + std::int64_t(j) - rel.mode));
        z += weight[j];
        m1 += weight[j] * dk;
        m2 += weight[j] * dk * dk;
    }

    // ln W is the weight's logarithm without the lean's factor per step.
    const Composition modal = atoms.at(rel.mode);
    const long double lnWMode = lnWClosedForm(modal);
    e.kept.resize(size);
    for (std::size_t j = 0; j < size; ++j) {
        CompositionProbability &c = e.kept[j];
        const std::int64_t steps = rel.first + std::int64_t(j) - rel.mode;
        c.counts = atoms.at(rel.first + std::int64_t(j));
        c.lnW = double(lnWMode + rel.ln[j] - (long double) steps * lean.ln);
        c.p = double(weight[j] / z);
    }
    e.mostProbable = std::size_t(rel.mode - rel.first);

    const long double shift = m1 / z;
    const long double variance = std::max(0.0L, m2 / z - shift * shift);
    const long double n = (long double) atoms.n;
    const long double mean = (long double) modal.nHD + shift;
    e.meanHD = double(mean);
    e.sdHD = double(sqrtl(variance));
    e.meanFraction = atoms.n > 0 ? double(mean / n) : 0.0;
    e.sdFraction = atoms.n > 0 ? double(sqrtl(variance) / n) : 0.0;
    return e;
}

// How a distribution is worked out: the theory, exact in whole numbers
// where it can be; the theory in log space only; the engine's own.
enum class Way { Theory, TheoryInLogSpace, Engine };

ExactDistribution distributionOf(std::int64_t h, std::int64_t d, double K, Way way)
{
    const auto atoms = atomsOf(h, d);
    ExactDistribution e = emptyFor(h, d);
    if (atoms && reachableK(K)) {
        std::optional<ExactDistribution> whole;
        if (way == Way::Theory && K == kStatisticsOnlyK)
            whole = inWholeNumbers(*atoms);
        if (whole)
            e = std::move(*whole);
        else
            e = inLogSpace(*atoms, way == Way::Engine ? engineLean(K) : theoryLean(K));
        e.mostMicrostates = atoms->at(modeIndex(*atoms, Lean{}, nullptr));
    }
    e.K = K;
    return e;
}

} // namespace

double quotientOf(const Composition &counts)
{
    if (counts.nH2 == 0 || counts.nD2 == 0)
        return std::numeric_limits<double>::infinity();
    return ((double(counts.nHD) / double(counts.nH2)) * double(counts.nHD)) / double(counts.nD2);
}

const CompositionProbability *ExactDistribution::find(std::int32_t nHD) const
{
    if (kept.empty())
        return nullptr;
    const std::int64_t offset = std::int64_t(nHD) - kept.front().counts.nHD;
    if (offset < 0 || offset % 2 != 0 || offset / 2 >= std::int64_t(kept.size()))
        return nullptr;
    return &kept[std::size_t(offset / 2)];
}

double ExactDistribution::probabilityOf(std::int32_t nHD) const
{
    const CompositionProbability *c = find(nHD);
    return c ? c->p : 0.0;
}

ExactDistribution exactDistribution(std::int64_t hAtoms, std::int64_t dAtoms, double K)
{
    return distributionOf(hAtoms, dAtoms, K, Way::Theory);
}

std::int64_t acceptingDraws(double K)
{
    return std::clamp<std::int64_t>(std::llround(std::ldexp(K, 22)), 0, kCoinDraws);
}

ExactDistribution engineStationaryDistribution(std::int64_t hAtoms, std::int64_t dAtoms, double K)
{
    return distributionOf(hAtoms, dAtoms, K, Way::Engine);
}

std::optional<Composition> mostProbableComposition(std::int64_t hAtoms,
                                                   std::int64_t dAtoms,
                                                   double K)
{
    const auto atoms = atomsOf(hAtoms, dAtoms);
    if (!atoms || !reachableK(K))
        return std::nullopt;
    return atoms->at(modeIndex(*atoms, theoryLean(K), nullptr));
}

namespace detail {
ExactDistribution exactDistributionInLogSpace(std::int64_t hAtoms, std::int64_t dAtoms, double K)
{
    return distributionOf(hAtoms, dAtoms, K, Way::TheoryInLogSpace);
}
} // namespace detail

} // namespace kormix
