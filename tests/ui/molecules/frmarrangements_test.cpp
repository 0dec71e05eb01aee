// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The arrangements window, opened from the main window's View menu: the
// groups of a system with their W and exact P, the system set up or one
// chosen in the window, the composition the run is in marked as it goes, an
// arrangement chosen by mouse or keys and drawn large, and the picture saved.
#include "tests/ui/main/mainfixture.h"

#include "core/simulation.h"
#include "ui/molecules/arrangementtiles.h"
#include "ui/molecules/frmarrangements.h"
#include "ui/molecules/frmmolecules.h"
#include "ui/molecules/moleculespicture.h"

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kormix::ui {
namespace {

using test::Molecules;

class ArrangementsWindowTest : public test::MainWindowTest
{
protected:
    explicit ArrangementsWindowTest(char decimalPoint = '.')
        : MainWindowTest(decimalPoint)
    {}

    // View, Arrangements, as the user chooses it.
    FrmArrangements *openWindow()
    {
        frm.viewMenu().menu_Arrangements->trigger();
        FrmArrangements *w = frm.viewMenu().arrangementsForm();
        EXPECT_NE(w, nullptr);
        QCoreApplication::processEvents(); // laid out, as the user sees it
        return w;
    }
    static QStringList headings(const FrmArrangements *w)
    {
        QStringList texts;
        for (const QLabel *label : w->lblGroup)
            texts << label->text();
        return texts;
    }
    // Types a count into a field of the window's own system.
    static void type(QSpinBox *field, int value)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::number(value));
        QTest::keyClick(field, Qt::Key_Tab);
    }
};

// A program that writes its numbers with a decimal comma.
class CommaArrangementsWindowTest : public ArrangementsWindowTest
{
protected:
    CommaArrangementsWindowTest()
        : ArrangementsWindowTest(',')
    {}
};

// Without a system of six molecules or fewer the window lays out one of its
// own: two H2 and two D2 to begin with.
TEST_F(ArrangementsWindowTest, TwoH2AndTwoD2GiveSeventyArrangements)
{
    FrmArrangements *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Arrangements");
    EXPECT_EQ(w->lblTotal->text(),
              "4 molecules of 4 H and 4 D atoms: sum W = 6 + 48 + 16 = 70 arrangements");
    EXPECT_EQ(headings(w),
              (QStringList{"2 H2 + 2 D2: W = 6, P = 3/35 = 0.0857",
                           "1 H2 + 2 HD + 1 D2: W = 48, P = 24/35 = 0.6857",
                           "4 HD: W = 16, P = 8/35 = 0.2286"}));
    ASSERT_EQ(w->tilesGroup.size(), 3u);
    const std::size_t tiles[] = {6, 48, 16};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(w->tilesGroup[i]->arrangements().size(), tiles[i]);
    // Nothing of a run to mark.
    EXPECT_FALSE(w->markedGroup());
    for (QSpinBox *field : w->spnMolec)
        EXPECT_TRUE(field->isEnabled());
}

TEST_F(CommaArrangementsWindowTest, DecimalsTakeTheProgramsSeparator)
{
    FrmArrangements *w = openWindow();
    EXPECT_EQ(headings(w).value(1), "1 H2 + 2 HD + 1 D2: W = 48, P = 24/35 = 0,6857");
}

// The user's own system, never more than six molecules.
TEST_F(ArrangementsWindowTest, ASystemOfOnesOwnUpToSixMolecules)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"}); // too large to lay out
    FrmArrangements *w = openWindow();
    const struct
    {
        int h2, hd, d2;
        QStringList headings;
    } cases[] = {
            {1, 0, 1, {"1 H2 + 1 D2: W = 2, P = 1/3 = 0.3333", "2 HD: W = 4, P = 2/3 = 0.6667"}},
            {3, 0, 0, {"3 H2: W = 1, P = 1 = 1.0000"}},
            // 12 atoms: sum W = 924, the most of any system laid out.
            {3,
             0,
             3,
             {"3 H2 + 3 D2: W = 20, P = 5/231 = 0.0216",
              "2 H2 + 2 HD + 2 D2: W = 360, P = 30/77 = 0.3896",
              "1 H2 + 4 HD + 1 D2: W = 480, P = 40/77 = 0.5195",
              "6 HD: W = 64, P = 16/231 = 0.0693"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.headings.join(" | ").toStdString());
        type(w->spnMolec[0], 0);
        type(w->spnMolec[1], 0);
        type(w->spnMolec[2], 0);
        type(w->spnMolec[0], c.h2);
        type(w->spnMolec[1], c.hd);
        type(w->spnMolec[2], c.d2);
        EXPECT_EQ(headings(w), c.headings);
    }
    // A seventh molecule is refused.
    type(w->spnMolec[1], 4);
    EXPECT_EQ(w->spnMolec[1]->value(), 0);
    EXPECT_EQ(w->spnMolec[0]->maximum() + w->spnMolec[1]->value() + w->spnMolec[2]->value(), 6);
}

// The system set up, while it has six molecules or fewer: its groups, and the
// one it is in marked after every collision.
TEST_F(ArrangementsWindowTest, MarksTheCompositionTheRunIsIn)
{
    FrmArrangements *w = openWindow();
    setup(Molecules{.h2 = "3", .hd = "0", .d2 = "2"});
    EXPECT_EQ(w->lblTotal->text(),
              "5 molecules of 6 H and 4 D atoms: sum W = 10 + 120 + 80 = 210 arrangements");
    for (QSpinBox *field : w->spnMolec)
        EXPECT_FALSE(field->isEnabled());
    int changes = 0;
    std::size_t was = 0;
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        const std::optional<std::size_t> marked = w->markedGroup();
        ASSERT_TRUE(marked);
        EXPECT_EQ(w->arrangements().groups[*marked].counts,
                  (Composition{sim.nH2, sim.nHD, sim.nD2}));
        for (std::size_t g = 0; g < w->tilesGroup.size(); ++g) {
            EXPECT_EQ(w->tilesGroup[g]->marked(), g == *marked);
            EXPECT_EQ(w->lblGroup[g]->text().endsWith("(the system is in this composition now)"),
                      g == *marked);
        }
        changes += i > 0 && *marked != was;
        was = *marked;
        frm.runMenu().menu_Step->trigger();
    }
    EXPECT_GT(changes, 5);
    // A system too large to lay out marks nothing.
    setup(Molecules{.h2 = "4", .hd = "0", .d2 = "3"});
    EXPECT_FALSE(w->markedGroup());
    EXPECT_TRUE(w->spnMolec[0]->isEnabled());
}

// A click on a tile, or the keys, choose the arrangement drawn large.
TEST_F(ArrangementsWindowTest, AnArrangementChosenIsDrawnLarge)
{
    FrmArrangements *w = openWindow();
    ArrangementTiles *mixed = w->tilesGroup[1]; // 1 H2 + 2 HD + 1 D2
    const QRect tile = mixed->tileRect(5);
    QTest::mouseClick(mixed, Qt::LeftButton, {}, tile.center());
    EXPECT_EQ(mixed->selected(), 5);
    EXPECT_EQ(w->tilesGroup[0]->selected(), -1);
    EXPECT_EQ(w->picChosen->arrangement(), mixed->arrangements()[5]);
    EXPECT_EQ(w->lblChosen->text(),
              "1 H2 + 2 HD + 1 D2, arrangement 6 of 48: " + formsText(mixed->arrangements()[5]));

    QTest::keyClick(mixed, Qt::Key_Right);
    EXPECT_EQ(w->picChosen->arrangement(), mixed->arrangements()[6]);
    QTest::keyClick(mixed, Qt::Key_End);
    EXPECT_EQ(w->picChosen->arrangement(), mixed->arrangements()[47]);
    EXPECT_EQ(w->picChosen->accessibleDescription(), w->lblChosen->text());
    // The last tile is scrolled into sight.
    const QPoint last = mixed->mapTo(w->scrGroups->viewport(), mixed->tileRect(47).center());
    EXPECT_TRUE(w->scrGroups->viewport()->rect().contains(last));
}

// The controls Tab stops at in a window, from `first` round to it again.
std::vector<QWidget *> tabStops(QWidget *first)
{
    std::vector<QWidget *> stops;
    for (QWidget *at = first; at && stops.size() < 50; at = at->nextInFocusChain()) {
        // A spin box's field is the spin box itself to a screen reader.
        const bool inner = qobject_cast<QAbstractSpinBox *>(at->parentWidget());
        if (inner || !at->isVisible() || !at->isEnabled() || !(at->focusPolicy() & Qt::TabFocus)
            || at->window() != first->window())
            continue;
        if (!stops.empty() && at == stops.front())
            break;
        stops.push_back(at);
    }
    return stops;
}

bool contains(const std::vector<QWidget *> &stops, const QWidget *w)
{
    return std::find(stops.begin(), stops.end(), w) != stops.end();
}

// By keyboard: Tab reaches every group of arrangements, the pictures of the
// molecules and Save Picture in both windows, and every stop has a name a
// screen reader can say.
TEST_F(ArrangementsWindowTest, BothWindowsAreReachedByTabAndNamed)
{
    FrmArrangements *w = openWindow();
    frm.viewMenu().menu_Molecules->trigger();
    FrmMolecules *m = frm.viewMenu().moleculesForm();
    const std::vector<QWidget *> stops = tabStops(w->spnMolec[0]);
    const std::vector<QWidget *> moleculeStops = tabStops(m->picMolecules);
    for (const auto *list : {&stops, &moleculeStops}) {
        for (QWidget *stop : *list) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(stop);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                    << stop->metaObject()->className() << " " << stop->objectName().toStdString();
        }
    }
    for (QWidget *tiles : w->tilesGroup)
        EXPECT_TRUE(contains(stops, tiles)) << tiles->objectName().toStdString();
    EXPECT_TRUE(contains(stops, w->cmdSavePicture));
    EXPECT_TRUE(contains(moleculeStops, m->cmdSavePicture));
    // Coming to a group by the keyboard chooses its first arrangement.
    w->tilesGroup[2]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w->tilesGroup[2]->selected(), 0);
    EXPECT_EQ(w->picChosen->arrangement(), w->tilesGroup[2]->arrangements()[0]);
}

TEST_F(ArrangementsWindowTest, SavesEveryGroupAsAPicture)
{
    FrmArrangements *w = openWindow();
    QTemporaryDir dir;
    desktop.savePath = dir.filePath("arrangements.png");
    QTest::mouseClick(w->cmdSavePicture, Qt::LeftButton);
    QImage saved;
    ASSERT_TRUE(saved.load(desktop.savePath, "PNG"));
    // All of the groups, also what the scroll area hides.
    EXPECT_EQ(saved.size(), w->scrGroups->widget()->size());
    EXPECT_GE(saved.height(), w->tilesGroup.back()->geometry().bottom());
}

} // namespace
} // namespace kormix::ui
