// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium window, opened from the main window's View menu and driven
// through real runs: its exact values, how it follows a run, a revision and a
// new setup, and the files it saves.
#include "tests/ui/common/driver.h"

#include "core/simulation.h"
#include "tests/common/files.h"
#include "ui/common/translation.h"

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/tables.h"
#include "ui/equilibrium/compositionschart.h"
#include "ui/equilibrium/constantchart.h"
#include "ui/equilibrium/coursechart.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/equilibrium/reactionstable.h"
#include "ui/equilibrium/summarybox.h"
#include "ui/main/frmmain.h"
#include "ui/revise/frmrevise.h"

#include <QAction>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace kormix::ui {
namespace {

using test::Molecules;

// The main window of a program that writes its numbers with this decimal
// separator, and its equilibrium window.
template<char kDecimalPoint>
class EquilibriumWindowWith : public ::testing::Test
{
protected:
    EquilibriumWindowWith()
    {
        model.setServiceInterval(0);
        model.fixSeed(20240601);
    }
    void SetUp() override { main.show(); }

    // "Setup System" with these molecules typed in.
    void setup(const Molecules &counts) { test::setupSystem(main, script, counts); }
    // Starts or restarts collisions and stops them at n collisions.
    void runTo(std::int64_t n) { test::click(main.CmdCollide, {test::stopAt(model, main, n)}); }

    // View, Equilibrium, as the user chooses it.
    FrmEquilibrium *openWindow()
    {
        main.viewMenu().menu_Equilibrium->trigger();
        FrmEquilibrium *w = main.equilibriumForm();
        EXPECT_NE(w, nullptr);
        return w;
    }

    // The distance the window must show, worked out from the run itself.
    QString expectedDistance() const
    {
        const ExactDistribution exact = exactDistribution(2 * std::int64_t(sim.nH2) + sim.nHD,
                                                          2 * std::int64_t(sim.nD2) + sim.nHD);
        const auto tv = totalVariation(sim.observed.sharesUpTo(sim.nHD, sim.nCollisions), exact);
        return "distance from equilibrium (TV): "
               + (tv ? QString::number(*tv, 'f', 4) : QString("–"));
    }

    static std::vector<double> xs(const QLineSeries *series)
    {
        std::vector<double> xs;
        for (const QPointF &p : series->points())
            xs.push_back(p.x());
        return xs;
    }

    ui::RunModel model{kDecimalPoint};
    const Simulation &sim = model.sim();
    test::QuietDesktop quiet;
    ui::FrmMain main{model, quiet.desktop()};
    test::ModalScript script;
};
using EquilibriumWindowTest = EquilibriumWindowWith<'.'>;
using CommaEquilibriumWindowTest = EquilibriumWindowWith<','>;

TEST_F(EquilibriumWindowTest, OpensFromTheViewMenuAfterFile)
{
    ASSERT_NE(main.viewMenu().menu_view, nullptr);
    EXPECT_EQ(main.viewMenu().menu_view->objectName(), "menu_view");
    EXPECT_EQ(main.viewMenu().menu_view->title(), "&View");
    EXPECT_EQ(main.viewMenu().menu_Equilibrium->text(), "&Equilibrium");
    const QList<QAction *> menus = main.menuBar()->actions();
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus[0], main.menu_file->menuAction());
    EXPECT_EQ(menus[1], main.viewMenu().menu_view->menuAction());
    EXPECT_EQ(main.equilibriumForm(), nullptr); // nothing is built before it is asked for

    FrmEquilibrium *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->objectName(), "frmEquilibrium");
    EXPECT_EQ(w->windowTitle(), "Equilibrium");
    EXPECT_EQ(w->parent(), &main);
    // Before any setup there is nothing to compare.
    EXPECT_EQ(w->summary->lblDistance->text(), "distance from equilibrium (TV): –");
    EXPECT_EQ(w->summary->lblMode->text(), "–");
    EXPECT_EQ(w->compositions->exactOutline->count(), 0);

    const char *names[] = {"forward (H2 + D2 -> 2 HD)",
                           "reverse (2 HD -> H2 + D2)",
                           "HD + HD met without reacting"};
    for (int r = 0; r < 3; ++r) {
        auto *label = w->findChild<QLabel *>(QString("Label_reaction_%1").arg(r));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), names[r]);
    }
    EXPECT_EQ(w->cmdSavePicture->text(), "Save Picture...");
    EXPECT_EQ(w->cmdSaveData->text(), "Save Data...");
}

// The exact values of a system as the window shows them, before any
// collision: the most probable composition with its P and Q, and the mean and
// spread of the HD fraction (P from W / sum W in whole numbers).
struct ExactCase
{
    const char *h2, *d2;
    QString mode, p, q, mean, sd;
};

TEST_F(EquilibriumWindowTest, ShowsTheExactValuesOfTheSystem)
{
    const ExactCase cases[] = {
            // P = 3/35, 24/35, 8/35; mean nHD 80/35 of 4.
            {"2", "2", "1 H2 + 2 HD + 1 D2", "0.68571", "4.00", "0.5714", "0.2711"},
            // Mean nHD 10.2564 of 20, not 10.
            {"10", "10", "5 H2 + 10 HD + 5 D2", "0.34586", "4.00", "0.5128", "0.1133"},
            // 12 H and 28 D atoms.
            {"6", "14", "2 H2 + 8 HD + 10 D2", "0.38096", "3.20", "0.4308", "0.0942"},
            // 2/3 for 2 HD, whose Q is infinite.
            {"1", "1", "0 H2 + 2 HD + 0 D2", "0.66667", "infinite", "0.6667", "0.4714"},
    };
    FrmEquilibrium *w = openWindow();
    for (const ExactCase &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + " H2 + " + c.d2 + " D2");
        setup(Molecules{.h2 = c.h2, .hd = "0", .d2 = c.d2});
        EXPECT_EQ(w->summary->lblMode->text(), c.mode);
        EXPECT_EQ(w->summary->lblModeP->text(), c.p);
        EXPECT_EQ(w->summary->lblModeQ->text(), c.q);
        EXPECT_EQ(w->summary->lblMeanExact->text(), c.mean);
        EXPECT_EQ(w->summary->lblSdExact->text(), c.sd);
        EXPECT_EQ(w->summary->lblDistance->text(), "distance from equilibrium (TV): –");
        EXPECT_EQ(w->summary->lblMeanObserved->text(), "–");
    }
}

// The model and the theory at its K. One H2 and one D2 are 2 HD for the share
// K / (K + 2) of the time (P of 1 H2 + 1 D2 is 2 / (K + 2)), so below K = 2
// the most probable composition is no longer the one with the most
// microstates, and the window says so.
TEST_F(EquilibriumWindowTest, ShowsTheModelAndTheTheoryAtItsK)
{
    const struct
    {
        std::optional<double> kelvin;
        QString model, mode;
        bool differ;
    } cases[] = {
            {std::nullopt, "statistics only, K = 4", "0 H2 + 2 HD + 0 D2", false},
            {298.15, "hydrogen at 298.15 K, K = 3.259", "0 H2 + 2 HD + 0 D2", false},
            {20, "hydrogen at 20 K, K = 0.137", "1 H2 + 0 HD + 1 D2", true},
    };
    setup(Molecules{.h2 = "1", .hd = "0", .d2 = "1"});
    FrmEquilibrium *w = openWindow();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.model.toStdString());
        model.setModel(c.kelvin ? *EquilibriumModel::hydrogenAt(*c.kelvin) : EquilibriumModel{});
        const double K = sim.model().K();
        EXPECT_EQ(w->summary->lblModel->text(), c.model);
        EXPECT_EQ(w->summary->lblKExact->text(),
                  c.kelvin ? QString::number(K, 'f', 3) : QString("4"));
        EXPECT_EQ(w->summary->lblMode->text(), c.mode);
        EXPECT_EQ(w->summary->lblMostW->text(), "0 H2 + 2 HD + 0 D2");
        EXPECT_EQ(!w->summary->lblModeNote->isHidden(), c.differ);
        const double pMode = c.differ ? 2 / (K + 2) : K / (K + 2);
        EXPECT_EQ(w->summary->lblModeP->text(), QString::number(pMode, 'f', 5));
        EXPECT_EQ(w->summary->lblMeanHDExact->text(), QString::number(2 * K / (K + 2), 'f', 4));
        // The K(T) chart marks the temperature chosen, and only one.
        ASSERT_EQ(w->constant->mark->count(), c.kelvin ? 1 : 0);
        if (c.kelvin) {
            EXPECT_EQ(w->constant->mark->at(0).y(), K);
            EXPECT_EQ(w->constant->markLine->at(1), w->constant->mark->at(0));
        }
    }
}

// Chosen during a run, a temperature holds from the next collision: the
// window shows its model, marks the change in the course, and the run's
// estimate of K and the Q view go by the new K.
TEST_F(EquilibriumWindowTest, FollowsAChangeOfTemperatureDuringARun)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    const EquilibriumModel hydrogen = *EquilibriumModel::hydrogenAt(300);
    test::click(main.CmdCollide,
                {test::at(sim, 1000, [&] { model.setModel(hydrogen); }),
                 test::stopAt(model, main, 5000)});
    const QString K = QString::number(hydrogen.K(), 'f', 3);
    EXPECT_EQ(w->summary->lblModel->text(), "hydrogen at 300 K, K = " + K);
    EXPECT_EQ(w->summary->lblKExact->text(), K);
    EXPECT_NE(w->summary->lblKObserved->text(), "–");
    EXPECT_NE(w->summary->lblMeanHDObserved->text(), "–");
    const std::int64_t change = sim.observed.segmentStart();
    EXPECT_GE(change, 1000);
    ASSERT_EQ(w->course->revisionLines.size(), 1u);
    EXPECT_EQ(w->course->revisionLines[0]->at(0).x(), double(change));
    EXPECT_EQ(w->summary->lblDistance->text().startsWith("distance from equilibrium"), true);

    w->course->optCourse[2]->click();
    ASSERT_EQ(w->course->equilibriumConstant->count(), 2);
    EXPECT_EQ(w->course->equilibriumConstant->at(0).y(), hydrogen.K());
}

// On a logarithmic collisions axis the first collisions and the long run are
// in one picture, and the expected approach covers the axis to its end.
TEST_F(EquilibriumWindowTest, CourseOnALogarithmicCollisionsAxis)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    runTo(20000);
    QTest::mouseClick(w->course->chkLogarithmic, Qt::LeftButton);
    ASSERT_TRUE(w->course->chkLogarithmic->isChecked());
    const QList<QPointF> course = w->course->courseLine->points();
    const QList<QPointF> approach = w->course->approachLine->points();
    ASSERT_GT(approach.size(), 10);
    ASSERT_FALSE(course.empty());
    // The plot places collisions by their decimal logarithm: the approach
    // from the first collision to the last the axis shows, the course to the
    // run's last collision.
    EXPECT_DOUBLE_EQ(approach.front().x(), 0.0);
    EXPECT_NEAR(course.back().x(), std::log10(double(sim.nCollisions)), 1e-9);
    EXPECT_GE(approach.back().x(), course.back().x() - 0.01);

    QTest::mouseClick(w->course->chkLogarithmic, Qt::LeftButton);
    EXPECT_EQ(w->course->courseLine->at(0).x(), 0.0);
}

TEST_F(EquilibriumWindowTest, CompositionChartDrawsEveryCompositionAtItsHDFraction)
{
    setup(Molecules{.h2 = "2", .hd = "0", .d2 = "2"});
    FrmEquilibrium *w = openWindow();
    // Three bars, each an outline of four points: up at the left edge, across
    // at P, down at the right edge, centred on nHD / N.
    const QList<QPointF> outline = w->compositions->exactOutline->points();
    ASSERT_EQ(outline.size(), 12);
    const double p[] = {3.0 / 35, 24.0 / 35, 8.0 / 35};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const QPointF up = outline[4 * k + 1], across = outline[4 * k + 2];
        EXPECT_DOUBLE_EQ((up.x() + across.x()) / 2, k * 2 / 4.0);
        EXPECT_DOUBLE_EQ(up.y(), p[k]);
        EXPECT_DOUBLE_EQ(across.y(), p[k]);
        EXPECT_EQ(outline[4 * k].y(), 0);
    }

    // On a logarithmic axis the bars stand on the axis' lowest value.
    QTest::mouseClick(w->compositions->chkLogarithmic, Qt::LeftButton);
    ASSERT_TRUE(w->compositions->chkLogarithmic->isChecked());
    const auto axes = w->compositions->exactOutline->attachedAxes();
    const QLogValueAxis *log = nullptr;
    for (QAbstractAxis *axis : axes) {
        if (auto *a = qobject_cast<QLogValueAxis *>(axis))
            log = a;
    }
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->alignment(), Qt::AlignLeft);
    EXPECT_FALSE(log->titleText().isEmpty());
    EXPECT_GT(w->compositions->exactOutline->points()[0].y(), 0);
    EXPECT_LE(log->min(), w->compositions->exactOutline->points()[0].y());
    EXPECT_DOUBLE_EQ(w->compositions->exactOutline->points()[5].y(), 24.0 / 35);

    QTest::mouseClick(w->compositions->chkLogarithmic, Qt::LeftButton);
    EXPECT_EQ(w->compositions->exactOutline->points()[0].y(), 0);
}

TEST_F(EquilibriumWindowTest, FollowsARun)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    for (std::int64_t n : {1000, 20000}) {
        SCOPED_TRACE(n);
        runTo(n);
        ASSERT_GE(sim.nCollisions, n);
        EXPECT_EQ(w->summary->lblDistance->text(), expectedDistance());
        const ReactionCounts &counts = sim.observed.reactions;
        EXPECT_EQ(w->reactions->lblCount[0]->text(), QString::number(counts.forward));
        EXPECT_EQ(w->reactions->lblCount[1]->text(), QString::number(counts.reverse));
        EXPECT_EQ(w->reactions->lblCount[2]->text(), QString::number(counts.hdUnreacted));
        EXPECT_GT(counts.forward, 0);
        // The course holds every point of the run, at its collision.
        const auto &points = sim.observed.series().points();
        ASSERT_EQ(std::size_t(w->course->courseLine->count()), points.size());
        EXPECT_EQ(w->course->courseLine->at(w->course->courseLine->count() - 1).x(),
                  double(points.back().collision));
        EXPECT_DOUBLE_EQ(w->course->courseLine->at(0).y(), 0.0); // no HD at the start
        EXPECT_GT(w->course->approachLine->count(), 1);
        EXPECT_DOUBLE_EQ(w->course->approachLine->at(0).y(), 0.0);
        EXPECT_NE(w->summary->lblMeanObserved->text(), "–");
    }
}

TEST_F(EquilibriumWindowTest, SteppingListsTheLastCollisionsInWords)
{
    // One H2 and one D2: the first collision always reacts, the next is two
    // HD that react when their coin comes out above one half.
    setup(Molecules{.h2 = "1", .hd = "0", .d2 = "1"});
    FrmEquilibrium *w = openWindow();
    EXPECT_FALSE(w->fraSteps->isVisible());

    model.scriptDraws({0.0f, 0.75f, 0.75f, 0.0f, 0.25f});
    main.runMenu().menu_Step->trigger();
    main.runMenu().menu_Step->trigger();
    ASSERT_EQ(sim.nCollisions, 2);
    EXPECT_TRUE(w->fraSteps->isVisible());
    EXPECT_EQ(w->txtSteps->toPlainText(),
              "1. molecule 1 (H2) met molecule 2 (D2): they reacted to 2 HD; W 2 -> 4\n"
              "2. molecule 2 (HD) met molecule 1 (HD): coin 0.25 not above 0.5, nothing "
              "changed; W 4 -> 4");

    // A run at full speed keeps no log, and the list goes.
    runTo(sim.nCollisions + 1000);
    EXPECT_FALSE(w->fraSteps->isVisible());
}

// Stepped, the course is drawn from every collision, not only every fiftieth,
// so that each step shows.
TEST_F(EquilibriumWindowTest, AfterStepsTheCourseShowsEveryCollision)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    main.runMenu().menu_Step100->trigger();
    main.runMenu().menu_Step100->trigger();
    ASSERT_EQ(sim.nCollisions, 200);
    ASSERT_EQ(w->course->courseLine->count(), 201);
    for (int i = 0; i <= 200; ++i)
        EXPECT_EQ(w->course->courseLine->at(i).x(), double(i));
}

TEST_F(EquilibriumWindowTest, CourseShowsLnWAndQOnRequest)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    runTo(2000);
    const auto &points = sim.observed.series().points();

    w->course->optCourse[1]->click();
    ASSERT_EQ(std::size_t(w->course->courseLine->count()), points.size());
    EXPECT_EQ(w->course->courseLine->at(0).y(), points.front().lnW);
    EXPECT_EQ(w->course->approachLine->count(), 0);
    EXPECT_EQ(w->course->equilibriumConstant->count(), 0);
    EXPECT_EQ(w->course->exactMeanLine->count(), 2);

    w->course->optCourse[2]->click();
    EXPECT_EQ(w->course->exactMeanLine->count(), 0);
    ASSERT_EQ(w->course->equilibriumConstant->count(), 2);
    EXPECT_EQ(w->course->equilibriumConstant->at(0).y(), 4.0);
    EXPECT_EQ(w->course->equilibriumConstant->at(1).y(), 4.0);
    EXPECT_EQ(w->course->courseLine->at(0).y(), 0.0); // Q of 10 H2 + 10 D2
}

TEST_F(EquilibriumWindowTest, SurvivesARevisionAndANewSetupStartsTheCourseAgain)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    runTo(3000);
    const std::size_t before = sim.observed.series().points().size();
    const double lastBefore = w->course->courseLine->at(w->course->courseLine->count() - 1).x();
    EXPECT_TRUE(w->course->revisionLines.empty());

    // "Revise Data", "Equilibrate": a new run begins on the same system and is
    // stopped after a few collisions.
    bool equilibrated = false;
    script.thenOn<FrmRevise>([&](FrmRevise *revise) {
        equilibrated = true;
        QTest::mouseClick(revise->Command1, Qt::LeftButton);
    });
    test::click(main.CmdReviseData, {test::stopWhen(model, main, [&] {
                    return equilibrated && sim.nCollisions >= 500;
                })});
    ASSERT_TRUE(equilibrated);
    ASSERT_FALSE(sim.running());

    EXPECT_TRUE(w->isVisible());
    EXPECT_GT(std::size_t(w->course->courseLine->count()), before);
    EXPECT_EQ(w->course->courseLine->at(0).x(), 0.0);
    ASSERT_EQ(w->course->revisionLines.size(), 1u);
    ASSERT_EQ(sim.observed.series().revisions().size(), 1u);
    const double mark = double(sim.observed.series().revisions()[0]);
    EXPECT_GE(mark, lastBefore);
    EXPECT_EQ(w->course->revisionLines[0]->at(0).x(), mark);
    EXPECT_EQ(w->course->revisionLines[0]->at(1).x(), mark);
    EXPECT_EQ(w->summary->lblDistance->text(), expectedDistance());
    EXPECT_EQ(w->reactions->lblCount[0]->text(), QString::number(sim.observed.reactions.forward));

    // A new setup starts the course again, without marks.
    setup(Molecules{.h2 = "4", .hd = "0", .d2 = "6"});
    EXPECT_EQ(w->course->courseLine->count(), 1);
    EXPECT_TRUE(w->course->revisionLines.empty());
    EXPECT_EQ(w->summary->lblMode->text(), "1 H2 + 6 HD + 3 D2");
    EXPECT_EQ(w->summary->lblDistance->text(), "distance from equilibrium (TV): –");
    EXPECT_EQ(w->reactions->lblCount[0]->text(), "0");

    // Clear leaves nothing to compare.
    QTest::mouseClick(main.CmdRestart, Qt::LeftButton);
    EXPECT_EQ(w->course->courseLine->count(), 0);
    EXPECT_EQ(w->summary->lblMode->text(), "–");
}

TEST_F(EquilibriumWindowTest, ClosedWindowIsNotRefreshedAndReopensUpToDate)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    w->close();
    EXPECT_FALSE(w->isVisible());
    const long long refreshes = w->refreshes();
    runTo(5000);
    EXPECT_EQ(w->refreshes(), refreshes);

    EXPECT_EQ(openWindow(), w); // the same window, shown again
    EXPECT_TRUE(w->isVisible());
    EXPECT_GT(w->refreshes(), refreshes);
    EXPECT_EQ(w->summary->lblDistance->text(), expectedDistance());
    EXPECT_EQ(w->reactions->lblCount[0]->text(), QString::number(sim.observed.reactions.forward));
}

TEST_F(EquilibriumWindowTest, SaveDataWritesTheThreeTables)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    runTo(4000);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("run.tsv");
    QString caption;
    w->askSavePath = [&](const QString &c, const QString &, const QString &) {
        caption = c;
        return path;
    };
    QTest::mouseClick(w->cmdSaveData, Qt::LeftButton);
    EXPECT_EQ(caption, "Save Data");

    const ExactDistribution exact = exactDistribution(20, 20);
    // The file names the model the run went to, in its first line.
    const std::string expected = "# model: statistics only, K = 4\n"
                                 + compositionsTable(exact,
                                                     sim.observed.sharesUpTo(sim.nHD,
                                                                             sim.nCollisions))
                                 + "\n" + seriesTable(sim.observed.series()) + "\n"
                                 + reactionsTable(sim.observed.reactions,
                                                  sim.nCollisions,
                                                  {sim.nH2, sim.nHD, sim.nD2},
                                                  exact);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), expected);
    file.close(); // Windows removes no file that is open

    // Cancelling the dialog writes nothing.
    ASSERT_TRUE(QFile::remove(path));
    w->askSavePath = [](const QString &, const QString &, const QString &) { return QString(); };
    QTest::mouseClick(w->cmdSaveData, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(EquilibriumWindowTest, SavePictureWritesAPngOfTheWindow)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    runTo(1000);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("window.png");
    w->askSavePath = [&](const QString &, const QString &, const QString &) { return path; };
    QTest::mouseClick(w->cmdSavePicture, Qt::LeftButton);

    QImage picture;
    ASSERT_TRUE(picture.load(path, "PNG"));
    EXPECT_EQ(picture.size(), w->size() * w->devicePixelRatio());
}

// The texts of the ticks the window chose for a chart's axis along
// `orientation`; none where it left them to the chart.
QStringList ticks(const QWidget *w, const char *view, Qt::Orientation orientation)
{
    const auto *chartView = w->findChild<QChartView *>(view);
    if (!chartView)
        return {};
    for (QAbstractAxis *axis : chartView->chart()->axes(orientation)) {
        if (auto *ticked = qobject_cast<QCategoryAxis *>(axis))
            return ticked->categoriesLabels();
    }
    return {};
}

TEST_F(EquilibriumWindowTest, CollisionTicksAreWholeAndDistinctFromTheStart)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    EXPECT_EQ(ticks(w, "courseView", Qt::Horizontal), QStringList({"0", "1"}));
    main.runMenu().menu_Step->trigger();
    EXPECT_EQ(ticks(w, "courseView", Qt::Horizontal), QStringList({"0", "1"}));
    main.runMenu().menu_Step->trigger();
    EXPECT_EQ(ticks(w, "courseView", Qt::Horizontal), QStringList({"0", "1", "2"}));
}

// At a million molecules the probabilities are below 0.003, at two billion
// below 0.00004: their ticks still read apart, with the program's separator.
TEST_F(CommaEquilibriumWindowTest, ProbabilityTicksReadApartWithTheProgramsSeparator)
{
    const char *const halves[] = {"500000", "1000000000"};
    FrmEquilibrium *w = openWindow();
    for (const char *half : halves) {
        SCOPED_TRACE(half);
        setup(Molecules{.h2 = half, .hd = "0", .d2 = half});
        for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
            const QStringList texts = ticks(w, "compositionView", orientation);
            ASSERT_GE(texts.size(), 2);
            EXPECT_EQ(std::set<QString>(texts.begin(), texts.end()).size(),
                      std::size_t(texts.size()));
            for (const QString &text : texts)
                EXPECT_FALSE(text.contains('.')) << text.toStdString();
        }
    }
}

// A run of a billion and a half collisions, as the window reads it.
TEST(EquilibriumWindowLongRun, BillionsOfCollisionsAreWrittenShort)
{
    Simulation sim;
    sim.nH2 = sim.nD2 = 10;
    sim.nMolecules = 20;
    sim.observed.beginRun({10, 0, 10});
    sim.observed.recordPoint(0, {10, 0, 10}, LnW(10, 10, 0));
    sim.observed.recordPoint(1'500'000'000, {5, 10, 5}, LnW(5, 5, 10));
    sim.nCollisions = 1'500'000'000;
    FrmEquilibrium w(sim);
    w.show();
    w.refresh();
    const QStringList texts = ticks(&w, "courseView", Qt::Horizontal);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("1\u00b710\u2079")))
            << texts.join(" ").toStdString();
    EXPECT_EQ(std::set<QString>(texts.begin(), texts.end()).size(), std::size_t(texts.size()));
    for (const QString &text : texts)
        EXPECT_LE(text.size(), 8) << text.toStdString();
}

TEST_F(EquilibriumWindowTest, UnderAGermanLocaleTheRunReadsGerman)
{
    struct German
    {
        German() { installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)); }
        ~German() { removeTranslations(*qApp); }
    } german;
    // 4 H and 8 D atoms: 1 H2 + 2 HD + 3 D2 is as likely as 0 H2 + 4 HD + 2 D2.
    test::setupSystem(main, script, test::Atoms{.h = "4", .d = "8"});
    FrmEquilibrium *w = openWindow();
    main.runMenu().menu_Step->trigger();
    EXPECT_EQ(w->findChild<QLabel *>("lblMode")->text(),
              "1 H2 + 2 HD + 3 D2 (so wahrscheinlich wie die mit 2 HD mehr)");
    EXPECT_EQ(w->findChild<QLabel *>("Label_reaction_0")->text(), "hin (H2 + D2 -> 2 HD)");
    const QString steps = w->findChild<QPlainTextEdit *>("txtSteps")->toPlainText();
    EXPECT_TRUE(steps.startsWith("1. Molekül ")) << steps.toStdString();
    EXPECT_TRUE(steps.contains(" traf Molekül ")) << steps.toStdString();
}

// A name as a legend's rich text holds it, each entry unbroken.
QString shownInLegend(const QString &name)
{
    return name.toHtmlEscaped().replace(' ', "&nbsp;");
}

TEST_F(EquilibriumWindowTest, TheLegendsNameWhatIsDrawnAndStayAfterAStep)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmEquilibrium *w = openWindow();
    const auto *compositionLegend = w->findChild<QLabel *>("compositionLegend");
    const auto *courseLegend = w->findChild<QLabel *>("courseLegend");
    ASSERT_NE(compositionLegend, nullptr);
    ASSERT_NE(courseLegend, nullptr);
    for (const QString &name :
         {w->compositions->observedBars->name(), w->compositions->exactOutline->name()})
        EXPECT_TRUE(compositionLegend->text().contains(shownInLegend(name))) << name.toStdString();
    for (const QString &name : {w->course->courseLine->name(),
                                w->course->exactBand->name(),
                                w->course->approachLine->name()})
        EXPECT_TRUE(courseLegend->text().contains(shownInLegend(name))) << name.toStdString();
    const QString before = courseLegend->text();
    main.runMenu().menu_Step->trigger();
    EXPECT_EQ(courseLegend->text(), before);
}

// Save Picture writes the PNG as every other file is written: whole beside
// the old one, then in its place.
class SavePictureTest : public EquilibriumWindowTest
{
protected:
    SavePictureTest()
    {
        setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
        w = openWindow();
        script.opened.clear(); // the setup dialog
    }
    void save(const QString &path, QPushButton *command)
    {
        w->askSavePath = [path](const QString &, const QString &, const QString &) { return path; };
        QTest::mouseClick(command, Qt::LeftButton);
    }
    static bool isPng(const std::filesystem::path &path)
    {
        QImage picture;
        return picture.load(QString::fromStdString(path.string()), "PNG");
    }
    FrmEquilibrium *w = nullptr;
    QTemporaryDir dir;
};

// Symbolic links need a privilege on Windows, and the file size limit is
// POSIX's: these two are tested on POSIX systems.
#ifndef _WIN32

TEST_F(SavePictureTest, APlantedLinkIsReplacedNotFollowed)
{
    namespace fs = std::filesystem;
    const fs::path target = dir.filePath("someone else's").toStdString();
    const fs::path picture = dir.filePath("picture.png").toStdString();
    test::writeAll(target, "not to be touched");
    fs::create_symlink(target, picture);
    save(QString::fromStdString(picture.string()), w->cmdSavePicture);
    EXPECT_TRUE(test::readAll(target) == "not to be touched") << "the link was followed";
    EXPECT_FALSE(fs::is_symlink(picture));
    EXPECT_TRUE(isPng(picture));
}

TEST_F(SavePictureTest, AFailedWriteLeavesTheOldPictureAndSaysSo)
{
    const std::filesystem::path picture = dir.filePath("picture.png").toStdString();
    const std::string old(10000, 'x');
    test::writeAll(picture, old);
    // A file size limit makes the write itself fail, as a full disk would.
    rlimit was{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = was;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    save(QString::fromStdString(picture.string()), w->cmdSavePicture);
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, handler);
    EXPECT_TRUE(test::readAll(picture) == old) << "the old picture was changed";
    EXPECT_EQ(script.opened,
              QStringList{QString::fromLocal8Bit(std::strerror(EFBIG)) + " writing "
                          + QString::fromStdString(picture.string())});
}

#endif

// Where a folder is missing it is made; where a file stands in its place, the
// picture fails as the data do, with the same message.
TEST_F(SavePictureTest, FoldersAreTakenAsSaveDataTakesThem)
{
    const QString fresh = dir.filePath("new folder/picture.png");
    save(fresh, w->cmdSavePicture);
    EXPECT_TRUE(isPng(fresh.toStdString()));

    test::writeAll(dir.filePath("a file").toStdString(), "");
    save(dir.filePath("a file/picture.png"), w->cmdSavePicture);
    save(dir.filePath("a file/data.tsv"), w->cmdSaveData);
    ASSERT_EQ(script.opened.size(), 2);
    EXPECT_EQ(script.opened[0], script.opened[1].replace("data.tsv", "picture.png"));
    EXPECT_TRUE(script.opened[0].endsWith(dir.filePath("a file/picture.png")));
}

} // namespace
} // namespace kormix::ui
