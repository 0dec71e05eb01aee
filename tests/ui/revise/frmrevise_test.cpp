// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The revise-data window driven as a user drives it: mouse presses, moves and
// releases on the level frame, clicks on the options, zoom pictures and
// "Equilibrate".
#include "ui/revise/frmrevise.h"

#include "tests/ui/common/driver.h"
#include "tests/ui/revise/levelmouse.h"
#include "ui/common/levelpanel.h"

#include "core/simulation.h"
#include "tests/common/dragexamples.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include <random>
#include <vector>

namespace kormix::ui {
namespace {

using Counts = std::array<std::int32_t, 3>; // H2, HD, D2
using test::drag;
using test::move;
using test::press;
using test::release;

constexpr double kBase = 3855;                        // base line of the columns, twips
constexpr double kCentre[3] = {352.5, 1612.5, 712.5}; // x of the columns by kind
constexpr std::int32_t kMax = 2147483647;

enum Mode { Kept, All, One }; // Kept: the option the window opens with

class ReviseTest : public ::testing::Test
{
protected:
    FrmRevise &openWindow(Counts counts, std::int32_t nMolecules = -1, Mode mode = Kept)
    {
        const std::int32_t n = nMolecules >= 0 ? nMolecules : counts[0] + counts[1] + counts[2];
        window = std::make_unique<FrmRevise>(counts, n, '.', reviseSide);
        QObject::connect(window.get(), &QDialog::accepted, [this] {
            written.push_back(window->nKind);
        });
        window->show();
        if (mode != Kept)
            QTest::mouseClick(window->optOne[mode == All ? 0 : 1], Qt::LeftButton);
        return *window;
    }

    Counts now() const { return window->nKind; }
    // The pointer height at which a column changes by d molecules (half a
    // molecule beyond, so that the rounding is not at stake).
    double yFor(int kind, double d) const
    {
        return kBase - window->revScale * (window->nKind[std::size_t(kind)] + d + 0.5);
    }
    // Press anywhere (here above every column) and release at y.
    void pressRelease(int kind, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        press(window->FraLevels, kCentre[kind], 100, button);
        release(window->FraLevels, kCentre[kind], y, button);
    }

    QString reviseSide; // the adjust mode, kept from one opening to the next
    std::unique_ptr<FrmRevise> window;
    std::vector<Counts> written;
};

std::int64_t hAtoms(const Counts &c)
{
    return 2LL * c[0] + c[1];
}
std::int64_t dAtoms(const Counts &c)
{
    return 2LL * c[2] + c[1];
}

TEST_F(ReviseTest, WorkedExamples)
{
    // Each drag made with the left button, pressed above the columns and
    // released where the column changes by the example's number of molecules.
    for (const test::DragExample &e : test::kDragExamples) {
        SCOPED_TRACE(testing::Message() << "before " << e.before[0] << "," << e.before[1] << ","
                                        << e.before[2] << " kind " << e.kind << " d " << e.change);
        openWindow(e.before, -1, e.mode == AdjustMode::All ? All : One);
        pressRelease(e.kind, yFor(e.kind, double(e.change)));
        EXPECT_EQ(now(), e.after);
        EXPECT_FALSE(window->revDragging);
    }
}

TEST_F(ReviseTest, ReleaseAtTheTopOrJustBelowIt)
{
    // 59 molecules give 45 twips a molecule, so every top lies on a pixel.
    struct Row
    {
        int kind;
        double belowTop; // twips below the column's top
        Counts after;
    };
    const Row rows[] = {
            {0, 0, {20, 20, 19}},
            {0, 15, {19, 20, 19}},
            {2, 0, {20, 20, 19}},
            {2, 15, {20, 20, 18}},
            {1, 0, {20, 20, 19}},
            {1, 15, {20, 20, 19}},
            {0, -44, {20, 20, 19}},
            {0, -45, {21, 20, 19}},
            {1, -90, {20, 22, 19}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind << " below " << r.belowTop);
        openWindow({20, 20, 19}, 59, One);
        ASSERT_EQ(window->revScale, 45);
        pressRelease(r.kind, kBase - 45 * window->nKind[std::size_t(r.kind)] + r.belowTop);
        EXPECT_EQ(now(), r.after);
    }
}

TEST_F(ReviseTest, DraggingFarBelowTheBaseLineStopsAtZero)
{
    const struct
    {
        Mode mode;
        int kind;
        Counts before, after;
    } rows[] = {
            {One, 0, {7, 3, 2}, {0, 3, 2}},
            {One, 1, {7, 3, 2}, {7, 0, 2}},
            {One, 2, {7, 3, 2}, {7, 3, 0}},
            {All, 0, {3, 2, 9}, {0, 8, 6}},
            {All, 1, {3, 4, 9}, {5, 0, 11}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind);
        openWindow(r.before, -1, r.mode);
        drag(window->FraLevels, kCentre[r.kind], 2000, 40000);
        EXPECT_EQ(now(), r.after);
    }
}

TEST_F(ReviseTest, OddHdDraggedToNothingKeepsItsOddMolecule)
{
    // Adjust All keeps the atoms, and with an odd HD count the H atoms are odd:
    // the last HD molecule stays. Adjust One may take it away.
    openWindow({2, 5, 2});
    drag(window->FraLevels, kCentre[1], 2000, 9000);
    EXPECT_EQ(now(), (Counts{4, 1, 4}));

    openWindow({2, 5, 2}, -1, One);
    drag(window->FraLevels, kCentre[1], 2000, 9000);
    EXPECT_EQ(now(), (Counts{2, 0, 2}));
}

TEST_F(ReviseTest, OtherButtonsAdjustOneColumnInAdjustAllMode)
{
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        openWindow({3, 2, 1});
        ASSERT_TRUE(window->optOne[0]->isChecked());
        pressRelease(0, yFor(0, +2), button);
        EXPECT_EQ(now(), (Counts{5, 2, 1}));
        EXPECT_EQ(window->revButton, button == Qt::RightButton ? 2 : 4);
    }
    openWindow({3, 2, 1});
    pressRelease(0, yFor(0, +2), Qt::LeftButton);
    EXPECT_EQ(now(), (Counts{4, 0, 2}));
}

TEST_F(ReviseTest, PressAnywhereGrabsTheColumnNearestInX)
{
    const struct
    {
        double x;
        int kind;
    } rows[] = {{0, 0},
                {352.5, 0},
                {532.5, 0},
                {532.6, 2},
                {1162.4, 2},
                {1162.5, 1},
                {1612.5, 1},
                {2040, 1}};
    openWindow({4, 4, 4});
    for (const auto &r : rows) {
        for (double y : {15.0, 2000.0, 4600.0}) {
            SCOPED_TRACE(testing::Message() << "x " << r.x << " y " << y);
            window->revDragLevel = -1;
            press(window->FraLevels, r.x, y);
            EXPECT_EQ(window->revDragLevel, r.kind);
            EXPECT_TRUE(window->revDragging);
            EXPECT_EQ(now(), (Counts{4, 4, 4})); // a press alone changes nothing
            window->revDragging = false;
        }
    }
}

TEST_F(ReviseTest, PressOnACaptionInTheFrameGrabsTheColumnBelowIt)
{
    // Through the window system, so that the press lands on the caption and
    // travels on to the frame. 1695 twips across the frame is nearest to HD.
    openWindow({2, 2, 2}, 40, One);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QPoint onCaption = test::pixelsAt(1695 - 240, 120); // frame y 840, high above every column
    QTest::mousePress(window->nMolec[1], Qt::LeftButton, {}, onCaption);
    EXPECT_TRUE(window->revDragging);
    EXPECT_EQ(window->revDragLevel, 1);
    QTest::mouseRelease(window->nMolec[1], Qt::LeftButton, {}, onCaption);
    EXPECT_FALSE(window->revDragging);
    // 66.375 twips a molecule: 43 molecules fit between HD's top and y 840,
    // and HD rises by the 21 whole pairs of them.
    EXPECT_EQ(now(), (Counts{2, 44, 2}));
}

TEST_F(ReviseTest, AdjustAllKeepsTheAtomsOverRandomDrags)
{
    const struct
    {
        unsigned seed;
        Counts start;
    } rows[] = {{1, {10, 0, 10}}, {2, {2, 5, 2}}, {3, {0, 7, 3}}, {4, {50, 1, 0}}, {5, {1, 1, 1}}};
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "seed " << r.seed);
        openWindow(r.start);
        std::mt19937 gen(r.seed);
        std::uniform_real_distribution<double> x(0, 2055), y(-3000, 9000);
        for (int drag = 0; drag < 200; ++drag) {
            if (drag % 50 == 25)
                QTest::mouseClick(drag % 100 == 25 ? window->Picture1 : window->Picture2,
                                  Qt::LeftButton);
            const double px = x(gen);
            press(window->FraLevels, px, y(gen));
            for (int step = 0; step < 3; ++step)
                move(window->FraLevels, px, y(gen));
            release(window->FraLevels, px, y(gen));
            const Counts c = now();
            ASSERT_EQ(hAtoms(c), hAtoms(r.start)) << "drag " << drag;
            ASSERT_EQ(dAtoms(c), dAtoms(r.start)) << "drag " << drag;
            ASSERT_TRUE(c[0] >= 0 && c[1] >= 0 && c[2] >= 0) << "drag " << drag;
        }
    }
}

TEST_F(ReviseTest, CountsStayWithinTheirRangeAtAnyScale)
{
    const struct
    {
        Mode mode;
        double scale;
        Counts before;
        int kind;
        double y;
        Counts after;
    } rows[] = {
            {One, 1e-12, {5, 2, 5}, 0, -1000, {kMax, 2, 5}},
            {One, 1e-300, {5, 3, 5}, 1, -1000, {5, kMax, 5}},
            {One, 1e-300, {5, 2, 5}, 1, -1000, {5, kMax - 1, 5}},
            {One, DBL_MIN, {5, 2, 5}, 2, -1e6, {5, 2, kMax}},
            {One, DBL_MIN, {5, 2, 5}, 2, 1e6, {5, 2, 0}},
            {All, 1e-12, {kMax - 5, 10, kMax - 5}, 0, -1000, {kMax, 0, kMax}},
            {All, 1e-12, {10, kMax - 6, 10}, 2, 1e6, {7, kMax, 7}},
            {All, 1e-12, {kMax - 1, 4, kMax - 1}, 1, 1e6, {kMax, 2, kMax}},
            {All, 1e-12, {0, kMax, 0}, 0, -1000, {kMax / 2, 1, kMax / 2}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind << " scale " << r.scale);
        openWindow(r.before, 100, r.mode);
        window->revScale = r.scale;
        window->DrawLevels();
        const Counts before = now();
        drag(window->FraLevels, kCentre[r.kind], 2000, r.y);
        EXPECT_EQ(now(), r.after);
        if (r.mode == All) {
            EXPECT_EQ(hAtoms(now()), hAtoms(before));
            EXPECT_EQ(dAtoms(now()), dAtoms(before));
        }
    }
}

TEST_F(ReviseTest, ScaleAtOpening)
{
    const struct
    {
        std::int32_t nMolecules;
        double scale;
    } rows[] = {{0, 100}, {59, 45}, {20, 132.75}};
    for (const auto &r : rows) {
        openWindow({0, 0, 0}, r.nMolecules);
        EXPECT_EQ(window->revScale, r.scale) << r.nMolecules;
        EXPECT_EQ(window->revLevelTop + window->revLevelHeight, kBase);
    }
}

TEST_F(ReviseTest, ColumnsStandOnTheBaseLine)
{
    openWindow({10, 6, 4}, 59);
    const double heights[4] = {450, 270, 180, 270};
    for (int i = 0; i < 4; ++i) {
        const PaintedShape &c = window->FraLevels->lin(i);
        EXPECT_EQ(c.geometry.height(), heights[i]) << i;
        EXPECT_EQ(c.geometry.bottom(), kBase) << i;
        EXPECT_TRUE(c.visible) << i;
    }
}

TEST_F(ReviseTest, ZoomingInAndOutRestoresTheHeights)
{
    openWindow({5, 4, 3});
    auto heights = [this] {
        std::array<double, 4> h{};
        for (int i = 0; i < 4; ++i)
            h[i] = window->FraLevels->lin(i).geometry.height();
        return h;
    };
    const auto original = heights();
    QTest::mouseClick(window->Picture1, Qt::LeftButton);
    EXPECT_EQ(heights()[0], 2 * original[0]);
    QTest::mouseClick(window->Picture1, Qt::LeftButton);
    EXPECT_EQ(heights()[2], 4 * original[2]);
    QTest::mouseClick(window->Picture2, Qt::LeftButton);
    QTest::mouseClick(window->Picture2, Qt::LeftButton);
    EXPECT_EQ(heights(), original);
    EXPECT_EQ(now(), (Counts{5, 4, 3}));

    // However often it is pressed, the scale stays a usable number.
    for (int i = 0; i < 1200; ++i)
        QTest::mouseClick(window->Picture2, Qt::LeftButton);
    EXPECT_GT(window->revScale, 0);
    for (int i = 0; i < 2500; ++i)
        QTest::mouseClick(window->Picture1, Qt::LeftButton);
    EXPECT_TRUE(std::isfinite(window->revScale));
}

TEST_F(ReviseTest, CaptionsAndQuotient)
{
    const struct
    {
        Counts counts;
        std::int32_t nMolecules;
        const char *h2, *hd, *d2, *q;
    } rows[] = {
            {{3, 4, 3}, 10, "3 H2", "4 HD (40.00%)", "3 D2", "1.78"},
            {{3, 4, 3}, 100, "3 H2", "4 HD (40.00%)", "3 D2", "1.78"},
            {{1, 1, 1}, 3, "1 H2", "1 HD (33.33%)", "1 D2", "1.00"},
            {{0, 0, 5}, 5, "0 H2", "0 HD (0.00%)", "5 D2", "infinite"},
            {{0, 0, 0}, 0, "0 H2", "0 HD (0.00%)", "0 D2", "infinite"},
            {{kMax, kMax, kMax},
             0,
             "2147483647 H2",
             "2147483647 HD (33.33%)",
             "2147483647 D2",
             "1.00"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.hd);
        openWindow(r.counts, r.nMolecules);
        EXPECT_EQ(window->nMolec[0]->text(), r.h2);
        EXPECT_EQ(window->nMolec[1]->text(), r.hd);
        EXPECT_EQ(window->nMolec[2]->text(), r.d2);
        EXPECT_EQ(window->Qa->text(), r.q);
    }
}

TEST_F(ReviseTest, EquilibrateHandsBackTheCounts)
{
    openWindow({2, 6, 2});
    pressRelease(0, yFor(0, +2));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(written, (std::vector<Counts>{{4, 2, 4}}));
}

TEST_F(ReviseTest, ClosedWithoutEquilibrateIsNotAccepted)
{
    openWindow({2, 6, 2});
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(written.empty());

    openWindow({2, 6, 2});
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(written.empty());
}

TEST_F(ReviseTest, ModalRunEndsWithEquilibrate)
{
    FrmRevise dialog({2, 0, 2}, 4, '.', reviseSide);
    QObject::connect(&dialog, &QDialog::accepted, [&] { written.push_back(dialog.nKind); });
    test::ModalScript script;
    script.thenOn<FrmRevise>([](FrmRevise *revise) {
        QTest::mouseClick(revise->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(written, (std::vector<Counts>{{2, 0, 2}}));
}

TEST_F(ReviseTest, TheOptionShownIsTheModeInForce)
{
    openWindow({3, 2, 1});
    EXPECT_TRUE(window->optOne[0]->isChecked());
    QTest::mouseClick(window->optOne[1], Qt::LeftButton);
    EXPECT_EQ(reviseSide, "R");
    QTest::mouseClick(window->optOne[0], Qt::LeftButton);
    EXPECT_EQ(reviseSide, "L");
    QTest::mouseClick(window->optOne[1], Qt::LeftButton);

    // The next opening shows "Adjust One" and drags in that mode.
    openWindow({3, 2, 1});
    EXPECT_TRUE(window->optOne[1]->isChecked());
    EXPECT_FALSE(window->optOne[0]->isChecked());
    pressRelease(0, yFor(0, +2));
    EXPECT_EQ(now(), (Counts{5, 2, 1}));
}

TEST_F(ReviseTest, MovesGiveTheFocusToEquilibrate)
{
    openWindow({3, 2, 1});
    window->optOne[1]->setFocus();
    ASSERT_EQ(window->focusWidget(), window->optOne[1]);
    move(window->FraLevels, 1000, 1000, Qt::NoButton);
    EXPECT_EQ(window->focusWidget(), window->Command1);
    EXPECT_EQ(now(), (Counts{3, 2, 1})); // no drag, no change
}

TEST_F(ReviseTest, LosingTheFocusEndsTheDrag)
{
    openWindow({3, 2, 1});
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(window->isActiveWindow());
    press(window->FraLevels, kCentre[0], 100);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_FALSE(window->isActiveWindow());
    EXPECT_FALSE(window->revDragging);
    move(window->FraLevels, kCentre[0], 0);
    release(window->FraLevels, kCentre[0], 0);
    EXPECT_EQ(now(), (Counts{3, 2, 1}));
}

} // namespace
} // namespace kormix::ui
