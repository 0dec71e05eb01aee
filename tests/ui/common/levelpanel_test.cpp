// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The level panel as every window carries it: the names under its columns,
// what it tells assistive technology, and that a picture that stays the same
// costs no repaint.
#include "tests/ui/common/allwindows.h"

#include "ui/common/levelpanel.h"
#include "ui/common/twips.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace kormix::test {
namespace {

using Counts = std::array<std::int32_t, 4>;

struct ColumnName
{
    const char *window, *name, *text;
    double l, t, w, h;
};

TEST(LevelPanelTest, TheNamesUnderTheColumnsArePartsOfThePanel)
{
    AllWindows windows;
    const ColumnName names[] = {
            {"frmBest", "Label3", "H2", 240, 4560, 375, 375},
            {"frmBest", "Label1", "D2", 720, 4560, 375, 375},
            {"frmBest", "Label4", "HD", 1605, 4560, 375, 375},
            {"FrmRevise", "Label3", "H2", 240, 3960, 255, 255},
            {"FrmRevise", "Label4", "D2", 600, 3960, 255, 255},
            {"FrmRevise", "Label5", "HD", 1440, 3960, 255, 255},
    };
    for (const ColumnName &n : names) {
        SCOPED_TRACE(std::string(n.window) + " " + n.name);
        auto *label = windows.control<QLabel>(n.window, n.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), windows.control(n.window, "FraLevels"));
        EXPECT_EQ(label->text(), n.text);
        const QRect given = ui::twipsRect(n.l, n.t, n.w, n.h);
        EXPECT_EQ(label->pos(), given.topLeft());
        EXPECT_EQ(label->width(), given.width());
        EXPECT_GE(label->height(), given.height());
    }
    EXPECT_EQ(windows.frm->bestForm()->Label1, windows.control<QLabel>("frmBest", "Label1"));
    EXPECT_EQ(windows.revise->Label5, windows.control<QLabel>("FrmRevise", "Label5"));
    // The detailed display's panel has no names under its columns.
    for (QLabel *name : windows.display->FraLevels->columnNames)
        EXPECT_EQ(name, nullptr);
}

TEST(LevelPanelTest, EveryWindowsPanelDescribesWhatItShows)
{
    AllWindows windows; // 10 H2 and 10 D2, shown in all three panels
    for (const char *window : {"frmBest", "frmDisplay", "FrmRevise"}) {
        SCOPED_TRACE(window);
        auto *panel = windows.control<ui::LevelPanel>(window, "FraLevels");
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->accessibleName(), "level columns");
        EXPECT_EQ(panel->accessibleDescription(), "10 H2, 0 HD, 10 D2, Q = 0.00");
    }
}

struct Described
{
    Counts counts;
    double total;
    char decimalPoint;
    const char *description;
};

TEST(LevelPanelTest, DescriptionGivesTheCountsAndQ)
{
    const Described rows[] = {
            {{5, 10, 5, 0}, 20, '.', "5 H2, 10 HD, 5 D2, Q = 4.00"},
            {{12, 10, 8, 0}, 30, ',', "12 H2, 10 HD, 8 D2, Q = 1,04"},
            {{10, 0, 0, 0}, 10, '.', "10 H2, 0 HD, 0 D2, Q = infinite"},
            {{0, 0, 0, 0}, 0, '.', "0 H2, 0 HD, 0 D2, Q = infinite"},
    };
    ui::LevelPanel panel(ui::FrmBest::panelLayout());
    for (const Described &r : rows) {
        SCOPED_TRACE(r.description);
        panel.showDistribution(r.counts, r.total, r.decimalPoint);
        EXPECT_EQ(panel.accessibleDescription(), r.description);
        const QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&panel);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), "level columns");
        EXPECT_EQ(a->text(QAccessible::Description), r.description);
    }
}

// Counts the paint events that reach a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

TEST(LevelPanelTest, TheSameDistributionAgainRepaintsNothing)
{
    QWidget window;
    auto *panel = new ui::LevelPanel(ui::FrmBest::panelLayout(), &window);
    window.resize(panel->size() + QSize(0, panel->y()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    panel->showDistribution({12, 10, 8, 0}, 30, '.');
    QCoreApplication::processEvents();

    PaintCounter panelPaints(panel);
    std::vector<std::unique_ptr<PaintCounter>> labelPaints;
    for (QLabel *label : panel->findChildren<QLabel *>())
        labelPaints.push_back(std::make_unique<PaintCounter>(label));
    panel->showDistribution({12, 10, 8, 0}, 30, '.');
    QCoreApplication::processEvents();
    EXPECT_EQ(panelPaints.count, 0);
    for (const auto &paints : labelPaints)
        EXPECT_EQ(paints->count, 0);

    // Another distribution is painted.
    panel->showDistribution({13, 8, 9, 0}, 30, '.');
    QCoreApplication::processEvents();
    EXPECT_GT(panelPaints.count, 0);
    EXPECT_EQ(panel->nMolec[0]->text(), "13 H2");
}

} // namespace
} // namespace kormix::test
