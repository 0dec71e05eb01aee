// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// W of a composition from the textbook formula, in whole numbers, for tests
// that check the program's own counting against it.
#pragma once

namespace kormix::test {

__extension__ typedef unsigned __int128 UInt128;

inline UInt128 factorial(int n)
{
    UInt128 f = 1;
    for (int i = 2; i <= n; ++i)
        f *= UInt128(i);
    return f;
}

// W = N! / (nH2! nHD! nD2!) 2^nHD from factorials, for systems of at most
// 30 molecules.
inline UInt128 microstates(int h2, int hd, int d2)
{
    return factorial(h2 + hd + d2) / factorial(h2) / factorial(hd) / factorial(d2)
           * (UInt128(1) << hd);
}

} // namespace kormix::test
