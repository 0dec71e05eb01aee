// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium constant K(T) of real hydrogen, H2 + D2 = 2 HD, from the
// spectroscopic constants of the three molecules. Counting alone gives
// K = 4; the zero-point energies of H2, HD and D2 differ, which lowers K at
// room temperature (3.26) and more when cold. The windows and the batch mode
// offer 20 K to 3000 K, where K rises monotonically from 0.137 to 3.994.
#pragma once

#include <vector>

namespace kormix {

enum class Isotopologue { H2, HD, D2 };

// The temperatures the program offers, in kelvin.
inline constexpr double kMinKelvin = 20;
inline constexpr double kMaxKelvin = 3000;

// One rovibrational level, its energy in cm^-1 above the level (v = 0, J = 0)
// and its weight g(J) (2J + 1), with the nuclear-spin weight g(J): 1 for even
// and 3 for odd J in H2, 6 and 3 in D2, 6 for every J in HD (ortho and para
// forms taken as equilibrated).
struct RovibrationalLevel
{
    int v = 0;
    int J = 0;
    double energy = 0;
    int weight = 0;
};

// The levels of a molecule: E(v, J) = we x - wexe x^2 + (Be - ae x) J(J + 1)
// - De [J(J + 1)]^2 with x = v + 1/2, less E(0, 0). A level is kept while
// its energy stays below the dissociation energy D0 and rises with v (the
// J = 0 levels) and with J (within one v): beyond, the expansion no longer
// describes bound levels. In increasing v, then J.
std::vector<RovibrationalLevel> rovibrationalLevels(Isotopologue molecule);

// The internal partition function: the direct sum of weight exp(-c2 E / T)
// over those levels.
double internalPartitionFunction(Isotopologue molecule, double kelvin);

// K(T) = F_tr Q_HD^2 / (Q_H2 Q_D2) exp(-c2 dE0 / T), with the translational
// factor F_tr = (m_HD^2 / (m_H2 m_D2))^(3/2) and the zero-point term
// dE0 = D0(H2) + D0(D2) - 2 D0(HD) = 54.8669 cm^-1. NaN for a temperature
// that is not positive. Beyond the temperatures offered it peaks near
// 3340 K (3.9939) and then falls slowly: there the anharmonic levels and
// their cut-off, not the high-temperature limit of 4, decide.
double equilibriumConstant(double kelvin);

} // namespace kormix
