// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/leveldrag.h"
#include "tests/common/dragexamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>

namespace kormix {
namespace {

using enum AdjustMode;
constexpr std::int32_t kMax = 2147483647;
constexpr std::int64_t kFar = 8LL * kMax; // the largest change a pointer asks for

std::int64_t hAtoms(const LevelCounts &c)
{
    return 2LL * c[0] + c[1];
}
std::int64_t dAtoms(const LevelCounts &c)
{
    return 2LL * c[2] + c[1];
}

struct DragRow
{
    AdjustMode mode;
    LevelCounts before;
    int kind;
    std::int64_t change;
    LevelCounts after;
};

void expectDrags(std::span<const DragRow> rows)
{
    for (const DragRow &r : rows) {
        SCOPED_TRACE(testing::Message()
                     << (r.mode == All ? "All " : "One ") << r.before[0] << "," << r.before[1]
                     << "," << r.before[2] << " kind " << r.kind << " change " << r.change);
        const LevelCounts after = dragLevel(r.before, r.kind, r.mode, r.change);
        EXPECT_EQ(after, r.after);
        if (r.mode == All) {
            EXPECT_EQ(hAtoms(after), hAtoms(r.before));
            EXPECT_EQ(dAtoms(after), dAtoms(r.before));
        }
    }
}

TEST(DragLevel, WorkedExamples)
{
    for (const test::DragExample &e : test::kDragExamples) {
        const DragRow row = {e.mode, e.before, e.kind, e.change, e.after};
        expectDrags({&row, 1});
    }
}

TEST(DragLevel, HdMovesInPairs)
{
    const DragRow rows[] = {
            {One, {20, 20, 19}, 1, -1, {20, 20, 19}}, // -1 becomes 0
            {One, {20, 20, 19}, 1, -3, {20, 18, 19}}, // -3 becomes -2
            {One, {20, 20, 19}, 1, +1, {20, 20, 19}},
            {One, {20, 20, 19}, 1, +3, {20, 22, 19}},
            {All, {20, 20, 19}, 1, -3, {21, 18, 20}},
            {All, {20, 20, 19}, 1, +3, {19, 22, 18}},
            // H2 and D2 move by single molecules.
            {One, {20, 20, 19}, 0, -1, {19, 20, 19}},
            {One, {20, 20, 19}, 2, +1, {20, 20, 20}},
    };
    expectDrags(rows);
}

TEST(DragLevel, DraggedCountStopsAtZero)
{
    const DragRow rows[] = {
            {One, {7, 3, 2}, 0, -kFar, {0, 3, 2}},
            {One, {7, 3, 2}, 1, -kFar, {7, 0, 2}},
            {One, {7, 3, 2}, 2, -kFar, {7, 3, 0}},
            {One, {7, 3, 2}, 0, -8, {0, 3, 2}},
            {All, {3, 2, 9}, 0, -kFar, {0, 8, 6}},
            {All, {3, 4, 9}, 1, -kFar, {5, 0, 11}},
            // Adjust All cannot take from the partner more than it has: the
            // balance gives it back.
            {All, {4, 2, 0}, 0, -kFar, {4, 2, 0}},
            {All, {0, 2, 4}, 2, -1, {0, 2, 4}},
            // Raising H2 uses up the HD pairs there are.
            {All, {2, 6, 2}, 0, +kFar, {5, 0, 5}},
            {All, {3, 2, 1}, 1, +kFar, {2, 4, 0}},
    };
    expectDrags(rows);
}

TEST(DragLevel, OddHdCount)
{
    // The H atoms have the parity of nHD, and Adjust All keeps them: the last
    // HD molecule stays. Adjust One may take it away, but otherwise keeps an
    // odd count odd.
    const DragRow rows[] = {
            {All, {2, 5, 2}, 1, -kFar, {4, 1, 4}},
            {All, {2, 5, 2}, 1, -6, {4, 1, 4}},
            {All, {0, 1, 0}, 1, -2, {0, 1, 0}},
            {All, {2, 5, 2}, 0, +kFar, {4, 1, 4}},
            {One, {2, 5, 2}, 1, -kFar, {2, 0, 2}},
            {One, {2, 5, 2}, 1, -6, {2, 0, 2}},
            {One, {2, 5, 2}, 1, -4, {2, 1, 2}},
            {One, {3, 5, 1}, 1, -2, {3, 3, 1}},
            {One, {3, 5, 1}, 1, +5, {3, 9, 1}},
    };
    expectDrags(rows);
}

TEST(DragLevel, CountsStayWithinTheirRange)
{
    const DragRow rows[] = {
            // Changes as huge as many zoom-outs give them.
            {One, {5, 2, 5}, 0, +kFar, {kMax, 2, 5}},
            {One, {5, 3, 5}, 1, +kFar, {5, kMax, 5}},
            {One, {5, 2, 5}, 1, +kFar, {5, kMax - 1, 5}},
            {One, {5, 2, 5}, 2, +kFar, {5, 2, kMax}},
            {One, {5, 2, 5}, 2, -kFar, {5, 2, 0}},
            {One, {5, 2, 5}, 0, std::numeric_limits<std::int64_t>::max(), {kMax, 2, 5}},
            {One, {5, 2, 5}, 1, std::numeric_limits<std::int64_t>::min(), {5, 0, 5}},
            {All, {kMax - 5, 10, kMax - 5}, 0, +kFar, {kMax, 0, kMax}},
            {All, {10, kMax - 6, 10}, 2, -kFar, {7, kMax, 7}},
            {All, {kMax - 1, 4, kMax - 1}, 1, -kFar, {kMax, 2, kMax}},
            {All, {0, kMax, 0}, 0, +kFar, {kMax / 2, 1, kMax / 2}},
            {All, {0, kMax, 0}, 1, -kFar, {kMax / 2, 1, kMax / 2}},
            // Small changes near the top of the range.
            {One, {kMax - 1, 0, 0}, 0, +5, {kMax, 0, 0}},
            {One, {0, kMax - 1, 0}, 1, +2, {0, kMax - 1, 0}},
            {One, {0, kMax - 3, 0}, 1, +4, {0, kMax - 1, 0}},
            {All, {0, 4, kMax}, 0, +2, {0, 4, kMax}}, // D2 has no room to rise with H2
            {All, {1, 4, kMax - 1}, 0, +2, {2, 2, kMax}},
            {All, {kMax, 0, kMax}, 1, +4, {kMax - 2, 4, kMax - 2}},
            {All, {kMax, kMax, kMax}, 0, -1, {kMax, kMax, kMax}}, // HD has no room
            {All, {kMax, kMax - 2, kMax}, 2, -3, {kMax - 1, kMax, kMax - 1}},
    };
    expectDrags(rows);
}

TEST(DragLevel, KindOutsideTheColumnsChangesNothing)
{
    for (int kind : {-1, 3, 1000})
        for (AdjustMode mode : {All, One})
            EXPECT_EQ(dragLevel({3, 2, 1}, kind, mode, 2), (LevelCounts{3, 2, 1})) << kind;
}

// Random drags of every size from random compositions, small ones and ones
// at the top of the range: Adjust All keeps the atoms, Adjust One changes the
// dragged count alone, and no count ever leaves 0 .. 2147483647.
TEST(DragLevel, RandomDragsKeepTheRules)
{
    std::mt19937_64 gen(20261208);
    auto count = [&gen]() -> std::int32_t {
        switch (gen() % 3) {
        case 0:
            return std::int32_t(gen() % 60);
        case 1:
            return std::int32_t(kMax - std::int64_t(gen() % 60));
        default:
            return std::int32_t(gen() % (std::uint64_t(kMax) + 1));
        }
    };
    auto change = [&gen]() -> std::int64_t {
        switch (gen() % 4) {
        case 0:
            return std::int64_t(gen() % 201) - 100;
        case 1:
            return gen() % 2 ? kFar : -kFar;
        case 2:
            return std::int64_t(gen() % std::uint64_t(2 * kFar + 1)) - kFar;
        default:
            return std::int64_t(gen() % (2ULL * kMax + 1)) - kMax;
        }
    };
    auto inRange = [](const LevelCounts &c) {
        return c[0] >= 0 && c[1] >= 0 && c[2] >= 0; // int32 holds the upper bound
    };

    for (int start = 0; start < 200; ++start) {
        LevelCounts c = {count(), count(), count()};
        for (int drag = 0; drag < 100; ++drag) {
            const int kind = int(gen() % 3);
            const AdjustMode mode = gen() % 2 ? All : One;
            const std::int64_t d = change();
            const LevelCounts after = dragLevel(c, kind, mode, d);
            SCOPED_TRACE(testing::Message() << c[0] << "," << c[1] << "," << c[2] << " kind "
                                            << kind << " change " << d);
            ASSERT_TRUE(inRange(after));
            if (mode == All) {
                ASSERT_EQ(hAtoms(after), hAtoms(c));
                ASSERT_EQ(dAtoms(after), dAtoms(c));
            } else {
                for (int i = 0; i < 3; ++i) {
                    if (i != kind) {
                        ASSERT_EQ(after[std::size_t(i)], c[std::size_t(i)]);
                    }
                }
                if (c[1] % 2 != 0) {
                    ASSERT_TRUE(after[1] % 2 != 0 || after[1] == 0);
                }
            }
            c = after;
        }
    }
}

TEST(ChangeFromPointer, WholeMoleculesBetweenTopAndPointer)
{
    // 45 twips a molecule on the base line 3855; 20 molecules reach up to 2955.
    const struct
    {
        double y;
        std::int64_t change;
    } rows[] = {
            {2955, 0},      // at the top
            {2955.001, -1}, // any distance below it takes one
            {2970, -1},
            {3000, -1}, // exactly one molecule lower
            {3000.5, -2},
            {3855, -20},   // at the base line
            {40000, -824}, // far below it
            {2911, 0},     // not yet a whole molecule above
            {2910, +1},
            {2955 - 45 * 7, +7},
            {-1000, +87},
    };
    for (const auto &r : rows)
        EXPECT_EQ(changeFromPointer(3855, 45, 20, r.y), r.change) << r.y;
}

TEST(ChangeFromPointer, HeldToAFarChangeOrNone)
{
    const struct
    {
        double scale;
        std::int32_t count;
        double y;
        std::int64_t change;
    } rows[] = {
            {1e-12, 5, -1000, kFar},
            {1e-300, 5, 1e6, -kFar},
            {2.2250738585072014e-308, kMax, -1e6, kFar},
            {0, 5, 100, kFar},        // no scale: the pointer asks for everything
            {0, 5, 3855, 0},          // 0 / 0 asks for nothing
            {45, 5, std::nan(""), 0}, // nor does a position that is no number
            {std::nan(""), 5, 100, 0},
            {1e300, 1, 3855 - 1e300, 0}, // a huge scale: the top is far above
            {1e300, 1, 3855 - 2e300, +1},
    };
    for (const auto &r : rows)
        EXPECT_EQ(changeFromPointer(3855, r.scale, r.count, r.y), r.change)
                << r.scale << " " << r.count << " " << r.y;
}

TEST(NearestLevel, CentreNearestInX)
{
    // The columns' centres by kind: H2, HD (its right half), D2.
    const std::array<double, 3> centres = {352.5, 1612.5, 712.5};
    const struct
    {
        double x;
        int kind;
    } rows[] = {
            {-5000, 0},
            {0, 0},
            {352.5, 0},
            {532.5, 0}, // halfway between H2 and D2: the lower kind
            {532.6, 2},
            {1162.4, 2},
            {1162.5, 1}, // halfway between D2 and HD
            {1612.5, 1},
            {2040, 1},
            {101612, 1},
            {101613, 0}, // beyond 100000 twips from every column
    };
    for (const auto &r : rows)
        EXPECT_EQ(nearestLevel(centres, r.x), r.kind) << r.x;
}

} // namespace
} // namespace kormix
