// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/arrangements.h"
#include "tests/core/microstates.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace kormix {
namespace {

using test::microstates;
using test::UInt128;

std::string text(const Arrangement &forms)
{
    static const char *const names[] = {"HH", "HD", "DH", "DD"};
    std::string s;
    for (MoleculeForm f : forms)
        s += std::string(names[int(f)]) + " ";
    return s;
}

// Every system of up to six molecules, with every split of its atoms into H
// and D: each composition the atoms allow is one group, in increasing nHD,
// holding exactly W distinct arrangements of those atoms; P = W / sum W in
// lowest terms.
TEST(Arrangements, EveryGroupHoldsWArrangementsOfItsComposition)
{
    for (int n = 0; n <= kMaxArrangedMolecules; ++n) {
        for (int h = 0; h <= 2 * n; ++h) {
            const int d = 2 * n - h;
            SCOPED_TRACE(std::to_string(h) + " H, " + std::to_string(d) + " D");
            const Arrangements a = arrangementsOf(h, d);
            EXPECT_EQ(a.nMolecules, n);

            UInt128 sumW = 0;
            std::size_t g = 0;
            for (int hd = h % 2; hd <= std::min(h, d); hd += 2, ++g) {
                const Composition c{(h - hd) / 2, hd, (d - hd) / 2};
                sumW += microstates(c.nH2, c.nHD, c.nD2);
                ASSERT_LT(g, a.groups.size());
                const ArrangementGroup &group = a.groups[g];
                EXPECT_EQ(group.counts, c);
                EXPECT_EQ(group.w(), std::uint64_t(microstates(c.nH2, c.nHD, c.nD2)));
                EXPECT_EQ(a.groupOf(c), g);
                for (std::size_t i = 0; i < group.arrangements.size(); ++i) {
                    const Arrangement &forms = group.arrangements[i];
                    ASSERT_EQ(forms.size(), std::size_t(n));
                    int hh = 0, mixed = 0, dd = 0;
                    for (MoleculeForm f : forms) {
                        hh += f == MoleculeForm::HH;
                        mixed += f == MoleculeForm::HD || f == MoleculeForm::DH;
                        dd += f == MoleculeForm::DD;
                    }
                    EXPECT_EQ((Composition{hh, mixed, dd}), c) << text(forms);
                    if (i > 0) { // in increasing order, hence all different
                        EXPECT_LT(group.arrangements[i - 1], forms) << text(forms);
                    }
                }
            }
            EXPECT_EQ(a.groups.size(), g);
            EXPECT_EQ(a.total, std::uint64_t(sumW));
            // Every way of putting h H atoms into 2n atom places.
            EXPECT_EQ(a.total,
                      std::uint64_t(test::factorial(2 * n) / test::factorial(h)
                                    / test::factorial(d)));
            for (const ArrangementGroup &group : a.groups) {
                const Fraction p = group.p;
                EXPECT_EQ(std::gcd(p.numerator, p.denominator), 1u);
                EXPECT_EQ(UInt128(p.numerator) * a.total, UInt128(group.w()) * p.denominator);
                EXPECT_EQ(group.probability, double(group.w()) / double(a.total));
            }
        }
    }
}

// 2 H2 + 2 D2: 6 + 48 + 16 = 70 arrangements; 1 H2 + 1 D2 listed in full.
TEST(Arrangements, WorkedExamples)
{
    const Arrangements a = arrangementsOf(4, 4);
    ASSERT_EQ(a.groups.size(), 3u);
    EXPECT_EQ(a.total, 70u);
    const std::uint64_t w[] = {6, 48, 16};
    const Fraction p[] = {{3, 35}, {24, 35}, {8, 35}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(a.groups[i].w(), w[i]);
        EXPECT_EQ(a.groups[i].p, p[i]);
    }
    using F = MoleculeForm;
    const Arrangements b = arrangementsOf(2, 2);
    ASSERT_EQ(b.groups.size(), 2u);
    EXPECT_EQ(b.groups[0].arrangements, (std::vector<Arrangement>{{F::HH, F::DD}, {F::DD, F::HH}}));
    EXPECT_EQ(b.groups[1].arrangements,
              (std::vector<Arrangement>{{F::HD, F::HD},
                                        {F::HD, F::DH},
                                        {F::DH, F::HD},
                                        {F::DH, F::DH}}));
}

TEST(Arrangements, AtomsThatMakeNoSystemToLayOut)
{
    const struct
    {
        int h, d;
    } cases[] = {{-1, 3}, {3, -1}, {3, 2}, {0, 1}, {7, 7}, {14, 0}, {0, 13}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + " H, " + std::to_string(c.d) + " D");
        const Arrangements a = arrangementsOf(c.h, c.d);
        EXPECT_TRUE(a.groups.empty());
        EXPECT_EQ(a.total, 0u);
        EXPECT_EQ(a.groupOf({0, 0, 0}), std::nullopt);
    }
    // Compositions the atoms cannot make have no group.
    const Arrangements a = arrangementsOf(4, 4);
    EXPECT_EQ(a.groupOf({1, 1, 1}), std::nullopt);
    EXPECT_EQ(a.groupOf({2, 0, 1}), std::nullopt);
    // No atoms at all: the empty arrangement, once.
    const Arrangements none = arrangementsOf(0, 0);
    ASSERT_EQ(none.groups.size(), 1u);
    EXPECT_EQ(none.groups[0].arrangements, std::vector<Arrangement>{Arrangement{}});
}

} // namespace
} // namespace kormix
