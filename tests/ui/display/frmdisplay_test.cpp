// The detailed display window, driven by its controls' names on a register
// filled by hand.
#include "display/frmdisplay.h"

#include "common/levelpanel.h"
#include "common/uitest.h"

#include "core/distributionsfile.h"
#include "core/simulation.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace kormix::ui {
namespace {

namespace fs = std::filesystem;

// One register entry in the order it is recorded.
struct Entry
{
    int nH2;
    int nHD;
    int nD2;
    std::int64_t freq = 1;
};

// Records the entries as a run would (the first one starts the run), then
// gives each its occurrence count.
void FillRegister(Simulation &sim, const std::vector<Entry> &entries)
{
    sim.bSaveAll = true;
    bool first = true;
    for (const Entry &e : entries) {
        sim.nH2 = e.nH2;
        sim.nHD = e.nHD;
        sim.nD2 = e.nD2;
        sim.nMolecules = e.nH2 + e.nHD + e.nD2;
        if (first) {
            sim.BeginCollisions();
            first = false;
        } else {
            sim.lnW = LnW(e.nH2, e.nD2, e.nHD);
            sim.RecordDistribution();
        }
        sim.reg.regFreq[sim.iCurrent] = e.freq;
    }
}

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

QString Text(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

// A system of 40 molecules made of 40 H and 40 D atoms, recorded in this order.
// Position 0 has the largest W, position 1 was met most often.
const std::vector<Entry> kForty = {
        {10, 20, 10, 100}, // W = Wmax
        {11, 18, 11, 333}, // W = Wmax * 380 / 484
        {9, 22, 9, 111},   // W = Wmax * 400 / 462
        {20, 0, 20, 3},    // W far below Wmax
        {0, 40, 0, 2},
};

class DisplayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        savedOpen = FrmDisplay::openFile;
        savedPath = FrmDisplay::exportPath;
        FrmDisplay::openFile = [this](const QString &path) { opened << path; };
        FrmDisplay::exportPath = Dir() / "distributions.xls";
    }
    void TearDown() override
    {
        FrmDisplay::openFile = savedOpen;
        FrmDisplay::exportPath = savedPath;
    }

    fs::path Dir() const { return fs::path(scratch.path().toStdString()); }

    // Loads the window as the main window does, and puts it on screen.
    std::unique_ptr<FrmDisplay> Open()
    {
        auto dlg = std::make_unique<FrmDisplay>(sim);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }

    // Clicks "Excel" and hands back the text of the message it shows, after
    // checking that it is a plain box titled "Kormix" with one OK button.
    QString ClickExcel(FrmDisplay &dlg)
    {
        QString text = "<no message>";
        test::OnNextModal([&text](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Kormix");
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            text = box->text();
            box->accept();
        });
        dlg.Command1->click();
        return text;
    }

    Simulation sim;
    QTemporaryDir scratch;
    QStringList opened;
    std::function<void(const QString &)> savedOpen;
    fs::path savedPath;
};

// --- The chart ---------------------------------------------------------------

TEST_F(DisplayTest, DesignValuesAreCapturedAtLoad)
{
    FillRegister(sim, {{10, 0, 10}});
    FrmDisplay dlg(sim);
    EXPECT_EQ(dlg.clrBar, QColor(0, 0, 255));
    EXPECT_EQ(dlg.clrMark, QColor(255, 0, 0));
    EXPECT_EQ(dlg.barDesignWidth, 375);
    EXPECT_EQ(dlg.barMaxHeight, 2775);
    EXPECT_EQ(dlg.barBaseY, 3255);
    EXPECT_EQ(dlg.barWidth, 375);
    EXPECT_EQ(dlg.levelTop, 1200);
    EXPECT_EQ(dlg.levelHeight, 2175);
    EXPECT_EQ(dlg.title->text(), "Theoretical Probabilities");
    EXPECT_TRUE(dlg.OptTheoretical->isChecked());
    EXPECT_FALSE(dlg.OptActual->isChecked());
    EXPECT_TRUE(dlg.Standby->isHidden());
    EXPECT_EQ(dlg.Standby->text(), "Please Standby");
}

TEST_F(DisplayTest, BarPitchFollowsTheNumberOfMolecules)
{
    struct Row
    {
        int nMolecules;
        double pitch;
    };
    const Row rows[] = {
            {2, 375},           // 5625, held at the design width
            {30, 375},          // exactly the design width
            {31, 11250.0 / 31}, // just below it
            {40, 281.25},       //
            {450, 25},          // exactly the floor
            {1000, 25},         // 11.25, raised to 25: the bars overlap
            {100000, 25},       //
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.nMolecules);
        FillRegister(sim, {{row.nMolecules, 0, 0}});
        FrmDisplay dlg(sim);
        EXPECT_DOUBLE_EQ(dlg.barPitch, row.pitch);
        EXPECT_DOUBLE_EQ(dlg.bar(0).geometry.width(), row.pitch);
        EXPECT_DOUBLE_EQ(dlg.bar(0).geometry.left(), 375 - row.pitch / 2);
    }
}

TEST_F(DisplayTest, BarsStandAtTheirHdFractionOnOneBaseLine)
{
    FillRegister(sim, kForty);
    FrmDisplay dlg(sim);
    ASSERT_EQ(dlg.nBarsLoaded, 5);
    ASSERT_EQ(dlg.chart->barCount(), 5);
    // Left = 375 - 281.25 / 2 + fraction * 5625, in register order.
    const double lefts[] = {3046.875, 2765.625, 3328.125, 234.375, 5859.375};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const BarShape &b = dlg.bar(k);
        EXPECT_TRUE(b.visible);
        EXPECT_DOUBLE_EQ(b.geometry.left(), lefts[k]);
        EXPECT_EQ(b.geometry.width(), 281.25);
        EXPECT_DOUBLE_EQ(b.geometry.bottom(), 3255);
        EXPECT_EQ(dlg.barEntry[std::size_t(k)], k + 1);
    }
}

TEST_F(DisplayTest, BarHeightsInBothModes)
{
    FillRegister(sim, kForty);
    auto dlg = Open();
    struct Row
    {
        double theoretical;
        double actual;
    };
    const Row rows[] = {
            {2775, 277500.0 / 333},     // the most probable: full height
            {2775.0 * 380 / 484, 2775}, // the most frequent: full height
            {2775.0 * 400 / 462, 925},  //
            {25, 25},                   // W / Wmax about 5e-12, 3 of 333: exactly 25
            {25, 25},                   // W / Wmax about 4e-11, 2 of 333: raised to 25
    };
    const auto check = [&](bool actual) {
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(k);
            const double h = actual ? rows[k].actual : rows[k].theoretical;
            const QRectF &g = dlg->bar(k).geometry;
            EXPECT_NEAR(g.height(), h, 1e-6);
            EXPECT_NEAR(g.top(), 3255 - h, 1e-6);
            EXPECT_TRUE(dlg->bar(k).visible);
        }
    };
    {
        SCOPED_TRACE("at load");
        check(false);
    }
    dlg->OptActual->click();
    {
        SCOPED_TRACE("Actual");
        EXPECT_EQ(dlg->title->text(), "Actual Frequencies");
        check(true);
    }
    dlg->OptTheoretical->click();
    {
        SCOPED_TRACE("Theoretical again");
        EXPECT_EQ(dlg->title->text(), "Theoretical Probabilities");
        check(false);
    }
    // Places and widths never change with the mode.
    EXPECT_EQ(dlg->bar(4).geometry.left(), 5859.375);
    EXPECT_EQ(dlg->bar(4).geometry.width(), 281.25);
}

TEST_F(DisplayTest, OneEntryGivesOneSelectedBar)
{
    FillRegister(sim, {{6, 4, 6}});
    auto dlg = Open();
    EXPECT_TRUE(dlg->bar(0).visible);
    EXPECT_FALSE(dlg->bar(1).visible);
    EXPECT_EQ(dlg->nBarsLoaded, 2);
    const auto selectedStays = [&](const char *what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(dlg->iSelected, 0);
        EXPECT_EQ(dlg->bar(0).fill, dlg->clrMark);
    };
    selectedStays("at load");
    QTest::keyClick(dlg->cmdExit, 'N');
    selectedStays("N");
    QTest::keyClick(dlg->cmdExit, 'P');
    selectedStays("P");
    dlg->CmdMostProbable->click();
    selectedStays("Highest");
    dlg->OptActual->click();
    dlg->CmdMostProbable->click();
    selectedStays("Highest in Actual mode");
}

TEST_F(DisplayTest, HighestWBarIsSelectedAtLoad)
{
    // Recorded so that the largest W comes third.
    FillRegister(sim, {{20, 0, 20, 7}, {11, 18, 11, 2}, {10, 20, 10, 1}, {9, 22, 9, 1}});
    auto dlg = Open();
    EXPECT_EQ(dlg->iMaxLnW, 2);
    EXPECT_EQ(dlg->iMaxFreq, 0);
    EXPECT_EQ(dlg->maxFreq, 7);
    EXPECT_EQ(dlg->iSelected, 2);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(dlg->bar(k).fill, k == 2 ? dlg->clrMark : dlg->clrBar) << k;
}

TEST_F(DisplayTest, RegisterWithoutAnyWAboveOneSelectsPositionZero)
{
    // Five molecules of H2, or of D2: W = 1 for either, ln W = 0.
    FillRegister(sim, {{5, 0, 0}, {0, 0, 5, 4}});
    auto dlg = Open();
    EXPECT_EQ(dlg->iMaxLnW, -1);
    EXPECT_EQ(dlg->iSelected, 0);
    dlg->OptActual->click();
    EXPECT_EQ(dlg->iSelected, 0);
    dlg->CmdMostProbable->click();
    EXPECT_EQ(dlg->iSelected, 1); // the most frequent
}

TEST_F(DisplayTest, ModeSwitchMovesSelectionToHighestW)
{
    FillRegister(sim, kForty);
    auto dlg = Open();
    dlg->SelectBar(3);
    ASSERT_EQ(dlg->iSelected, 3);

    dlg->OptActual->click();
    EXPECT_EQ(dlg->iSelected, 0);
    EXPECT_EQ(dlg->bar(3).fill, dlg->clrBar);
    EXPECT_EQ(dlg->bar(0).fill, dlg->clrMark);

    dlg->CmdMostProbable->click(); // in Actual mode: the most frequent
    EXPECT_EQ(dlg->iSelected, 1);
    EXPECT_EQ(dlg->bar(0).fill, dlg->clrBar);
    EXPECT_EQ(dlg->bar(1).fill, dlg->clrMark);

    dlg->OptTheoretical->click();
    EXPECT_EQ(dlg->iSelected, 0);
    dlg->SelectBar(4);
    dlg->CmdMostProbable->click(); // in Theoretical mode: the highest W
    EXPECT_EQ(dlg->iSelected, 0);
}

TEST_F(DisplayTest, SelectBarHoldsEveryPositionToTheBars)
{
    FillRegister(sim, kForty);
    FrmDisplay dlg(sim);
    const int rows[][2] = {{-1, 0}, {-1000, 0}, {0, 0}, {4, 4}, {5, 4}, {1000, 4}, {2, 2}};
    for (const auto &row : rows) {
        dlg.SelectBar(row[0]);
        EXPECT_EQ(dlg.iSelected, row[1]) << row[0];
        int marked = 0;
        for (int k = 0; k < 5; ++k)
            marked += dlg.bar(k).fill == dlg.clrMark;
        EXPECT_EQ(marked, 1) << row[0];
    }
}

TEST_F(DisplayTest, PickNearestBar)
{
    // HD fractions 0.5, 0.25, 0.75, 0 by position.
    FillRegister(sim, {{10, 20, 10}, {15, 10, 15}, {5, 30, 5}, {20, 0, 20}});
    FrmDisplay dlg(sim);
    struct Row
    {
        double x;
        int position;
    };
    const Row rows[] = {
            {-500, 3},     // left of the frame
            {0, 3},        // left of every bar
            {375, 3},      // the left end of the plotting range
            {1781.25, 1},  // the centre of the bar at 0.25
            {2484.375, 0}, // exactly between 0.25 (position 1) and 0.5: the lower position wins
            {3890.625, 0}, // exactly between 0.5 (position 0) and 0.75
            {6000, 2},     // the right end of the plotting range
            {9000, 2},     // right of the frame
    };
    for (const Row &row : rows) {
        dlg.SelectBar(3 - row.position); // start from elsewhere
        dlg.PickNearestBar(row.x);
        EXPECT_EQ(dlg.iSelected, row.position) << row.x;
    }
}

TEST_F(DisplayTest, MousePressAnywhereInTheFramePicksTheNearestBar)
{
    FillRegister(sim, {{10, 20, 10}, {15, 10, 15}, {5, 30, 5}, {20, 0, 20}});
    auto dlg = Open();
    struct Row
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        QPoint pixel;
        int position;
    };
    const Row rows[] = {
            {Qt::LeftButton, Qt::NoModifier, {119, 200}, 1},     // X = 1785 twips, nearest 0.25
            {Qt::RightButton, Qt::NoModifier, {5, 10}, 3},       // above the bars, far left
            {Qt::MiddleButton, Qt::ShiftModifier, {400, 5}, 2},  // X = 6000 twips
            {Qt::LeftButton, Qt::ControlModifier, {212, 20}, 0}, // over the title, X = 3180
    };
    for (const Row &row : rows) {
        dlg->SelectBar(3 - row.position);
        // The captions let the press through to the chart beneath them.
        QWidget *target = dlg->FraDistro->childAt(row.pixel);
        ASSERT_EQ(target, dlg->chart) << row.pixel.x();
        QTest::mouseClick(target, row.button, row.modifiers, row.pixel);
        EXPECT_EQ(dlg->iSelected, row.position) << row.pixel.x();
    }
}

TEST_F(DisplayTest, KeysNAndPStepThroughThePositions)
{
    FillRegister(sim, kForty);
    auto dlg = Open();
    struct Row
    {
        int from;
        char key;
        int to;
    };
    const Row rows[] = {
            {4, 'P', 4}, // the last position stays
            {4, 'N', 3}, //
            {0, 'N', 0}, // the first position stays
            {0, 'P', 1}, //
            {2, 'n', 1}, // either letter case
            {2, 'p', 3}, //
            {2, 'x', 2}, // any other key does nothing
            {2, '1', 2}, //
    };
    const char *controls[] = {"cmdExit", "CmdMostProbable", "OptActual", "OptTheoretical"};
    for (const char *name : controls) {
        QWidget *control = dlg->findChild<QWidget *>(name);
        ASSERT_NE(control, nullptr) << name;
        for (const Row &row : rows) {
            dlg->SelectBar(row.from);
            QTest::keyClick(control, row.key);
            EXPECT_EQ(dlg->iSelected, row.to) << name << " " << row.from << " " << row.key;
        }
    }
    // "Excel" does not step.
    dlg->SelectBar(2);
    QTest::keyClick(dlg->Command1, 'P');
    EXPECT_EQ(dlg->iSelected, 2);
}

// --- The composition panel ---------------------------------------------------

TEST_F(DisplayTest, CompositionPanelShowsTheSelectedDistribution)
{
    struct Row
    {
        Entry entry;
        QRectF h2, hd, d2; // lin(0), lin(1) (and lin(3) equally high), lin(2): top, height
        const char *captions[3];
        const char *q;
        const char *w;
    };
    const Row rows[] = {
            // N = 30: scale 72.5 twips per molecule.
            {{12, 10, 8},
             {360, 2505, 225, 870},
             {1440, 2650, 105, 725},
             {840, 2795, 225, 580},
             {"12 H2", "10 HD (33.33%)", "8 D2"},
             "1.04",
             "W = 3.88E+15"},
            {{20, 0, 0},
             {360, 1200, 225, 2175},
             {1440, 3375, 105, 0},
             {840, 3375, 225, 0},
             {"20 H2", "0 HD (0.00%)", "0 D2"},
             "infinite",
             "W = 1"},
            {{0, 20, 0},
             {360, 3375, 225, 0},
             {1440, 1200, 105, 2175},
             {840, 3375, 225, 0},
             {"0 H2", "20 HD (100.00%)", "0 D2"},
             "infinite",
             "W = 1.05E+06"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.captions[0]);
        FillRegister(sim, {row.entry});
        FrmDisplay dlg(sim);
        const LevelPanel &panel = *dlg.FraLevels;
        EXPECT_EQ(panel.lin(0).geometry, row.h2);
        EXPECT_EQ(panel.lin(1).geometry, row.hd);
        EXPECT_EQ(panel.lin(2).geometry, row.d2);
        EXPECT_EQ(panel.lin(3).geometry, QRectF(1320, row.hd.top(), 105, row.hd.height()));
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(panel.lin(i).visible) << i;
        EXPECT_EQ(panel.nMolec[0]->text(), row.captions[0]);
        EXPECT_EQ(panel.nMolec[1]->text(), row.captions[1]);
        EXPECT_EQ(panel.nMolec[2]->text(), row.captions[2]);
        EXPECT_EQ(panel.Qa->text(), row.q);
        EXPECT_EQ(panel.Label2->text(), "Q =");
        EXPECT_EQ(dlg.W->text(), row.w);
        EXPECT_EQ(sim.nKind[0], row.entry.nH2);
        EXPECT_EQ(sim.nKind[1], row.entry.nHD);
        EXPECT_EQ(sim.nKind[2], row.entry.nD2);
    }
}

TEST_F(DisplayTest, SelectionLeavesQAsItWas)
{
    FillRegister(sim, kForty);
    sim.Q.SetNumber(kInfiniteQ);
    auto dlg = Open();
    QTest::keyClick(dlg->cmdExit, 'P');
    EXPECT_EQ(dlg->FraLevels->Qa->text(), "2.68"); // 18 * 18 / (11 * 11) of the entry shown
    EXPECT_FALSE(sim.Q.IsText());
    EXPECT_EQ(sim.Q.Number(), kInfiniteQ);

    sim.Q.SetText("4.00");
    QTest::keyClick(dlg->cmdExit, 'P');
    EXPECT_EQ(sim.Q.Text(), "4.00");
    // nKind keeps the distribution shown last.
    EXPECT_EQ(sim.nKind[1], 22);
}

// --- The window --------------------------------------------------------------

TEST_F(DisplayTest, FocusIsOnDoneAndTabOrderFollowsTheDesign)
{
    FillRegister(sim, kForty);
    auto dlg = Open();
    EXPECT_EQ(dlg->focusWidget(), dlg->cmdExit);

    QStringList order;
    QWidget *w = dlg->cmdExit;
    for (int guard = 0; guard < 100 && order.size() < 5; ++guard, w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order,
              QStringList(
                      {"cmdExit", "CmdMostProbable", "OptActual", "OptTheoretical", "Command1"}));
}

TEST_F(DisplayTest, FixedLayout)
{
    FillRegister(sim, kForty);
    FrmDisplay dlg(sim);
    EXPECT_EQ(dlg.objectName(), "frmDisplay");
    EXPECT_EQ(dlg.windowTitle(), "Detailed Display of System");
    EXPECT_EQ(dlg.minimumSize(), QSize(607, 332));
    EXPECT_EQ(dlg.maximumSize(), QSize(607, 332));
    EXPECT_EQ(dlg.FraDistro->geometry(), QRect(48, 8, 425, 233));
    EXPECT_EQ(dlg.FraDistro->title(), "Distributions");
    EXPECT_EQ(dlg.chart->geometry(), QRect(0, 0, 425, 233));
    EXPECT_EQ(dlg.FraLevels->geometry(), QRect(472, 8, 129, 233));
    EXPECT_EQ(dlg.Frame4->title(), "Options");
    EXPECT_EQ(dlg.CmdMostProbable->text(), "Highest");
    EXPECT_EQ(dlg.Command1->text(), "Excel");
    EXPECT_EQ(dlg.cmdExit->text(), "done");
    EXPECT_EQ(dlg.Label7->text(), "number of collisions:");
}

TEST_F(DisplayTest, DoneAndCloseBoxBothEndTheModalDisplay)
{
    FillRegister(sim, kForty);
    for (bool viaDone : {true, false}) {
        SCOPED_TRACE(viaDone ? "done" : "close box");
        FrmDisplay dlg(sim);
        test::OnNextModal([&dlg, viaDone](QWidget *w) {
            EXPECT_EQ(w, &dlg);
            if (viaDone)
                QTest::mouseClick(dlg.cmdExit, Qt::LeftButton);
            else
                dlg.close();
        });
        dlg.exec();
        EXPECT_TRUE(dlg.isHidden());
    }
}

TEST_F(DisplayTest, ReopeningShowsTheRegisterAsItIsThen)
{
    FillRegister(sim, {{10, 20, 10}, {11, 18, 11}});
    sim.nCollisions = 12;
    {
        auto dlg = Open();
        dlg->OptActual->click();
        EXPECT_EQ(dlg->ncoll->text(), "12");
        EXPECT_EQ(dlg->nBarsLoaded, 2);
    }
    for (int hd : {22, 24, 26}) {
        sim.nH2 = sim.nD2 = (40 - hd) / 2;
        sim.nHD = hd;
        sim.lnW = LnW(sim.nH2, sim.nD2, sim.nHD);
        sim.RecordDistribution();
    }
    sim.nCollisions = 4321;
    auto dlg = Open();
    EXPECT_EQ(dlg->ncoll->text(), "4321");
    EXPECT_EQ(dlg->nBarsLoaded, 5);
    EXPECT_EQ(dlg->title->text(), "Theoretical Probabilities");
    EXPECT_TRUE(dlg->OptTheoretical->isChecked());
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(dlg->bar(k).visible) << k;
    EXPECT_DOUBLE_EQ(dlg->bar(4).geometry.left(), 375 - 281.25 / 2 + 0.65 * 5625);
}

TEST_F(DisplayTest, EmptyRegisterOpensWithoutBars)
{
    // The main window never opens it so; should it happen, nothing breaks.
    FillRegister(sim, {{10, 20, 10}});
    sim.nStored = 0;
    auto dlg = Open();
    EXPECT_EQ(dlg->iSelected, -1);
    EXPECT_FALSE(dlg->bar(0).visible);
    dlg->CmdMostProbable->click();
    dlg->OptActual->click();
    QTest::keyClick(dlg->cmdExit, 'P');
    QTest::mouseClick(dlg->chart, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(dlg->iSelected, -1);
}

// --- "Excel" -----------------------------------------------------------------

TEST_F(DisplayTest, ExcelWritesTheFileReportsItAndOpensIt)
{
    FillRegister(sim, kForty);
    const fs::path path = Dir() / "new folder" / "distributions.xls";
    FrmDisplay::exportPath = path;
    auto dlg = Open();

    EXPECT_EQ(ClickExcel(*dlg), "File " + Text(path) + " was created");
    EXPECT_EQ(opened, QStringList{Text(path)});
    const std::string first = ReadAll(path);
    EXPECT_EQ(first, DistributionsText(sim));
    EXPECT_NE(first.find("\r\n 5 \t0\t0\t40\t100\t"), std::string::npos);

    EXPECT_EQ(ClickExcel(*dlg), "File " + Text(path) + " was created");
    EXPECT_EQ(ReadAll(path), first);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(dlg->isVisible()); // the window stays open
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(DisplayTest, ExcelFailureIsReportedAndLeavesWhatWasThere)
{
    FillRegister(sim, kForty);
    struct Row
    {
        const char *what;
        fs::path path;
        std::function<void()> prepare;
        std::function<void()> checkUntouched;
        const char *doing; // empty: whatever the failing step was
    };
    const fs::path plain = Dir() / "plain";
    const fs::path folder = Dir() / "folder.xls";
    // The file's own name fits, the name of the new file written beside it does not.
    const fs::path longName = Dir() / (std::string(250, 'x') + ".xls");
    const Row rows[] = {
            {"the folder is a file",
             plain / "distributions.xls",
             [&] { WriteAll(plain, "keep me"); },
             [&] { EXPECT_EQ(ReadAll(plain), "keep me"); },
             " opening "},
            {"the file's place is a folder with content",
             folder,
             [&] {
                 fs::create_directory(folder);
                 WriteAll(folder / "inside.txt", "keep me too");
             },
             [&] {
                 ASSERT_TRUE(fs::is_directory(folder));
                 EXPECT_EQ(ReadAll(folder / "inside.txt"), "keep me too");
                 EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                           1);
             },
             ""},
            {"the new file's name is too long",
             longName,
             [&] { WriteAll(longName, "previous export"); },
             [&] { EXPECT_EQ(ReadAll(longName), "previous export"); },
             " opening "},
    };
    auto dlg = Open();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        row.prepare();
        const auto before = std::distance(fs::directory_iterator(Dir()), fs::directory_iterator());
        FrmDisplay::exportPath = row.path;

        const QString message = ClickExcel(*dlg);
        EXPECT_FALSE(message.endsWith(" was created")) << message.toStdString();
        EXPECT_TRUE(message.endsWith(row.doing + Text(row.path))) << message.toStdString();
        EXPECT_GT(message.size(), QString(row.doing).size() + Text(row.path).size());
        EXPECT_TRUE(opened.isEmpty());
        row.checkUntouched();
        EXPECT_EQ(std::distance(fs::directory_iterator(Dir()), fs::directory_iterator()), before);
    }
}

} // namespace
} // namespace kormix::ui
