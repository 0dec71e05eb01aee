// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/exactdistribution.h"

#include "core/equilibrium/exactratio.h"

#include <algorithm>
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

// A factor on every ratio W(k + 2) / W(k), as num / den and as its
// logarithm: 1 for the theory, 2^23 / (2^23 - 1) for the engine's coin.
struct Lean
{
    UInt128 num = 1;
    UInt128 den = 1;
    long double ln = 0;
};

Lean engineLean()
{
    const long double half = (long double) (kCoinDraws / 2);
    return {UInt128(kCoinDraws / 2), UInt128(kCoinReacting), log1pl(1.0L / (half - 1.0L))};
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
    return e;
}

// ln W relative to the mode, walked outwards from the mode one ratio at a
// time, so that only the compositions that matter are ever touched.
ExactDistribution inLogSpace(const Atoms &atoms, const Lean &lean)
{
    ExactDistribution e = emptyFor(atoms.h, atoms.d);
    describeRange(e, atoms);

    const std::int64_t mode = modeIndex(atoms, lean, &e.mostProbableTied);
    const bool keepAll = atoms.count <= kAllKeptUpTo;
    const long double lnCut = logl((long double) kNegligible);

    std::vector<long double> below, above; // ln(W / W(mode)), outwards
    long double rel = 0;
    for (std::int64_t i = mode; i > 0; --i) {
        rel -= lnRatio(atoms, i - 1, lean);
        if (!keepAll && rel < lnCut)
            break;
        below.push_back(rel);
    }
    rel = 0;
    for (std::int64_t i = mode; i + 1 < atoms.count; ++i) {
        rel += lnRatio(atoms, i, lean);
        if (!keepAll && rel < lnCut)
            break;
        above.push_back(rel);
    }

    const std::int64_t firstKept = mode - std::int64_t(below.size());
    const std::size_t size = below.size() + 1 + above.size();
    std::vector<long double> lnRel(size);
    std::reverse_copy(below.begin(), below.end(), lnRel.begin());
    lnRel[below.size()] = 0;
    std::copy(above.begin(), above.end(), lnRel.begin() + std::ptrdiff_t(below.size()) + 1);

    // Weights relative to the mode, and the moments of nHD about the mode.
    // exp in double precision, with the part of the exponent a double
    // drops put back to first order (it is below 1e-14).
    std::vector<long double> weight(size);
    long double z = 0, m1 = 0, m2 = 0;
    for (std::size_t j = 0; j < size; ++j) {
        const double rounded = double(lnRel[j]);
        weight[j] = (long double) std::exp(rounded) * (1.0L + (lnRel[j] - rounded));
        const long double dk = 2.0L * ((long double) (firstKept + std::int64_t(j) - mode));
        z += weight[j];
        m1 += weight[j] * dk;
        m2 += weight[j] * dk * dk;
    }

    const Composition modal = atoms.at(mode);
    const long double lnWMode = lnWClosedForm(modal);
    e.kept.resize(size);
    for (std::size_t j = 0; j < size; ++j) {
        CompositionProbability &c = e.kept[j];
        c.counts = atoms.at(firstKept + std::int64_t(j));
        c.lnW = double(lnWMode + lnRel[j]);
        c.p = double(weight[j] / z);
    }
    e.mostProbable = below.size();

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

ExactDistribution exactDistribution(std::int64_t hAtoms, std::int64_t dAtoms)
{
    const auto atoms = atomsOf(hAtoms, dAtoms);
    if (!atoms)
        return emptyFor(hAtoms, dAtoms);
    if (auto exact = inWholeNumbers(*atoms))
        return std::move(*exact);
    return inLogSpace(*atoms, Lean{});
}

ExactDistribution engineStationaryDistribution(std::int64_t hAtoms, std::int64_t dAtoms)
{
    const auto atoms = atomsOf(hAtoms, dAtoms);
    if (!atoms)
        return emptyFor(hAtoms, dAtoms);
    return inLogSpace(*atoms, engineLean());
}

std::optional<Composition> mostProbableComposition(std::int64_t hAtoms, std::int64_t dAtoms)
{
    const auto atoms = atomsOf(hAtoms, dAtoms);
    if (!atoms)
        return std::nullopt;
    return atoms->at(modeIndex(*atoms, Lean{}, nullptr));
}

namespace detail {
ExactDistribution exactDistributionInLogSpace(std::int64_t hAtoms, std::int64_t dAtoms)
{
    const auto atoms = atomsOf(hAtoms, dAtoms);
    if (!atoms)
        return emptyFor(hAtoms, dAtoms);
    return inLogSpace(*atoms, Lean{});
}
} // namespace detail

} // namespace kormix
