// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// One run walked through the real windows as a user walks it: set up, start,
// stop, restart, stop, look at all distributions and write them to the file,
// revise the composition and let it equilibrate, and leave by File, Exit.
#include "tests/ui/common/driver.h"
#include "tests/ui/revise/levelmouse.h"
#include "ui/best/frmbest.h"
#include "ui/display/frmdisplay.h"
#include "ui/main/frmmain.h"
#include "ui/revise/frmrevise.h"

#include "core/simulation.h"
#include "ui/common/levelpanel.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace kormix::ui {
namespace {

// The distributions file checked line by line against the register.
void expectFileMatchesRegister(const QString &path, const Simulation &sim)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString text = QString::fromLatin1(file.readAll());
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QStringList lines = text.chopped(2).split("\r\n");
    ASSERT_EQ(lines.size(), sim.nStored + 1);
    EXPECT_EQ(lines[0], "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq");

    std::map<std::int32_t, int> entryByHD;
    for (int e = 1; e <= sim.nStored; ++e)
        entryByHD[sim.reg.regCounts[e][1]] = e;
    ASSERT_EQ(int(entryByHD.size()), sim.nStored); // distinct entries differ in HD

    double sumP = 0, sumFreq = 0;
    int k = 1;
    for (const auto &[hd, e] : entryByHD) { // in increasing order of HD
        SCOPED_TRACE(lines[k].toStdString());
        const QStringList f = lines[k].split('\t');
        ASSERT_EQ(f.size(), 11);
        EXPECT_EQ(f[0], QString(" %1 ").arg(k));
        EXPECT_EQ(f[1].toInt(), sim.nMolecules - hd - sim.reg.regCounts[e][2]);
        EXPECT_EQ(f[2].toInt(), sim.reg.regCounts[e][2]);
        EXPECT_EQ(f[3].toInt(), hd);
        EXPECT_NEAR(f[5].toDouble(), sim.reg.regLnW[e], 1e-9);
        EXPECT_NEAR(f[8].toDouble(), std::exp(sim.reg.regLnW[e] - sim.lnWBest), 1e-12);
        EXPECT_EQ(f[9].toLongLong(), sim.reg.regFreq[e]);
        sumP += f[7].toDouble();
        sumFreq += f[10].toDouble();
        ++k;
    }
    EXPECT_NEAR(sumP, 1, 1e-9);
    EXPECT_NEAR(sumFreq, 1, 1e-9);
}

class Road : public ::testing::Test
{
protected:
    Road() { model.setServiceInterval(0); } // serve events at every service point
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        main.show();
    }

    // Set up, start, let collisions run, stop.
    void setUpAndRun();
    // Restart and stop again.
    void restart();
    // All distributions: the chart, its selection and "Excel".
    void allDistributions();
    // Revise the composition and equilibrate.
    void revise();
    // File, Exit.
    void exit();

    QTemporaryDir scratch;
    const QString exportFile = scratch.filePath("distributions.xls");
    ui::RunModel model;
    const Simulation &sim = model.sim();
    test::QuietDesktop quiet;
    const QStringList &openedForUser = quiet.opened;
    ui::FrmMain main{model, quiet.desktop(exportFile.toStdString())};
    test::ModalScript script;
    std::int64_t firstStop = 0;
};

void Road::setUpAndRun()
{
    // Set up 10 H2 and 10 D2 by molecules.
    test::setupSystem(main, script, test::Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    EXPECT_EQ(main.status->text(), "Setup Complete");
    EXPECT_EQ(main.H2->text(), "10");
    EXPECT_EQ(main.HD->text(), "0");
    EXPECT_EQ(main.D2->text(), "10");
    EXPECT_EQ(main.nHatoms->text(), "20");
    EXPECT_EQ(main.CmdCollide->text(), "Start Collisions");

    // Start, let collisions run, stop. The first start opens the
    // most-probable window.
    test::click(main.CmdCollide, {test::stopAt(model, main, 3000)});
    firstStop = sim.nCollisions;
    EXPECT_GE(firstStop, 3000);
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
    EXPECT_EQ(main.status->text(), "running");
    EXPECT_EQ(main.CmdShowBest->text(), "Hide Most Prob");
    ASSERT_NE(main.bestForm(), nullptr);
    EXPECT_TRUE(main.bestForm()->isVisible());
}

void Road::restart()
{
    // Restart: the run goes on where it stopped, so its first event service
    // comes at the next multiple of 50 after the stop; the restart closes the
    // most-probable window again.
    const std::int64_t foundAtStop = sim.nDistFound;
    std::int64_t firstService = -1;
    test::click(main.CmdCollide,
                {test::at(sim, 0, [&] { firstService = sim.nCollisions; }),
                 test::stopAt(model, main, firstStop + 3000)});
    EXPECT_EQ(firstService, (firstStop / 50 + 1) * 50);
    EXPECT_GE(sim.nCollisions, firstStop + 3000);
    EXPECT_GE(sim.nDistFound, foundAtStop);
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
    EXPECT_EQ(main.CmdShowBest->text(), "Most Probable");
    EXPECT_GT(main.ncollide->text().toLongLong(), firstStop);
    EXPECT_LE(main.ncollide->text().toLongLong(), sim.nCollisions);
    ASSERT_GT(sim.nStored, 3);
}

void Road::allDistributions()
{
    // All distributions: select bars, switch modes, write the file.
    QString exportMessage;
    bool displayed = false;
    script.thenOn<FrmDisplay>([&](FrmDisplay *display) {
        displayed = true;
        EXPECT_GE(display->chart->barCount(), sim.nStored);

        const QRectF first = display->bar(0).geometry;
        QTest::mouseClick(display->chart,
                          Qt::LeftButton,
                          {},
                          test::pixelsAt(first.center().x(), first.bottom()) - QPoint(0, 1));
        EXPECT_EQ(display->iSelected, 0);
        const int e0 = display->barEntry[0];
        EXPECT_TRUE(display->FraLevels->nMolec[1]->text().startsWith(
                QString::number(sim.reg.regCounts[e0][1]) + " HD"));
        QTest::keyClick(display->cmdExit, 'p');
        EXPECT_EQ(display->iSelected, 1);
        QTest::keyClick(display->cmdExit, 'n');
        EXPECT_EQ(display->iSelected, 0);

        QTest::mouseClick(display->OptActual, Qt::LeftButton);
        EXPECT_EQ(display->title->text(), "Actual Frequencies");
        QTest::mouseClick(display->OptTheoretical, Qt::LeftButton);
        EXPECT_EQ(display->title->text(), "Theoretical Probabilities");

        QTest::mouseClick(display->Command1, Qt::LeftButton);
        exportMessage = script.opened.last();
        QTest::mouseClick(display->cmdExit, Qt::LeftButton);
    });
    QTest::mouseClick(main.cmdShow, Qt::LeftButton);
    ASSERT_TRUE(displayed);
    EXPECT_TRUE(exportMessage.startsWith("File ") && exportMessage.endsWith(" was created"))
            << exportMessage.toStdString();
    ASSERT_EQ(openedForUser.size(), 1);
    expectFileMatchesRegister(exportFile, sim);
}

void Road::revise()
{
    // Revise: raise H2 by two in Adjust All mode and equilibrate; the new run
    // is stopped at its first event service.
    std::array<std::int32_t, 3> revised{};
    bool equilibrated = false;
    script.thenOn<FrmRevise>([&](FrmRevise *revise) {
        EXPECT_TRUE(revise->optOne[0]->isChecked());
        const std::array<std::int32_t, 3> before = revise->nKind;
        ASSERT_GE(before[1], 4); // room for the exchange of two pairs
        const double y = 3855 - revise->revScale * (before[0] + 2.5);
        test::drag(revise->FraLevels, 352.5, 2000, y);
        revised = revise->nKind;
        EXPECT_EQ(revised[0], before[0] + 2);
        EXPECT_EQ(revised[2], before[2] + 2); // the atoms stay: D2 follows,
        EXPECT_EQ(revised[1], before[1] - 4); // and four HD make them up
        equilibrated = true;
        QTest::mouseClick(revise->Command1, Qt::LeftButton);
    });
    test::click(main.CmdReviseData,
                {test::stopWhen(model, main, [&] { return equilibrated && sim.nCollisions > 0; })});
    ASSERT_TRUE(equilibrated);
    EXPECT_EQ(main.H2->text(), QString::number(revised[0]));
    EXPECT_EQ(main.HD->text(), QString::number(revised[1]));
    EXPECT_EQ(main.D2->text(), QString::number(revised[2]));
    EXPECT_LT(sim.nCollisions, firstStop); // a new run from the revised system
    EXPECT_EQ(main.CmdCollide->text(), "Restart Collisions");
}

void Road::exit()
{
    // File, Exit: every window goes.
    main.menu_Exit->trigger();
    EXPECT_FALSE(main.isVisible());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(Road, OneRunThroughTheRealWindows)
{
    setUpAndRun();
    restart();
    allDistributions();
    revise();
    exit();
}

} // namespace
} // namespace kormix::ui
