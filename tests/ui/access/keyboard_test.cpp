// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A whole run made with the keyboard alone, every key pressed on whatever has
// the focus: set up 10 H2 + 10 D2, start, stop, revise a column, equilibrate,
// and leave by File, Exit (Alt+F, X).
#include "ui/main/frmmain.h"
#include "ui/revise/frmrevise.h"
#include "ui/setup/frmsetup.h"

#include "core/simulation.h"
#include "tests/ui/common/driver.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kormix::ui {
namespace {

using test::activate;
using test::keyTarget;
using test::pressKey;

void type(const QString &text)
{
    QWidget *target = keyTarget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, text);
}

// Tab until the control has the focus; fails after a round of the window.
void tabTo(QWidget *control)
{
    for (int i = 0; i < 12 && !control->hasFocus(); ++i)
        pressKey(Qt::Key_Tab);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

// Presses Space on the focused control of the main window once the run has
// counted n collisions (a modal window that closed meanwhile hands the
// activation back to the main window, as the desktop does).
class StopWithSpaceAt
{
public:
    StopWithSpaceAt(QWidget &main, const Simulation &sim, std::int64_t n)
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, &main, &sim, n] {
            if (done_ || !sim.running() || sim.nCollisions < n || QApplication::activeModalWidget())
                return;
            done_ = true;
            if (!main.isActiveWindow())
                activate(&main);
            pressKey(Qt::Key_Space);
        });
        timer_.start();
    }

private:
    QTimer timer_;
    bool done_ = false;
};

class Keyboard : public ::testing::Test
{
protected:
    Keyboard()
    {
        model.fixSeed(20240601);
        model.setServiceInterval(0);
    }

    // Setup System: the counts typed, Enter walking to OK.
    void setUpByKeys();
    // Start, and Space again stops the run.
    void startAndStop();
    // Revise Data by keys, and Equilibrate.
    void reviseByKeys();
    // File, Exit through the menu's accelerators.
    void exitByKeys();

    ui::RunModel model;
    const Simulation &sim = model.sim();
    test::QuietDesktop quiet;
    FrmMain frm{model, quiet.desktop()};
    test::ModalScript script;
};

void Keyboard::setUpByKeys()
{
    // Setup System: type the counts, Enter walks H2, D2, HD, the save option
    // and OK.
    bool setUp = false;
    script.then([&](QWidget *w) {
        auto *setup = qobject_cast<FrmSetup *>(w);
        ASSERT_NE(setup, nullptr);
        activate(setup);
        ASSERT_TRUE(setup->nMolec[0]->hasFocus());
        type("10");
        pressKey(Qt::Key_Return);
        ASSERT_TRUE(setup->nMolec[2]->hasFocus());
        type("10");
        pressKey(Qt::Key_Return);
        ASSERT_TRUE(setup->nMolec[1]->hasFocus());
        type("0");
        pressKey(Qt::Key_Return);
        pressKey(Qt::Key_Return); // from the save option on to OK
        ASSERT_TRUE(setup->CmdOK->hasFocus());
        setUp = true;
        pressKey(Qt::Key_Return);
        if (setup->isVisible())
            setup->reject();
    });
    pressKey(Qt::Key_Space);
    ASSERT_TRUE(setUp);
    activate(&frm); // back in the main window once the dialog has closed
    EXPECT_EQ(frm.status->text(), "Setup Complete");
    EXPECT_EQ(frm.H2->text(), "10");
    EXPECT_EQ(frm.D2->text(), "10");
    ASSERT_TRUE(frm.CmdCollide->hasFocus());
}

void Keyboard::startAndStop()
{
    // Start, and Space again stops the run.
    {
        StopWithSpaceAt stop(frm, sim, 2000);
        pressKey(Qt::Key_Space);
    }
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
    EXPECT_GE(sim.nCollisions, 2000);
}

void Keyboard::reviseByKeys()
{
    // Revise Data: choose H2 with 1, raise it by two with Up, and Equilibrate.
    tabTo(frm.CmdReviseData);
    std::array<std::int32_t, 3> before{}, revised{};
    bool revisedByKeys = false;
    std::unique_ptr<StopWithSpaceAt> stopNewRun;
    script.then([&](QWidget *w) {
        auto *revise = qobject_cast<FrmRevise *>(w);
        ASSERT_NE(revise, nullptr);
        activate(revise);
        before = revise->nKind;
        pressKey(Qt::Key_1);
        pressKey(Qt::Key_Up);
        pressKey(Qt::Key_Up);
        revised = revise->nKind;
        revisedByKeys = true;
        tabTo(revise->Command1);
        // The collisions start from the revised system; Space on the start
        // button, which has the focus again, stops them.
        stopNewRun = std::make_unique<StopWithSpaceAt>(frm, sim, 1);
        pressKey(Qt::Key_Space);
        if (revise->isVisible())
            revise->reject();
    });
    pressKey(Qt::Key_Space);
    ASSERT_TRUE(revisedByKeys);
    stopNewRun.reset();
    activate(&frm);
    // Two more H2 (as far as the HD allows), the atoms kept.
    EXPECT_EQ(revised[0], std::min(before[0] + 2, before[0] + before[1] / 2));
    EXPECT_EQ(2 * revised[0] + revised[1], 20);
    EXPECT_EQ(2 * revised[2] + revised[1], 20);
    EXPECT_EQ(frm.H2->text(), QString::number(revised[0]));
    EXPECT_EQ(frm.HD->text(), QString::number(revised[1]));
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
}

void Keyboard::exitByKeys()
{
    // File, Exit.
    ASSERT_TRUE(frm.isActiveWindow());
    pressKey(Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    pressKey(Qt::Key_X);
    EXPECT_FALSE(frm.isVisible());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(Keyboard, AWholeRunWithoutTheMouse)
{
    frm.show();
    activate(&frm);
    ASSERT_TRUE(frm.CmdSetup->hasFocus());
    setUpByKeys();
    startAndStop();
    reviseByKeys();
    exitByKeys();
}

} // namespace
} // namespace kormix::ui
