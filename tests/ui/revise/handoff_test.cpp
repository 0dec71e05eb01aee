// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// "Revise Data" in the main window: the revised counts become a new system
// through the setup dialog, and the run starts again or goes on.
#include "ui/revise/frmrevise.h"

#include "tests/ui/common/driver.h"
#include "tests/ui/revise/levelmouse.h"
#include "ui/common/levelpanel.h"
#include "ui/main/frmmain.h"
#include "ui/setup/frmsetup.h"

#include "core/simulation.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kormix::ui {
namespace {

using Counts = std::array<std::int32_t, 3>; // H2, HD, D2

constexpr double kBase = 3855;
constexpr double kCentre[3] = {352.5, 1612.5, 712.5};

class HandoffTest : public ::testing::Test
{
protected:
    HandoffTest() { model.setServiceInterval(0); }
    void SetUp() override { main.show(); }

    Counts kindCounts() const { return {sim.nKind[0], sim.nKind[1], sim.nKind[2]}; }
    Counts mainLabels() const
    {
        return {main.H2->text().toInt(), main.HD->text().toInt(), main.D2->text().toInt()};
    }

    // Drags a column of the open revise window by d molecules.
    void dragBy(FrmRevise *revise, int kind, int d) const
    {
        const double y = kBase - revise->revScale * (revise->nKind[std::size_t(kind)] + d + 0.5);
        test::drag(revise->FraLevels, kCentre[kind], 100, y);
    }

    // Starts collisions and stops them once `until` holds at an event service.
    void runUntil(std::function<bool()> until)
    {
        test::click(main.CmdCollide, {test::stopWhen(model, main, std::move(until))});
    }

    // Opens "Revise Data", lets `edit` work on the window, then presses
    // "Equilibrate"; the counts handed back are kept in `revised`. The steps
    // are taken while the run the revision starts goes on.
    void revise(std::function<void(FrmRevise *)> edit, std::vector<test::Step> steps = {})
    {
        script.thenOn<FrmRevise>([this, edit](FrmRevise *revise) {
            if (edit)
                edit(revise);
            revised = revise->nKind;
            equilibrated = true;
            QTest::mouseClick(revise->Command1, Qt::LeftButton);
        });
        test::click(main.CmdReviseData, std::move(steps));
    }

    // What opened last: a message box's text, or another window's name.
    QString lastMessage() const { return script.opened.isEmpty() ? "" : script.opened.last(); }

    ui::RunModel model;
    const Simulation &sim = model.sim();
    test::QuietDesktop quiet;
    ui::FrmMain main{model, quiet.desktop()};
    test::ModalScript script;
    Counts revised{};
    bool equilibrated = false;
};

TEST_F(HandoffTest, EquilibrateWithUnchangedCountsRestartsTheRun)
{
    test::setupSystem(main, script, test::Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    runUntil([this] { return sim.nCollisions >= 3000; });
    ASSERT_EQ(main.CmdCollide->text(), "Restart Collisions");
    ASSERT_GE(sim.nCollisions, 3000);

    // The run that the revision starts is stopped at its first event service.
    std::int64_t firstService = -1;
    revise(nullptr, {test::stopWhen(model, main, [&] {
               if (!equilibrated || sim.nCollisions == 0)
                   return false;
               firstService = sim.nCollisions;
               return true;
           })});

    EXPECT_EQ(mainLabels(), revised);
    EXPECT_EQ(sim.reg.regCounts[1][1], revised[1]); // entry 1 is the revised start
    EXPECT_EQ(sim.reg.regCounts[1][2], revised[2]);
    EXPECT_GT(firstService, 0);
    EXPECT_LT(firstService, 3000); // counted from 0 again
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
}

TEST_F(HandoffTest, SetupDialogShowsTheRevisedCountsByMolecules)
{
    test::setupSystem(main, script, test::Atoms{.h = "20", .d = "20"});
    ASSERT_EQ(kindCounts(), (Counts{10, 0, 10}));
    ASSERT_TRUE(main.setupForm()->OptBy[1]->isChecked());

    revise(
            [this](FrmRevise *revise) {
                QTest::mouseClick(revise->optOne[1], Qt::LeftButton); // Adjust One
                dragBy(revise, 0, +2);
                dragBy(revise, 1, +3); // HD moves in pairs
            },
            {test::stopWhen(model, main, [this] { return equilibrated; })});

    ASSERT_EQ(revised, (Counts{12, 2, 10}));
    FrmSetup *setup = main.setupForm();
    EXPECT_TRUE(setup->OptBy[0]->isChecked());
    EXPECT_EQ(setup->nMolec[0]->text(), "12");
    EXPECT_EQ(setup->nMolec[1]->text(), "2");
    EXPECT_EQ(setup->nMolec[2]->text(), "10");
    EXPECT_EQ(mainLabels(), revised);
    EXPECT_EQ(main.nHatoms->text(), "26");
    EXPECT_EQ(main.nDatoms->text(), "22");
}

TEST_F(HandoffTest, StartCaptionAfterARevisionWhileStopped)
{
    test::setupSystem(main, script, test::Molecules{.h2 = "6", .hd = "0", .d2 = "6"});
    runUntil([this] { return sim.nCollisions >= 500; });
    ASSERT_EQ(main.CmdCollide->text(), "Restart Collisions");

    // Usable counts: the run starts afresh from them.
    QString captionWhileRunning;
    revise(nullptr, {test::stopWhen(model, main, [&] {
               if (!equilibrated)
                   return false;
               captionWhileRunning = main.CmdCollide->text();
               return true;
           })});
    EXPECT_EQ(captionWhileRunning, "Stop Collisions");
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");

    // Counts of no usable system: the start is refused, and the button offers
    // a fresh start.
    revise([this](FrmRevise *revise) {
        QTest::mouseClick(revise->optOne[1], Qt::LeftButton);
        for (int kind = 0; kind < 3; ++kind)
            test::drag(revise->FraLevels, kCentre[kind], 100, 9000);
    });
    EXPECT_EQ(revised, (Counts{0, 0, 0}));
    EXPECT_EQ(lastMessage(), "Can't continue with these data--use Setup");
    EXPECT_EQ(main.CmdCollide->text(), "Start Collisions");
    EXPECT_FALSE(sim.running());
    EXPECT_TRUE(sim.bNeedsSetup);
}

TEST_F(HandoffTest, RevisionWhileRunningGoesOnWithTheRevisedSystem)
{
    test::setupSystem(main, script, test::Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    enum { Running, Revised, Done } phase = Running;
    QString captionAfter;
    bool shownAfter = false;
    std::int64_t collisionsAfter = -1;
    runUntil([&] {
        if (phase == Running && sim.nCollisions >= 1000) {
            revise([this](FrmRevise *revise) { dragBy(revise, 0, +4); });
            phase = Revised;
            captionAfter = main.CmdCollide->text();
            shownAfter = main.flags().bBestShown; // opened again for the revised run
            collisionsAfter = sim.nCollisions;
            return false;
        }
        return phase == Revised && sim.running() && sim.nCollisions > 0;
    });
    ASSERT_EQ(phase, Revised);
    EXPECT_EQ(captionAfter, "Stop Collisions");
    EXPECT_TRUE(shownAfter);
    EXPECT_EQ(collisionsAfter, 0); // a new run on the revised system
    EXPECT_GT(sim.nCollisions, 0);
    EXPECT_EQ(mainLabels(), revised);
    EXPECT_EQ(main.nHatoms->text(), "20"); // Adjust All kept the atoms
    EXPECT_EQ(main.nDatoms->text(), "20");
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
}

TEST_F(HandoffTest, RevisionToNothingWhileRunningEndsTheRun)
{
    test::setupSystem(main, script, test::Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    // The most-probable command that follows the revision finds nothing to show.
    bool revisedOnce = false;
    runUntil([&] {
        if (!revisedOnce && sim.nCollisions >= 500) {
            revisedOnce = true;
            revise([](FrmRevise *revise) {
                QTest::mouseClick(revise->optOne[1], Qt::LeftButton);
                for (int kind = 0; kind < 3; ++kind)
                    test::drag(revise->FraLevels, kCentre[kind], 100, 9000);
            });
        }
        return false; // the loop ends by itself: nothing is left to collide
    });
    EXPECT_TRUE(revisedOnce);
    EXPECT_EQ(revised, (Counts{0, 0, 0}));
    EXPECT_FALSE(sim.running());
    EXPECT_TRUE(sim.bNeedsSetup);
    EXPECT_NE(main.CmdCollide->text(), "Stop Collisions");
    EXPECT_TRUE(script.opened.contains("No Distributions to show"))
            << script.opened.join(", ").toStdString();
}

TEST_F(HandoffTest, ClosingTheWindowOtherwiseChangesNothing)
{
    test::setupSystem(main, script, test::Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    runUntil([this] { return sim.nCollisions >= 500; });
    const std::int64_t collisions = sim.nCollisions;
    const Counts shown = kindCounts(); // what the revise window opens on
    script.thenOn<FrmRevise>([](FrmRevise *revise) {
        test::drag(revise->FraLevels, kCentre[0], 100, 9000);
        revise->close();
    });
    QTest::mouseClick(main.CmdReviseData, Qt::LeftButton);
    EXPECT_FALSE(main.flags().bReviseOpen);
    EXPECT_FALSE(main.flags().bReviseAccepted);
    EXPECT_FALSE(sim.running());
    EXPECT_EQ(sim.nCollisions, collisions);
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
    EXPECT_EQ(mainLabels(), (Counts{10, 0, 10}));
    EXPECT_EQ(main.setupForm()->nMolec[0]->text(), "10");

    // It opens again.
    revise(nullptr, {test::stopWhen(model, main, [this] { return equilibrated; })});
    EXPECT_TRUE(equilibrated);
    // The drag in the window closed without "Equilibrate" is gone with it.
    EXPECT_EQ(revised, shown);
    EXPECT_EQ(mainLabels(), shown);
}

} // namespace
} // namespace kormix::ui
