// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// K(T) of real hydrogen against an independent computation in exact decimal
// arithmetic (tests/core/hydrogen_reference.py prints the reference rows)
// and against the JANAF tables.
#include "core/hydrogen/equilibriumconstant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kormix {
namespace {

TEST(HydrogenLevels, TheCutOffKeepsBoundRisingLevelsOnly)
{
    const struct
    {
        Isotopologue molecule;
        std::size_t count;
        int lastV, lastJ; // the last level kept
        int topJAtV0;     // where E(0, J) stops rising with J
    } cases[] = {
            {Isotopologue::H2, 280, 13, 7, 25},
            {Isotopologue::HD, 378, 16, 4, 29},
            {Isotopologue::D2, 577, 20, 6, 36},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.molecule));
        const std::vector<RovibrationalLevel> levels = rovibrationalLevels(c.molecule);
        ASSERT_EQ(levels.size(), c.count);
        EXPECT_EQ(levels.front().energy, 0.0);
        EXPECT_EQ(levels.back().v, c.lastV);
        EXPECT_EQ(levels.back().J, c.lastJ);
        int topJ = 0;
        for (const RovibrationalLevel &l : levels)
            if (l.v == 0)
                topJ = l.J;
        EXPECT_EQ(topJ, c.topJAtV0);
    }
    // Weights g(J) (2J + 1): the spins of the nuclei.
    const auto h2 = rovibrationalLevels(Isotopologue::H2);
    const auto hd = rovibrationalLevels(Isotopologue::HD);
    const auto d2 = rovibrationalLevels(Isotopologue::D2);
    EXPECT_EQ(h2[0].weight, 1);
    EXPECT_EQ(h2[1].weight, 9);
    EXPECT_EQ(hd[0].weight, 6);
    EXPECT_EQ(hd[1].weight, 18);
    EXPECT_EQ(d2[0].weight, 6);
    EXPECT_EQ(d2[1].weight, 9);
    EXPECT_EQ(d2[2].weight, 30);
}

TEST(EquilibriumConstant, AgreesWithTheExactDecimalComputation)
{
    const struct
    {
        double kelvin, qH2, qHD, qD2, K;
    } rows[] = {
            // clang-format off
            {20, 1.00179218466054888e+0, 6.02936379390769061e+0, 6.12228179949825344e+0, 1.36529677685101645e-1},
            {50, 1.29796923928045056e+0, 7.39511115469657371e+0, 7.78654821708033251e+0, 1.33096690369615861e+0},
            {100, 2.66849364982576633e+0, 1.16498394040994084e+1, 1.22259308321240032e+1, 2.25328633677165043e+0},
            {200, 5.36329644936350838e+0, 2.08802231124809413e+1, 2.25611771851905715e+1, 2.89614313257806933e+0},
            {298.15, 7.72521274497284230e+0, 3.00822284590384017e+1, 3.28953148456486467e+1, 3.25948732679870849e+0},
            {500, 1.25187280877019651e+1, 4.91764025343536963e+1, 5.43076232815736823e+1, 3.62315601634156399e+0},
            {1000, 2.46394278502844361e+1, 9.77489554246142149e+1, 1.09607192890889004e+2, 3.89971477485231053e+0},
            {2000, 5.23438966357491161e+1, 2.13118319113659694e+2, 2.49704443524327206e+2, 3.98445917631003495e+0},
            {3000, 8.91302916275589281e+1, 3.71515962255537829e+2, 4.50510030686358173e+2, 3.99355120839896365e+0},
            // clang-format on
    };
    constexpr double kTolerance = 2e-15;
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kelvin);
        EXPECT_NEAR(internalPartitionFunction(Isotopologue::H2, r.kelvin),
                    r.qH2,
                    kTolerance * r.qH2);
        EXPECT_NEAR(internalPartitionFunction(Isotopologue::HD, r.kelvin),
                    r.qHD,
                    kTolerance * r.qHD);
        EXPECT_NEAR(internalPartitionFunction(Isotopologue::D2, r.kelvin),
                    r.qD2,
                    kTolerance * r.qD2);
        EXPECT_NEAR(equilibriumConstant(r.kelvin), r.K, kTolerance * r.K);
    }
}

TEST(EquilibriumConstant, MeetsTheMeasuredAndRoundValues)
{
    // JANAF: 3.257 at 298.15 K, to 0.2 %.
    EXPECT_NEAR(equilibriumConstant(298.15) / 3.257, 1.0, 0.002);
    const struct
    {
        double kelvin, about, within;
    } rows[] = {{20, 0.14, 0.005}, {500, 3.62, 0.005}, {2000, 3.98, 0.005}, {3000, 4.0, 0.01}};
    for (const auto &r : rows)
        EXPECT_NEAR(equilibriumConstant(r.kelvin), r.about, r.within) << r.kelvin << " K";
}

TEST(EquilibriumConstant, RisesMonotonicallyOverTheTemperaturesOffered)
{
    double previous = 0;
    for (double t = kMinKelvin; t <= kMaxKelvin; t += 1) {
        const double k = equilibriumConstant(t);
        ASSERT_GT(k, previous) << t << " K";
        ASSERT_LT(k, 4.0) << t << " K";
        previous = k;
    }
}

TEST(EquilibriumConstant, NoTemperatureNoConstant)
{
    for (double t : {0.0, -1.0, std::nan("")}) {
        EXPECT_TRUE(std::isnan(equilibriumConstant(t))) << t;
        EXPECT_TRUE(std::isnan(internalPartitionFunction(Isotopologue::HD, t))) << t;
    }
}

} // namespace
} // namespace kormix
