// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window's commands and its run-state machine, driven through the
// real buttons.
#include "tests/ui/main/mainfixture.h"

#include "ui/display/frmdisplay.h"
#include "ui/revise/frmrevise.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <string>

namespace kormix::test {
namespace {

constexpr const char *kCantContinue = "Can't continue with these data--use Setup";
constexpr const char *kStopFirst = "Stop collisions prior to clearing";
constexpr const char *kNothingToShow = "No Distributions to show";
// Presses "Equilibrate" in the revise-data window.
void equilibrate(QWidget *w)
{
    auto *button = w->findChild<QPushButton *>("Command1");
    if (w->objectName() != "FrmRevise" || !button) {
        ADD_FAILURE() << "expected the revise-data window";
        ModalScript::close(w);
        return;
    }
    button->click();
}

constexpr const char *kNotSaved = "Other distributions were not saved. Choose Setup display option "
                                  "'display all distributions' and restart the collisions if you "
                                  "want to see others.";

TEST_F(MainWindowTest, OpensInTheNeedsSetupState)
{
    EXPECT_EQ(frm.windowTitle(), "Kormix 1.2");
    EXPECT_EQ(frm.status->text(), "needs setup");
    for (QLabel *label : {frm.H2, frm.HD, frm.D2, frm.Qa})
        EXPECT_EQ(label->text(), "?") << label->objectName().toStdString();
    EXPECT_EQ(frm.CmdCollide->text(), "Start Collisions");
    EXPECT_EQ(frm.focusWidget(), frm.CmdSetup);
    EXPECT_TRUE(sim.bTurbo);
    EXPECT_FALSE(frm.ChkSilent->isVisible());
    EXPECT_EQ(frm.Label8->text().left(22), "ver. 1.2  comments to ");
}

TEST_F(MainWindowTest, FocusFollowsTheTabOrder)
{
    frm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    const QWidget *expected[] = {frm.CmdSetup,
                                 frm.CmdCollide,
                                 frm.cmdShow,
                                 frm.CmdRestart,
                                 frm.CmdShowBest,
                                 frm.CmdReviseData,
                                 frm.Check1,
                                 frm.CmdSetup};
    frm.CmdSetup->setFocus();
    for (const QWidget *w : expected) {
        EXPECT_EQ(QApplication::focusWidget(), w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(MainWindowTest, StartWithoutASystemIsRefused)
{
    frm.Check1->setFocus();
    frm.CmdCollide->click();
    EXPECT_EQ(script.opened, QStringList{kCantContinue});
    EXPECT_EQ(frm.CmdCollide->text(), "Start Collisions");
    EXPECT_EQ(frm.focusWidget(), frm.CmdSetup);
    EXPECT_FALSE(sim.running());
    EXPECT_EQ(frm.bestForm(), nullptr);
}

struct SetupCase
{
    const char *h2, *d2, *hd;
    bool usable;
    const char *status;
    const char *labels[6]; // H2, D2, HD, Qa, nHatoms, nDatoms
};

TEST_F(MainWindowTest, SetupEndsReadyOnlyWithAUsableSystem)
{
    const SetupCase cases[] = {
            {"5", "5", "10", true, "Setup Complete", {"5", "5", "10", "4.00", "20", "20"}},
            {"0", "0", "0", false, "needs setup", {"0", "0", "0", "infinite", "0", "0"}},
            {"1", "0", "0", false, "needs setup", {"1", "0", "0", "infinite", "2", "0"}},
            {" 2 ", "x3", "", true, "Setup Complete", {"2", "0", "0", "infinite", "4", "0"}},
    };
    for (const SetupCase &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + "/" + c.d2 + "/" + c.hd);
        setup(Molecules{.h2 = c.h2, .hd = c.hd, .d2 = c.d2});
        EXPECT_EQ(frm.status->text(), c.status);
        EXPECT_EQ(frm.CmdCollide->text(), "Start Collisions");
        const QLabel *labels[] = {frm.H2, frm.D2, frm.HD, frm.Qa, frm.nHatoms, frm.nDatoms};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(labels[i]->text(), c.labels[i]) << labels[i]->objectName().toStdString();
        EXPECT_EQ(sim.bNeedsSetup, !c.usable);
        // A usable system has its first distribution recorded, ready to start.
        EXPECT_EQ(sim.nStored, c.usable ? 1 : 0);
        // The click gave the focus to "Setup System"; only a usable system moves it on.
        EXPECT_EQ(frm.focusWidget(),
                  c.usable ? static_cast<QWidget *>(frm.CmdCollide) : frm.CmdSetup);

        if (!c.usable) {
            frm.CmdCollide->click();
            EXPECT_EQ(script.opened.last(), kCantContinue);
        } else {
            click(frm.CmdCollide, {stopAt(1)});
            EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
        }
    }
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(MainWindowTest, StopRestartAndAFreshStart)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});

    QString captionWhileRunning, statusWhileRunning;
    click(frm.CmdCollide,
          {at(1000,
              [&] {
                  captionWhileRunning = frm.CmdCollide->text();
                  statusWhileRunning = frm.status->text();
              }),
           stopAt(2000)});
    EXPECT_EQ(captionWhileRunning, "Stop Collisions");
    EXPECT_EQ(statusWhileRunning, "running");
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
    EXPECT_EQ(frm.status->text(), "running");
    const std::int64_t stoppedAt = sim.nCollisions;
    const std::int64_t found = sim.nDistFound;
    ASSERT_GE(stoppedAt, 2000);

    // A restart goes on with the same run.
    std::int64_t firstSeenOnRestart = -1;
    click(frm.CmdCollide,
          {{[&] { return sim.running(); }, [&] { firstSeenOnRestart = sim.nCollisions; }},
           stopAt(stoppedAt + 1000)});
    EXPECT_GE(firstSeenOnRestart, stoppedAt);
    EXPECT_GE(sim.nCollisions, stoppedAt + 1000);
    EXPECT_GE(sim.nDistFound, found);
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");

    // After a new setup "Start Collisions" begins again from 0.
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    EXPECT_EQ(sim.nCollisions, 0);
    EXPECT_EQ(frm.ncollide->text(), "0");
    std::int64_t firstSeenOnStart = -1;
    click(frm.CmdCollide,
          {{[&] { return sim.running(); }, [&] { firstSeenOnStart = sim.nCollisions; }},
           stopAt(100)});
    EXPECT_GE(firstSeenOnStart, 0);
    EXPECT_LT(firstSeenOnStart, stoppedAt);
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(MainWindowTest, FirstStartOpensTheMostProbableWindowAndARestartClosesIt)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    bool shownWhileRunning = false;
    click(frm.CmdCollide,
          {at(100, [&] { shownWhileRunning = frm.flags().bBestShown; }), stopAt(200)});
    EXPECT_TRUE(shownWhileRunning);
    ASSERT_NE(frm.bestForm(), nullptr);
    EXPECT_TRUE(frm.bestForm()->isVisible());
    EXPECT_EQ(frm.CmdShowBest->text(), "Hide Most Prob");

    bool shownOnRestart = true;
    QString captionOnRestart;
    click(frm.CmdCollide,
          {at(300,
              [&] {
                  shownOnRestart = frm.flags().bBestShown;
                  captionOnRestart = frm.CmdShowBest->text();
              }),
           stopAt(400)});
    EXPECT_FALSE(shownOnRestart);
    EXPECT_EQ(captionOnRestart, "Most Probable");
    EXPECT_EQ(frm.bestForm(), nullptr);

    // The next restart opens it again.
    click(frm.CmdCollide, {stopAt(500)});
    EXPECT_TRUE(frm.flags().bBestShown);
    EXPECT_EQ(frm.CmdShowBest->text(), "Hide Most Prob");
}

TEST_F(MainWindowTest, AStopServedBeforeTheLoopBeginsLeavesTheButtonOfferingARestart)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    frm.Check1->click(); // the refresh at the start of the run now serves events
    QTimer::singleShot(0, frm.CmdCollide, [this] { frm.CmdCollide->click(); });
    frm.CmdCollide->click();
    EXPECT_FALSE(sim.running());
    EXPECT_LE(sim.nCollisions, 1);
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
}

TEST_F(MainWindowTest, SetupDuringARunStopsItAndOpensTheDialogOnceAfterwards)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    bool runningWhenOpened = true;
    script.then([&](QWidget *w) {
        runningWhenOpened = sim.running();
        fillSetup(Molecules{.h2 = "8", .hd = "0", .d2 = "8"})(w);
    });
    click(frm.CmdCollide, {at(500, [&] { frm.CmdSetup->click(); })});

    EXPECT_EQ(script.opened, QStringList({"FrmSetup", "FrmSetup"}));
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_FALSE(runningWhenOpened);
    EXPECT_FALSE(sim.running());
    EXPECT_FALSE(frm.flags().bWasRunning);
    EXPECT_EQ(frm.CmdCollide->text(), "Start Collisions");
    EXPECT_EQ(frm.status->text(), "Setup Complete");
    EXPECT_EQ(sim.nMolecules, 16);
    EXPECT_EQ(sim.nCollisions, 0);
    // Setup closes the most-probable window.
    EXPECT_FALSE(frm.flags().bBestShown);
    EXPECT_EQ(frm.CmdShowBest->text(), "Most Probable");
}

TEST_F(MainWindowTest, ClearDuringARunIsRefusedAndTheRunGoesOn)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    std::int64_t atMessage = 0;
    click(frm.CmdCollide,
          {at(500,
              [&] {
                  frm.CmdRestart->click();
                  atMessage = sim.nCollisions;
              }),
           stopAt(1000)});
    EXPECT_EQ(script.opened.last(), kStopFirst);
    EXPECT_GE(sim.nCollisions, 1000);
    EXPECT_GE(atMessage, 500);
    EXPECT_LT(atMessage, 1000);
    EXPECT_EQ(frm.H2->text(), "20");
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
}

TEST_F(MainWindowTest, ClearAfterAStopNeedsANewSetupAndResetsTheDialog)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10", .saveAll = false});
    click(frm.CmdCollide, {stopAt(500)});
    ui::FrmSetup *before = frm.setupForm();
    before->nMolec[0]->setText("77");
    before->OptBy[1]->setChecked(true);

    frm.CmdRestart->click();
    EXPECT_EQ(frm.status->text(), "needs setup");
    for (QLabel *label : {frm.H2, frm.HD, frm.D2, frm.Qa})
        EXPECT_EQ(label->text(), "?");
    EXPECT_EQ(frm.ncollide->text(), "0");
    EXPECT_EQ(frm.NumDistros->text(), "0");
    EXPECT_EQ(frm.CmdCollide->text(), "Start Collisions");
    EXPECT_EQ(frm.bestForm(), nullptr);
    EXPECT_FALSE(frm.flags().bShowBest);
    EXPECT_EQ(sim.nStored, 0);

    // The dialog is back in its design state.
    ui::FrmSetup *after = frm.setupForm();
    EXPECT_TRUE(after->OptBy[0]->isChecked());
    EXPECT_TRUE(after->OptDisplayAll->isChecked());
    EXPECT_EQ(after->nMolec[0]->text(), "0");

    frm.CmdCollide->click();
    EXPECT_EQ(script.opened.last(), kCantContinue);
}

TEST_F(MainWindowTest, SetupDialogClosedByItsFrameBuildsNoSystem)
{
    script.then([](QWidget *w) {
        auto *setup = qobject_cast<ui::FrmSetup *>(w);
        setup->OptBy[1]->setChecked(true);
        setup->natom[0]->setText("8");
        setup->natom[1]->setText("8");
        setup->close();
    });
    frm.CmdSetup->click();
    EXPECT_TRUE(sim.bNeedsSetup);
    EXPECT_EQ(frm.status->text(), "needs setup");
    // Unloaded: the next showing starts from the design state.
    EXPECT_TRUE(frm.setupForm()->OptBy[0]->isChecked());
    EXPECT_EQ(frm.setupForm()->natom[0]->text(), "");

    setup(Molecules{.h2 = "3", .hd = "0", .d2 = "3"});
    EXPECT_EQ(frm.status->text(), "Setup Complete");
    EXPECT_EQ(script.unexpected, 0);
}

struct ShowCase
{
    const char *name;
    bool setUp;
    bool saveAll;
    const char *opened; // the message, or the window that opens
};

TEST_F(MainWindowTest, AllDistributionsOpensTheDetailedDisplayOnlyWhenThereIsSomethingToShow)
{
    const ShowCase cases[] = {
            {"nothing set up", false, true, kNothingToShow},
            {"only the most probable saved", true, false, kNotSaved},
            {"all saved", true, true, "frmDisplay"},
    };
    for (const ShowCase &c : cases) {
        SCOPED_TRACE(c.name);
        frm.CmdRestart->click();
        if (c.setUp) {
            setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10", .saveAll = c.saveAll});
            click(frm.CmdCollide, {stopAt(300)});
        }
        if (c.setUp && c.saveAll)
            script.then(ModalScript::close); // a window, closed again through its frame
        const qsizetype before = script.opened.size();
        frm.cmdShow->click();
        ASSERT_EQ(script.opened.size(), before + 1);
        EXPECT_EQ(script.opened.last(), c.opened);
        EXPECT_TRUE(frm.findChildren<ui::FrmDisplay *>().isEmpty());
    }
}

TEST_F(MainWindowTest, MostProbableWithAnEmptyRegisterShowsAMessage)
{
    frm.CmdShowBest->click();
    EXPECT_EQ(script.opened, QStringList{kNothingToShow});
    EXPECT_EQ(frm.CmdShowBest->text(), "Most Probable");
    EXPECT_FALSE(frm.flags().bBestShown);
}

struct ExitCase
{
    const char *name;
    bool byFrame;
    bool setupFirst; // "Setup System" clicked in the same event service
};

TEST(MainWindowExit, DuringARunTheLoopEndsAtOnceAndNothingOpens)
{
    const ExitCase cases[] = {
            {"File, Exit", false, false},
            {"frame", true, false},
            {"Setup, then File, Exit", false, true},
    };
    for (const ExitCase &c : cases) {
        SCOPED_TRACE(c.name);
        ui::RunModel model;
        const Simulation &s = model.sim();
        model.fixSeed(7);
        QuietDesktop desktop;
        ui::FrmMain w(model, desktop.desktop());
        model.setServiceInterval(0);
        w.show();
        ModalScript modals;
        modals.then(fillSetup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"}));
        w.CmdSetup->click();

        std::int64_t atExit = -1;
        bool ran = false;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (ran || !s.running() || s.nCollisions < 500)
                return;
            ran = true;
            if (c.setupFirst)
                w.CmdSetup->click();
            atExit = s.nCollisions;
            if (c.byFrame)
                w.close();
            else
                w.menu_Exit->trigger();
        });
        timer.start();
        w.CmdCollide->click();

        EXPECT_TRUE(ran);
        EXPECT_FALSE(s.running());
        EXPECT_FALSE(w.flags().bWasRunning);
        EXPECT_EQ(s.nCollisions, atExit); // not one collision more
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.bestForm(), nullptr);
        EXPECT_EQ(modals.opened, QStringList{"FrmSetup"});
        for (QWidget *top : QApplication::topLevelWidgets())
            EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, EquilibrateStartsCollisionsOnTheRevisedSystem)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    click(frm.CmdCollide, {stopAt(500)});
    const auto revised = sim.nKind; // the window opens on these counts
    bool openedOnCounts = false;
    script.then([&](QWidget *w) {
        openedOnCounts = frm.flags().bReviseOpen && sim.nKind == revised;
        equilibrate(w);
    });
    click(frm.CmdReviseData, {stopAt(300)});

    EXPECT_TRUE(openedOnCounts);
    EXPECT_TRUE(frm.flags().bReviseAccepted);
    EXPECT_FALSE(frm.flags().bReviseOpen);
    ui::FrmSetup *setup = frm.setupForm();
    EXPECT_TRUE(setup->OptBy[0]->isChecked());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(setup->nMolec[i]->text(), QString::number(revised[std::size_t(i)]));
    EXPECT_EQ(sim.nMolecules, 30);
    // The collisions started afresh on the revised system and were stopped.
    EXPECT_GE(sim.nCollisions, 300);
    EXPECT_LT(sim.nCollisions, 500);
    EXPECT_EQ(frm.CmdCollide->text(), "Restart Collisions");
    EXPECT_TRUE(frm.flags().bBestShown);
}

// Watches the collision counter the model hands the main window while
// collisions run: the texts the loop wrote itself (no refresh of the
// most-probable window since the last event service) and the last of all.
struct CounterWatch
{
    explicit CounterWatch(const ui::RunModel &model)
    {
        QObject::connect(&model, &ui::RunModel::mostProbableRequested, [this] { refreshed = true; });
        QObject::connect(&model, &ui::RunModel::serviced, [this] { refreshed = false; });
        QObject::connect(&model, &ui::RunModel::labelChanged, [this, &model](MainLabel label) {
            if (label != MainLabel::ncollide)
                return;
            const std::string &text = model.labelText(label);
            last = QString::fromStdString(text);
            if (model.sim().running() && !refreshed)
                loopCounters.push_back(std::stoll(text));
        });
    }

    bool refreshed = false;
    QString last;
    std::vector<long long> loopCounters;
};

TEST(MainWindowCounters, HeldBackCounterTextsEndUpOnScreenAndStopsLandOnServicePoints)
{
    ui::RunModel model; // serves events at most every few milliseconds
    const Simulation &sim = model.sim();
    model.fixSeed(99);
    QuietDesktop desktop;
    ui::FrmMain w(model, desktop.desktop());
    CounterWatch watch(model);
    w.show();
    ModalScript modals;
    modals.then(fillSetup(Molecules{.h2 = "500", .hd = "0", .d2 = "500"}));
    w.CmdSetup->click();

    auto runUntil = [&](std::int64_t n) {
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (sim.running() && sim.nCollisions >= n)
                w.CmdCollide->click();
        });
        timer.start();
        w.CmdCollide->click();
    };

    runUntil(200000); // the most-probable window opens and follows the run
    EXPECT_EQ(w.ncollide->text(), watch.last);
    runUntil(sim.nCollisions + 200000); // the restart closes it again
    EXPECT_FALSE(w.flags().bBestShown);
    EXPECT_EQ(w.ncollide->text(), watch.last);
    // With nothing refreshed inside the loop, events are served only at
    // every 50th collision.
    EXPECT_EQ(sim.nCollisions % 50, 0);

    // In turbo mode the loop writes the counter at every 100th collision only.
    ASSERT_FALSE(watch.loopCounters.empty());
    for (long long n : watch.loopCounters)
        ASSERT_EQ(n % 100, 0) << n;
}

} // namespace
} // namespace kormix::test
