#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
"""The equilibrium constant of H2 + D2 = 2 HD from spectroscopic constants, worked out
independently of the program in exact decimal arithmetic (50 significant digits): the
reference values of tests/core/hydrogen_test.cpp. Run it with python3; it prints the
table rows the test holds.

K(T) = F_tr * Q_HD^2 / (Q_H2 * Q_D2) * exp(-c2 * dE0 / T), with the internal partition
functions summed directly over the rovibrational levels, measured from (v = 0, J = 0):
E(v, J) = we x - wexe x^2 + (Be - ae x) J(J + 1) - De [J(J + 1)]^2, x = v + 1/2. A level
is kept while its energy stays below D0 and rises with v (the J = 0 levels) and with J
(within one v). Each level counts g(J) (2J + 1) with the nuclear-spin weights g.
"""
from decimal import Decimal as D, getcontext

getcontext().prec = 50

C2 = D("1.438776877")  # hc/k in cm K
M_H = D("1.00782503207")
M_D = D("2.01410177812")
D0 = {"H2": D("36118.0696"), "HD": D("36405.7825"), "D2": D("36748.3623")}
# we, wexe, Be, ae, De in cm^-1
CONSTANTS = {
    "H2": (D("4401.213"), D("121.336"), D("60.8530"), D("3.0622"), D("0.0471")),
    "HD": (D("3813.15"), D("91.65"), D("45.655"), D("1.986"), D("0.02605")),
    "D2": (D("3115.50"), D("61.82"), D("30.4436"), D("1.0786"), D("0.01141")),
}


def spin_weight(molecule, j):
    if molecule == "H2":
        return 1 if j % 2 == 0 else 3
    if molecule == "D2":
        return 6 if j % 2 == 0 else 3
    return 6


def term(molecule, v, j):
    we, wexe, be, ae, de = CONSTANTS[molecule]
    x = D(v) + D("0.5")
    y = D(j * (j + 1))
    return we * x - wexe * x * x + (be - ae * x) * y - de * y * y


def levels(molecule):
    """(v, J, energy above (0, 0)) of every level kept, exactly."""
    ground = term(molecule, 0, 0)
    kept = []
    v, below = 0, None
    while True:
        bottom = term(molecule, v, 0) - ground
        if bottom >= D0[molecule] or (below is not None and bottom <= below):
            return kept
        below = bottom
        j, previous = 0, None
        while True:
            e = term(molecule, v, j) - ground
            if e >= D0[molecule] or (previous is not None and e <= previous):
                break
            kept.append((v, j, e))
            previous = e
            j += 1
        v += 1


LEVELS = {m: levels(m) for m in CONSTANTS}


def partition_function(molecule, t):
    t = D(t)
    return sum(
        spin_weight(molecule, j) * (2 * j + 1) * (-C2 * e / t).exp()
        for v, j, e in LEVELS[molecule]
    )


def equilibrium_constant(t):
    ratio = (M_H + M_D) ** 2 / ((2 * M_H) * (2 * M_D))
    translational = ratio * ratio.sqrt()
    zero_point = D0["H2"] + D0["D2"] - 2 * D0["HD"]
    q = {m: partition_function(m, t) for m in CONSTANTS}
    return (translational * q["HD"] ** 2 / (q["H2"] * q["D2"])
            * (-C2 * zero_point / D(t)).exp())


if __name__ == "__main__":
    for m in ("H2", "HD", "D2"):
        kept = LEVELS[m]
        top_j = max(j for v, j, _ in kept if v == 0)
        print("{Isotopologue::%s, %d, %d, %d, %d}," % (m, len(kept), kept[-1][0], kept[-1][1], top_j))
    for t in ("20", "50", "100", "200", "298.15", "500", "1000", "2000", "3000"):
        q = [partition_function(m, t) for m in ("H2", "HD", "D2")]
        print("{%s, %s, %s, %s, %s}," % (t, *(f"{x:.17e}" for x in q),
                                         f"{equilibrium_constant(t):.17e}"))
