// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The revise-data window driven from the keyboard alone: choosing a column,
// changing it under the rules of a drag, the focus mark, and the zoom
// pictures.
#include "ui/revise/frmrevise.h"

#include "ui/common/levelpanel.h"

#include "core/quotienttext.h"
#include "core/simulation.h"
#include "tests/common/dragexamples.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kormix::ui {
namespace {

using Counts = std::array<std::int32_t, 3>; // H2, HD, D2

class ReviseKeysTest : public ::testing::Test
{
protected:
    FrmRevise &openWindow(Counts counts, const QString &side = "")
    {
        reviseSide = side;
        window = std::make_unique<FrmRevise>(counts,
                                             counts[0] + counts[1] + counts[2],
                                             '.',
                                             reviseSide);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // A key pressed on whatever has the focus, as the user presses it.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }

    Counts now() const { return window->nKind; }

    // Pixels of the focus mark's colour in the level picture as painted now.
    int markPixels(int kind) const
    {
        const QImage image = window->FraLevels->grab().toImage();
        const QRectF column = window->FraLevels->lin(kind).geometry;
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) != QColor(0, 90, 210))
                    continue;
                // Only around the column itself counts (for HD, both halves).
                const double xt = x * 15.0;
                const double right = kind == 1 ? column.right() + 120 : column.right();
                if (xt > column.left() - 60 && xt < right + 60)
                    ++n;
            }
        }
        return n;
    }

    QString reviseSide;
    std::unique_ptr<FrmRevise> window;
};

// The worked examples of a drag, made with the arrow keys one molecule (HD
// one pair) at a time.
TEST_F(ReviseKeysTest, ArrowKeysFollowTheRulesOfADrag)
{
    // Keys 1, 2, 3 choose the columns in screen order: H2, D2, HD.
    const Qt::Key choose[3] = {Qt::Key_1, Qt::Key_3, Qt::Key_2};
    for (const test::DragExample &ex : test::kDragExamples) {
        SCOPED_TRACE(testing::Message() << "kind " << ex.kind << " change " << ex.change
                                        << (ex.mode == AdjustMode::All ? " all" : " one"));
        openWindow(ex.before, ex.mode == AdjustMode::All ? "L" : "R");
        pressKey(choose[ex.kind]);
        EXPECT_TRUE(window->FraLevels->hasFocus());
        EXPECT_EQ(window->keyLevel, ex.kind);
        const std::int64_t steps = ex.kind == 1 ? ex.change / 2 : ex.change;
        for (std::int64_t i = 0; i < std::abs(steps); ++i)
            pressKey(steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(now(), ex.after);
    }
}

TEST_F(ReviseKeysTest, PlusAndMinusChangeTheChosenColumnFromAnywhere)
{
    struct Case
    {
        QString side;
        Counts before;
        Qt::Key column;
        Qt::Key key;
        Counts after;
    } cases[] = {
            {"L", {2, 6, 2}, Qt::Key_1, Qt::Key_Plus, {3, 4, 3}},
            {"", {2, 6, 2}, Qt::Key_2, Qt::Key_Minus, {1, 8, 1}}, // D2 lowered, atoms kept
            {"L", {2, 6, 2}, Qt::Key_3, Qt::Key_Plus, {1, 8, 1}}, // HD by a pair
            {"R", {2, 6, 2}, Qt::Key_3, Qt::Key_Minus, {2, 4, 2}},
            {"R", {2, 6, 2}, Qt::Key_1, Qt::Key_Minus, {1, 6, 2}},
            {"R", {0, 6, 2}, Qt::Key_1, Qt::Key_Minus, {0, 6, 2}}, // stops at 0
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.side.toStdString() << " " << int(c.column));
        openWindow(c.before, c.side);
        pressKey(c.column);
        // Back on "Equilibrate": + and - still work on the chosen column.
        window->Command1->setFocus();
        pressKey(c.key);
        EXPECT_EQ(now(), c.after);
        EXPECT_EQ(window->Qa->text(),
                  QString::fromStdString(quotientText(c.after[0], c.after[1], c.after[2])));
    }
}

TEST_F(ReviseKeysTest, LeftAndRightWalkTheColumnsInScreenOrderAndStopAtTheEnds)
{
    openWindow({3, 4, 3});
    pressKey(Qt::Key_1);
    const struct
    {
        Qt::Key key;
        int kind;
    } walk[] = {{Qt::Key_Left, 0},
                {Qt::Key_Right, 2},
                {Qt::Key_Right, 1},
                {Qt::Key_Right, 1},
                {Qt::Key_Left, 2},
                {Qt::Key_Left, 0}};
    for (const auto &step : walk) {
        pressKey(step.key);
        EXPECT_EQ(window->keyLevel, step.kind);
    }
    EXPECT_EQ(now(), (Counts{3, 4, 3})); // choosing changes nothing
}

TEST_F(ReviseKeysTest, TheChosenColumnIsMarkedWhileTheLevelsHaveTheFocus)
{
    openWindow({3, 4, 3});
    EXPECT_TRUE(window->Command1->hasFocus());
    EXPECT_EQ(markPixels(0), 0);
    for (const auto &[key, kind] : {std::pair{Qt::Key_1, 0}, {Qt::Key_2, 2}, {Qt::Key_3, 1}}) {
        pressKey(key);
        EXPECT_GT(markPixels(kind), 0) << kind;
        for (int other : {0, 1, 2}) {
            if (other != kind) {
                EXPECT_EQ(markPixels(other), 0) << kind << " " << other;
            }
        }
    }
    window->Command1->setFocus();
    EXPECT_EQ(markPixels(1), 0);
}

TEST_F(ReviseKeysTest, ArrowsOutsideTheLevelsKeepTheirUsualMeaning)
{
    openWindow({3, 4, 3});
    window->optOne[0]->setFocus();
    pressKey(Qt::Key_Down); // moves to "Adjust One"
    EXPECT_TRUE(window->optOne[1]->isChecked());
    EXPECT_EQ(reviseSide, "R");
    EXPECT_EQ(now(), (Counts{3, 4, 3}));
}

TEST_F(ReviseKeysTest, ZoomPicturesTakeTheFocusAndSpaceOrEnterClicksThem)
{
    const struct
    {
        bool in;
        Qt::Key key;
        double factor;
    } cases[] = {{true, Qt::Key_Space, 2},
                 {true, Qt::Key_Return, 2},
                 {false, Qt::Key_Space, 0.5},
                 {false, Qt::Key_Enter, 0.5},
                 {true, Qt::Key_A, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.key));
        openWindow({3, 4, 3});
        QLabel *picture = c.in ? window->Picture1 : window->Picture2;
        // Reached with Tab like any other control.
        for (int i = 0; i < 8 && !picture->hasFocus(); ++i)
            pressKey(Qt::Key_Tab);
        ASSERT_TRUE(picture->hasFocus());
        const double before = window->revScale;
        pressKey(c.key);
        EXPECT_EQ(window->revScale, before * c.factor);
        EXPECT_TRUE(window->isVisible()); // Enter did not press "Equilibrate"
        // A focus frame shows on the picture.
        const QImage image = picture->grab().toImage();
        EXPECT_EQ(image.pixelColor(3, image.height() / 2), QColor(0, 90, 210));
    }
}

} // namespace
} // namespace kormix::ui
