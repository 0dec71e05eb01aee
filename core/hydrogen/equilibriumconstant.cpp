// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/hydrogen/equilibriumconstant.h"

#include <cmath>
#include <limits>

namespace kormix {

namespace {

// hc/k, the second radiation constant, in cm K.
constexpr long double kC2 = 1.438776877L;
// Atomic masses in u.
constexpr long double kMassH = 1.00782503207L;
constexpr long double kMassD = 2.01410177812L;

// Constants of Huber and Herzberg in cm^-1, and D0 measured from (0, 0).
struct Spectroscopy
{
    long double we, wexe, Be, ae, De, D0;
};

constexpr Spectroscopy spectroscopyOf(Isotopologue molecule)
{
    switch (molecule) {
    case Isotopologue::H2:
        return {4401.213L, 121.336L, 60.8530L, 3.0622L, 0.0471L, 36118.0696L};
    case Isotopologue::HD:
        return {3813.15L, 91.65L, 45.655L, 1.986L, 0.02605L, 36405.7825L};
    case Isotopologue::D2:
        break;
    }
    return {3115.50L, 61.82L, 30.4436L, 1.0786L, 0.01141L, 36748.3623L};
}

// The spins of two identical nuclei allow only some J with each spin state:
// H2 (spin 1/2) 1 state for even J, 3 for odd; D2 (spin 1) 6 and 3. HD has
// no such restriction: 2 x 3 spin states for every J.
int spinWeight(Isotopologue molecule, int J)
{
    switch (molecule) {
    case Isotopologue::H2:
        return J % 2 == 0 ? 1 : 3;
    case Isotopologue::D2:
        return J % 2 == 0 ? 6 : 3;
    case Isotopologue::HD:
        break;
    }
    return 6;
}

long double term(const Spectroscopy &c, int v, int J)
{
    const long double x = (long double) v + 0.5L;
    const long double y = (long double) J * (J + 1);
    return c.we * x - c.wexe * x * x + (c.Be - c.ae * x) * y - c.De * y * y;
}

struct Level
{
    int v, J;
    long double energy;
};

// The kept levels, with their energies in extended precision.
std::vector<Level> levelsOf(Isotopologue molecule)
{
    const Spectroscopy c = spectroscopyOf(molecule);
    const long double ground = term(c, 0, 0);
    std::vector<Level> kept;
    long double below = -1; // the J = 0 level of the v before
    for (int v = 0;; ++v) {
        const long double bottom = term(c, v, 0) - ground;
        if (bottom >= c.D0 || bottom <= below)
            return kept;
        below = bottom;
        long double previous = -1;
        for (int J = 0;; ++J) {
            const long double e = term(c, v, J) - ground;
            if (e >= c.D0 || e <= previous)
                break;
            kept.push_back({v, J, e});
            previous = e;
        }
    }
}

long double partitionFunction(Isotopologue molecule, long double kelvin)
{
    long double q = 0;
    for (const Level &l : levelsOf(molecule))
        q += (long double) (spinWeight(molecule, l.J) * (2 * l.J + 1))
             * expl(-kC2 * l.energy / kelvin);
    return q;
}

} // namespace

std::vector<RovibrationalLevel> rovibrationalLevels(Isotopologue molecule)
{
    std::vector<RovibrationalLevel> levels;
    for (const Level &l : levelsOf(molecule))
        levels.push_back({l.v, l.J, double(l.energy), spinWeight(molecule, l.J) * (2 * l.J + 1)});
    return levels;
}

double internalPartitionFunction(Isotopologue molecule, double kelvin)
{
    if (!(kelvin > 0))
        return std::numeric_limits<double>::quiet_NaN();
    return double(partitionFunction(molecule, kelvin));
}

double equilibriumConstant(double kelvin)
{
    if (!(kelvin > 0))
        return std::numeric_limits<double>::quiet_NaN();
    const long double t = kelvin;
    const long double ratio = (kMassH + kMassD) * (kMassH + kMassD) / ((2 * kMassH) * (2 * kMassD));
    const long double translational = ratio * sqrtl(ratio);
    const long double zeroPoint = spectroscopyOf(Isotopologue::H2).D0
                                  + spectroscopyOf(Isotopologue::D2).D0
                                  - 2 * spectroscopyOf(Isotopologue::HD).D0;
    const long double qHD = partitionFunction(Isotopologue::HD, t);
    return double(translational * qHD * qHD
                  / (partitionFunction(Isotopologue::H2, t) * partitionFunction(Isotopologue::D2, t))
                  * expl(-kC2 * zeroPoint / t));
}

} // namespace kormix
