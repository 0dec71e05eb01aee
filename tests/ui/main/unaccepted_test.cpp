// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A window closed without accepting leaves the run exactly as it was: the
// setup dialog, the revise-data window, the seed dialog, the temperature
// dialog and the detailed display, each worked on and then closed without
// OK, "Equilibrate" or a seed, in the middle of a stopped run that then goes
// on.
#include "tests/ui/main/mainfixture.h"

#include "core/distributionsfile.h"
#include "core/quotienttext.h"
#include "ui/display/frmdisplay.h"
#include "ui/revise/frmrevise.h"
#include "ui/temperature/temperaturedialog.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <string>

namespace kormix::test {
namespace {

// Everything a user can see of a run, and what it will do next.
struct RunSnapshot
{
    std::string distributions; // the register as "Excel" writes it
    std::int64_t collisions = 0;
    bool saveAll = false;
    QStringList labels; // every value label of the main window
    QString startCaption;
    ui::RunModel::RunState state{};
    EquilibriumModel model; // what the collisions go to

    bool operator==(const RunSnapshot &) const = default;
};

RunSnapshot snapshot(const ui::RunModel &model, const ui::FrmMain &frm)
{
    RunSnapshot s;
    s.distributions = distributionsText(model.sim());
    s.collisions = model.sim().nCollisions;
    s.saveAll = model.sim().bSaveAll;
    for (int i = 0; i < 13; ++i)
        s.labels << frm.valueLabel(MainLabel(i))->text();
    s.startCaption = frm.CmdCollide->text();
    s.state = model.runState();
    s.model = model.model();
    return s;
}

void PrintTo(const RunSnapshot &s, std::ostream *os)
{
    *os << s.collisions << " collisions, " << s.labels.join(" | ").toStdString() << ", "
        << s.startCaption.toStdString();
}

// Presses Esc in whatever has the focus in the window: the way out without
// accepting that every one of these windows offers.
void escape(QWidget *w)
{
    QWidget *target = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(target, Qt::Key_Escape);
    if (w->isVisible())
        w->close(); // the window manager's close control
}

struct Detour
{
    const char *window;
    QPushButton *ui::FrmMain::*command;  // opens it (or null: the Run menu's item)
    std::function<void(QWidget *)> work; // what the user does in it before leaving
    QAction *ui::RunMenu::*item = nullptr;
};

class UnacceptedTest : public MainWindowTest
{
protected:
    // 10 H2 + 10 D2, seeded, 100 collisions stepped.
    void stepped()
    {
        setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
        frm.runMenu().menu_Step100->trigger();
        ASSERT_EQ(sim.nCollisions, 100);
    }
};

TEST_F(UnacceptedTest, AWindowClosedWithoutAcceptingLeavesTheRunAsItWas)
{
    const Detour detours[] = {
            {"FrmSetup",
             &ui::FrmMain::CmdSetup,
             [](QWidget *w) {
                 auto *setup = static_cast<ui::FrmSetup *>(w);
                 type(setup->nMolec[0], "77");
                 QTest::mouseClick(setup->OptDisplayBest, Qt::LeftButton);
             }},
            {"FrmRevise",
             &ui::FrmMain::CmdReviseData,
             [](QWidget *w) {
                 auto *revise = static_cast<ui::FrmRevise *>(w);
                 QTest::mouseClick(revise->optOne[1], Qt::LeftButton);
                 revise->chooseLevel(1);
                 revise->stepLevel(1);
                 revise->stepLevel(1);
             }},
            {"frmDisplay",
             &ui::FrmMain::cmdShow,
             [](QWidget *w) {
                 auto *display = static_cast<ui::FrmDisplay *>(w);
                 display->SelectBar(0);
                 QTest::mouseClick(display->OptActual, Qt::LeftButton);
             }},
            {"dlgSeed",
             nullptr,
             [](QWidget *w) { static_cast<QInputDialog *>(w)->setTextValue("12345"); },
             &ui::RunMenu::menu_SetSeed},
            {"dlgTemperature",
             nullptr,
             [](QWidget *w) {
                 auto *dialog = static_cast<ui::TemperatureDialog *>(w);
                 QTest::mouseClick(dialog->optHydrogen, Qt::LeftButton);
                 type(dialog->txtKelvin, "300");
             },
             &ui::RunMenu::menu_Temperature},
    };
    // The same run without any detour.
    stepped();
    const RunSnapshot atStop = snapshot(model, frm);
    frm.runMenu().menu_Step100->trigger();
    const RunSnapshot straight = snapshot(model, frm);

    for (const Detour &d : detours) {
        SCOPED_TRACE(d.window);
        frm.CmdRestart->click();
        stepped();
        ASSERT_EQ(snapshot(model, frm), atStop);
        QString opened;
        script.then([&](QWidget *w) {
            opened = w->objectName();
            d.work(w);
            escape(w);
        });
        if (d.command)
            QTest::mouseClick(frm.*(d.command), Qt::LeftButton);
        else
            (frm.runMenu().*(d.item))->trigger();
        EXPECT_EQ(opened, d.window);
        EXPECT_EQ(snapshot(model, frm), atStop);
        // The run goes on exactly as it would have without the detour.
        frm.runMenu().menu_Step100->trigger();
        EXPECT_EQ(snapshot(model, frm), straight);
    }
    EXPECT_EQ(script.unexpected, 0);
}

// A revision closed without "Equilibrate" leaves nothing behind: the next
// record of a run takes the Q of its own distribution (98 H2, 0 HD, 2 D2 has
// Q = 0.00), never the revise window's.
TEST_F(UnacceptedTest, ACancelledRevisionLeavesTheQOfTheMostProbableAlone)
{
    setup(Molecules{.h2 = "98", .hd = "0", .d2 = "2"});
    script.thenOn<ui::FrmRevise>([](ui::FrmRevise *revise) {
        revise->chooseLevel(1);
        revise->stepLevel(1); // HD raised: its Q reads 0.04
        EXPECT_EQ(revise->Qa->text(), "0.04");
        escape(revise);
    });
    QTest::mouseClick(frm.CmdReviseData, Qt::LeftButton);
    frm.runMenu().menu_Step->trigger();
    ASSERT_EQ(sim.nCollisions, 1);
    const auto best = sim.reg.countsOf(sim.iBest, sim.nMolecules);
    EXPECT_EQ(frm.BestQ->text(), QString::fromStdString(quotientText(best[0], best[1], best[2])));
    EXPECT_EQ(best, (std::array<std::int32_t, 3>{98, 0, 2})); // the seed's step reacts not
    EXPECT_EQ(frm.BestQ->text(), "0.00");
}

// The save option clicked in a setup dialog closed without OK is not the
// run's: a restart goes on saving every distribution.
TEST_F(UnacceptedTest, ASaveOptionWithoutOkLeavesTheRunSavingAll)
{
    stepped();
    const QString found = frm.NumDistros->text();
    script.thenOn<ui::FrmSetup>([](ui::FrmSetup *setup) {
        QTest::mouseClick(setup->OptDisplayBest, Qt::LeftButton);
        escape(setup);
    });
    QTest::mouseClick(frm.CmdSetup, Qt::LeftButton);
    EXPECT_TRUE(sim.bSaveAll);
    click(frm.CmdCollide, {stopAt(1000)}); // a restart of the same run
    EXPECT_GE(frm.NumDistros->text().toInt(), found.toInt());
    EXPECT_GT(sim.nStored, 1);
    script.thenOn<ui::FrmDisplay>([](ui::FrmDisplay *display) { display->cmdExit->click(); });
    QTest::mouseClick(frm.cmdShow, Qt::LeftButton);
    EXPECT_EQ(script.opened.last(), "frmDisplay");
}

// A setup dialog closed without OK after a stopped run does not begin a new
// one: the counters, the register and "Excel"'s file stay the run's.
TEST_F(UnacceptedTest, ASetupWithoutOkKeepsTheStoppedRun)
{
    stepped();
    ASSERT_GT(sim.nStored, 1);
    const RunSnapshot before = snapshot(model, frm);
    script.thenOn<ui::FrmSetup>([](ui::FrmSetup *setup) {
        type(setup->nMolec[0], "77");
        escape(setup);
    });
    QTest::mouseClick(frm.CmdSetup, Qt::LeftButton);
    EXPECT_EQ(snapshot(model, frm), before);
    EXPECT_EQ(frm.status->text(), "running");
    EXPECT_EQ(frm.ncollide->text(), "100");
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
    // The dialog was unloaded: it opens again in its design state.
    EXPECT_EQ(frm.setupForm()->nMolec[0]->text(), "0");
}

} // namespace
} // namespace kormix::test
