// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The detailed display window, driven by its controls' names on a register
// filled by hand.
#include "ui/display/frmdisplay.h"

#include "tests/ui/common/driver.h"
#include "ui/common/levelpanel.h"

#include "core/distributionsfile.h"
#include "core/simulation.h"
#include "tests/common/environment.h"
#include "tests/common/files.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
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

#ifndef _WIN32
#include <unistd.h>
#else
#include "tests/common/heldopen.h"
#endif

namespace kormix::ui {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

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
void fillRegister(Simulation &sim, const std::vector<Entry> &entries)
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

QString text(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

// A system of 40 molecules made of 40 H and 40 D atoms, recorded in this
// order: the largest W at position 2, the most frequent at position 1.
const std::vector<Entry> kForty = {
        {20, 0, 20, 3},    // W far below Wmax
        {11, 18, 11, 333}, // W = Wmax * 380 / 484
        {10, 20, 10, 100}, // W = Wmax
        {9, 22, 9, 111},   // W = Wmax * 400 / 462
        {0, 40, 0, 2},     // W far below Wmax
};

class DisplayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        desktop.openFile = [this](const QString &path) { opened << path; };
        desktop.exportPath = dir() / "distributions.xls";
    }

    fs::path dir() const { return fs::path(scratch.path().toStdString()); }

    // Loads the window as the main window does, and puts it on screen.
    std::unique_ptr<FrmDisplay> openWindow()
    {
        auto dlg = std::make_unique<FrmDisplay>(sim, desktop);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }

    // Clicks "Excel" and hands back the text of the message it shows, after
    // checking that it is a plain box titled "Kormix" with one OK button.
    QString clickExcel(FrmDisplay &dlg)
    {
        QString text = "<no message>";
        test::ModalScript script;
        script.scriptMessageBoxes();
        script.thenOn<QMessageBox>([&text](QMessageBox *box) {
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
    Desktop desktop; // the window reads it at every "Excel"
};

// --- The chart ---------------------------------------------------------------

TEST_F(DisplayTest, BarPitchFollowsTheNumberOfMolecules)
{
    const struct
    {
        int nMolecules;
        double pitch;
    } rows[] = {
            {2, 375},           // 5625, held at the design width
            {30, 375},          // exactly the design width
            {31, 11250.0 / 31}, // just below it
            {40, 281.25},       //
            {450, 25},          // exactly the floor
            {1000, 25},         // 11.25, raised to 25: the bars overlap
    };
    for (const auto &row : rows) {
        fillRegister(sim, {{row.nMolecules, 0, 0}});
        FrmDisplay dlg(sim, desktop);
        EXPECT_DOUBLE_EQ(dlg.barPitch, row.pitch) << row.nMolecules;
        EXPECT_EQ(dlg.bar(0).geometry, QRectF(375 - row.pitch / 2, 480, row.pitch, 2775));
    }
}

TEST_F(DisplayTest, BarsStandAtTheirHdFractionOnOneBaseLine)
{
    fillRegister(sim, kForty);
    auto dlg = openWindow();
    ASSERT_EQ(dlg->nBarsLoaded, 5);
    // Left = 375 - 281.25 / 2 + fraction * 5625, in register order.
    const double lefts[] = {234.375, 2765.625, 3046.875, 3328.125, 5859.375};
    const struct
    {
        double theoretical, actual;
    } heights[] = {
            {25, 25},                   // W / Wmax about 5e-12; 3 of 333 gives exactly 25
            {2775.0 * 380 / 484, 2775}, // the most frequent: full height
            {2775, 277500.0 / 333},     // the most probable: full height
            {2775.0 * 400 / 462, 925},  //
            {25, 25},                   // W / Wmax about 4e-11; 2 of 333 is raised to 25
    };
    for (bool actual : {false, true, false}) {
        (actual ? dlg->OptActual : dlg->OptTheoretical)->click();
        EXPECT_EQ(dlg->title->text(), actual ? "Actual Frequencies" : "Theoretical Probabilities");
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(testing::Message() << "position " << k << (actual ? " Actual" : ""));
            const QRectF &g = dlg->bar(k).geometry;
            const double h = actual ? heights[k].actual : heights[k].theoretical;
            EXPECT_TRUE(dlg->bar(k).visible);
            EXPECT_DOUBLE_EQ(g.left(), lefts[k]);
            EXPECT_EQ(g.width(), 281.25);
            EXPECT_NEAR(g.height(), h, 1e-6);
            EXPECT_NEAR(g.top(), 3255 - h, 1e-6);
        }
    }
}

TEST_F(DisplayTest, OneEntryGivesOneSelectedBar)
{
    fillRegister(sim, {{6, 4, 6}});
    auto dlg = openWindow();
    EXPECT_FALSE(dlg->bar(1).visible);
    EXPECT_EQ(dlg->nBarsLoaded, 2);
    QTest::keyClick(dlg->cmdExit, 'N');
    QTest::keyClick(dlg->cmdExit, 'P');
    dlg->CmdMostProbable->click();
    dlg->OptActual->click();
    dlg->CmdMostProbable->click();
    EXPECT_EQ(dlg->iSelected, 0);
    EXPECT_EQ(dlg->bar(0).fill, QColor(255, 0, 0));
    EXPECT_TRUE(dlg->bar(0).visible);
}

TEST_F(DisplayTest, RegisterWithoutAnyWAboveOneSelectsPositionZero)
{
    // Five molecules of H2, or of D2: W = 1 for either, ln W = 0.
    fillRegister(sim, {{5, 0, 0}, {0, 0, 5, 4}});
    auto dlg = openWindow();
    EXPECT_EQ(dlg->iMaxLnW, -1);
    EXPECT_EQ(dlg->iSelected, 0);
    dlg->OptActual->click();
    EXPECT_EQ(dlg->iSelected, 0);
    dlg->CmdMostProbable->click();
    EXPECT_EQ(dlg->iSelected, 1); // the most frequent
}

TEST_F(DisplayTest, ModeSwitchMovesSelectionToHighestW)
{
    fillRegister(sim, kForty);
    auto dlg = openWindow();
    EXPECT_EQ(dlg->iSelected, 2); // the highest W, at load
    dlg->SelectBar(4);
    dlg->OptActual->click();
    EXPECT_EQ(dlg->iSelected, 2);
    dlg->CmdMostProbable->click(); // in Actual mode: the most frequent
    EXPECT_EQ(dlg->iSelected, 1);
    dlg->OptTheoretical->click();
    EXPECT_EQ(dlg->iSelected, 2);
    dlg->SelectBar(4);
    dlg->CmdMostProbable->click(); // in Theoretical mode: the highest W
    EXPECT_EQ(dlg->iSelected, 2);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(dlg->bar(k).fill, k == 2 ? QColor(255, 0, 0) : QColor(0, 0, 255)) << k;
}

TEST_F(DisplayTest, SelectedBarIsDrawnOverItsNeighbours)
{
    // 1000 molecules: bars 25 twips wide, 11.25 apart. The middle one is
    // selected and overlapped by both neighbours, which were recorded later.
    fillRegister(sim, {{250, 500, 250}, {251, 498, 251}, {249, 502, 249}});
    auto dlg = openWindow();
    ASSERT_EQ(dlg->iSelected, 0);
    const QImage chart = dlg->chart->grab().toImage();
    EXPECT_EQ(chart.pixelColor(212, 200), QColor(255, 0, 0)); // x = 3180 twips
}

TEST_F(DisplayTest, PickNearestBar)
{
    // HD fractions 0.5, 0.25, 0.75, 0 by position.
    fillRegister(sim, {{10, 20, 10}, {15, 10, 15}, {5, 30, 5}, {20, 0, 20}});
    FrmDisplay dlg(sim, desktop);
    const struct
    {
        double x;
        int position;
    } rows[] = {
            {-500, 3},     // left of the frame
            {375, 3},      // the left end of the plotting range
            {1781.25, 1},  // the centre of the bar at 0.25
            {2484.375, 0}, // exactly between 0.25 (position 1) and 0.5: the lower position wins
            {3890.625, 0}, // exactly between 0.5 (position 0) and 0.75
            {9000, 2},     // right of the frame
    };
    for (const auto &row : rows) {
        dlg.SelectBar(3 - row.position); // start from elsewhere
        dlg.PickNearestBar(row.x);
        EXPECT_EQ(dlg.iSelected, row.position) << row.x;
    }
}

TEST_F(DisplayTest, MousePressAnywhereInTheFramePicksTheNearestBar)
{
    fillRegister(sim, {{10, 20, 10}, {15, 10, 15}, {5, 30, 5}, {20, 0, 20}});
    auto dlg = openWindow();
    const struct
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        QPoint pixel;
        int position;
    } rows[] = {
            {Qt::LeftButton, Qt::NoModifier, {119, 200}, 1},     // X = 1785 twips, nearest 0.25
            {Qt::RightButton, Qt::NoModifier, {5, 10}, 3},       // above the bars, far left
            {Qt::MiddleButton, Qt::ShiftModifier, {400, 5}, 2},  // X = 6000 twips
            {Qt::LeftButton, Qt::ControlModifier, {212, 20}, 0}, // over the title, X = 3180
    };
    for (const auto &row : rows) {
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
    fillRegister(sim, kForty);
    auto dlg = openWindow();
    const struct
    {
        int from;
        char key;
        int to;
    } rows[] = {
            {4, 'P', 4},
            {4, 'N', 3}, // the last position stays
            {0, 'N', 0},
            {0, 'P', 1}, // the first position stays
            {2, 'n', 1},
            {2, 'p', 3}, // either letter case
            {2, 'x', 2},
            {2, '1', 2}, // any other key does nothing
    };
    for (const char *name : {"cmdExit", "CmdMostProbable", "OptActual", "OptTheoretical"}) {
        QWidget *control = dlg->findChild<QWidget *>(name);
        ASSERT_NE(control, nullptr) << name;
        for (const auto &row : rows) {
            dlg->SelectBar(row.from);
            QTest::keyClick(control, row.key);
            EXPECT_EQ(dlg->iSelected, row.to) << name << " " << row.from << " " << row.key;
        }
    }
    dlg->SelectBar(2);
    QTest::keyClick(dlg->Command1, 'P'); // "Excel" does not step
    EXPECT_EQ(dlg->iSelected, 2);
}

// --- The composition panel ---------------------------------------------------

TEST_F(DisplayTest, CompositionPanelShowsTheSelectedDistribution)
{
    const struct
    {
        Entry entry;
        QRectF h2, hd, d2; // lin(0), lin(1) (lin(3) as high), lin(2)
        const char *captions[3];
        const char *q;
        const char *w;
    } rows[] = {
            // N = 30: 72.5 twips per molecule.
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
    for (const auto &row : rows) {
        SCOPED_TRACE(row.captions[0]);
        fillRegister(sim, {row.entry});
        FrmDisplay dlg(sim, desktop);
        const LevelPanel &panel = *dlg.FraLevels;
        EXPECT_EQ(panel.lin(0).geometry, row.h2);
        EXPECT_EQ(panel.lin(1).geometry, row.hd);
        EXPECT_EQ(panel.lin(2).geometry, row.d2);
        EXPECT_EQ(panel.lin(3).geometry, QRectF(1320, row.hd.top(), 105, row.hd.height()));
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(panel.lin(i).visible) << i;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(panel.nMolec[i]->text(), row.captions[i]);
        EXPECT_EQ(panel.Qa->text(), row.q);
        EXPECT_EQ(dlg.W->text(), row.w);
        EXPECT_EQ(dlg.shownCounts(),
                  (std::array<std::int32_t, 3>{row.entry.nH2, row.entry.nHD, row.entry.nD2}));
    }
}

TEST_F(DisplayTest, SelectionLeavesQAsItWas)
{
    fillRegister(sim, kForty);
    sim.Q.setNumber(kInfiniteQ);
    auto dlg = openWindow();
    std::vector<std::array<std::int32_t, 3>> reported;
    QObject::connect(dlg.get(), &FrmDisplay::distributionShown, [&](const auto &counts) {
        reported.push_back(counts);
    });
    QTest::keyClick(dlg->cmdExit, 'P');
    EXPECT_EQ(dlg->FraLevels->Qa->text(), "5.98"); // 22 * 22 / (9 * 9)
    EXPECT_FALSE(sim.Q.isText());
    EXPECT_EQ(sim.Q.number(), kInfiniteQ);
    sim.Q.setText("4.00");
    QTest::keyClick(dlg->cmdExit, 'N');
    QTest::keyClick(dlg->cmdExit, 'N');
    EXPECT_EQ(dlg->FraLevels->Qa->text(), "2.68"); // 18 * 18 / (11 * 11)
    EXPECT_EQ(sim.Q.text(), "4.00");
    // The selection is reported, never written into the run.
    EXPECT_EQ(reported,
              (std::vector<std::array<std::int32_t, 3>>{{9, 22, 9}, {10, 20, 10}, {11, 18, 11}}));
    EXPECT_EQ(sim.nKind, (std::array<std::int32_t, 4>{}));
}

// --- The window --------------------------------------------------------------

TEST_F(DisplayTest, FocusIsOnDoneAndTabOrderFollowsTheDesign)
{
    fillRegister(sim, kForty);
    auto dlg = openWindow();
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

TEST_F(DisplayTest, DoneAndCloseBoxBothEndTheModalDisplay)
{
    fillRegister(sim, kForty);
    for (bool viaDone : {true, false}) {
        FrmDisplay dlg(sim, desktop);
        test::ModalScript script;
        script.then([&dlg, viaDone](QWidget *w) {
            EXPECT_EQ(w, &dlg);
            viaDone ? QTest::mouseClick(dlg.cmdExit, Qt::LeftButton) : void(dlg.close());
        });
        dlg.exec();
        EXPECT_TRUE(dlg.isHidden()) << viaDone;
    }
}

TEST_F(DisplayTest, ReopeningShowsTheRegisterAsItIsThen)
{
    fillRegister(sim, {{10, 20, 10}, {11, 18, 11}});
    sim.nCollisions = 12;
    {
        auto dlg = openWindow();
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
    auto dlg = openWindow();
    EXPECT_EQ(dlg->ncoll->text(), "4321");
    EXPECT_EQ(dlg->nBarsLoaded, 5);
    EXPECT_EQ(dlg->title->text(), "Theoretical Probabilities");
    EXPECT_TRUE(dlg->OptTheoretical->isChecked());
    EXPECT_TRUE(dlg->Standby->isHidden());
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(dlg->bar(k).visible) << k;
    EXPECT_DOUBLE_EQ(dlg->bar(4).geometry.left(), 375 - 281.25 / 2 + 0.65 * 5625);
}

TEST_F(DisplayTest, EmptyRegisterOpensWithoutBars)
{
    // The main window never opens it so; should it happen, nothing breaks.
    fillRegister(sim, {{10, 20, 10}});
    sim.nStored = 0;
    auto dlg = openWindow();
    dlg->CmdMostProbable->click();
    dlg->OptActual->click();
    QTest::keyClick(dlg->cmdExit, 'P');
    QTest::mouseClick(dlg->chart, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(dlg->iSelected, -1);
    EXPECT_FALSE(dlg->bar(0).visible);
    EXPECT_EQ(dlg->W->text(), ""); // the panel shows nothing
    EXPECT_FALSE(dlg->FraLevels->lin(0).visible);
}

// --- "Excel" -----------------------------------------------------------------

TEST_F(DisplayTest, ExcelWritesTheFileReportsItAndOpensIt)
{
    fillRegister(sim, kForty);
    const fs::path path = dir() / "new folder" / "distributions.xls";
    desktop.exportPath = path;
    auto dlg = openWindow();

    EXPECT_EQ(clickExcel(*dlg), "File " + text(path) + " was created");
    EXPECT_EQ(opened, QStringList{text(path)});
    const std::string first = readAll(path);
    EXPECT_EQ(first, distributionsText(sim));
    EXPECT_NE(first.find("\r\n 5 \t0\t0\t40\t100\t"), std::string::npos);

    EXPECT_EQ(clickExcel(*dlg), "File " + text(path) + " was created");
    EXPECT_EQ(readAll(path), first);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(dlg->isVisible()); // the window stays open
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()),
              1);
}

// The private place in TMPDIR is POSIX's; Windows writes to the fixed C:\temp,
// which a test must not overwrite (the core tests check the place's name).
#ifndef _WIN32
TEST_F(DisplayTest, ExcelWritesToTheUsersPrivatePlaceInTmpdir)
{
    fillRegister(sim, kForty);
    test::ScopedEnvironment environment;
    environment.set("TMPDIR", dir().string());
    environment.unset("XDG_RUNTIME_DIR");
    environment.unset("HOME");
    desktop.exportPath.clear();
    const fs::path place = dir() / ("kormix-" + std::to_string(::geteuid()));
    const fs::path path = place / "distributions.xls";
    auto dlg = openWindow();

    EXPECT_EQ(clickExcel(*dlg), "File " + text(path) + " was created");
    EXPECT_EQ(opened, QStringList{text(path)});
    EXPECT_EQ(readAll(path), distributionsText(sim));

    // Open to others, the place is refused: the file goes to the user's
    // runtime directory, which the message names and the desktop opens.
    fs::permissions(place, fs::perms::others_all, fs::perm_options::add);
    writeAll(path, "previous");
    const fs::path runtime = dir() / "run";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    environment.set("XDG_RUNTIME_DIR", runtime.string());
    const fs::path elsewhere = runtime / "kormix" / "distributions.xls";
    EXPECT_EQ(clickExcel(*dlg), "File " + text(elsewhere) + " was created");
    EXPECT_EQ(opened, (QStringList{text(path), text(elsewhere)}));
    EXPECT_EQ(readAll(elsewhere), distributionsText(sim));
    EXPECT_EQ(readAll(path), "previous");

    // With no other folder of the user's: a message, nothing written or opened.
    environment.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(clickExcel(*dlg),
              "Can't write " + text(path) + ": " + text(place) + " is open to other users");
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(readAll(path), "previous");
}
#endif

#ifdef _WIN32
// The file left open in Excel: Windows refuses to replace it, the message
// says so, and nothing is opened. Once Excel lets it go, "Excel" writes it.
TEST_F(DisplayTest, ExcelOverAFileOpenInExcelSaysSoAndKeepsIt)
{
    fillRegister(sim, kForty);
    const fs::path path = dir() / "distributions.xls";
    writeAll(path, "previous");
    auto dlg = openWindow();
    {
        const test::HeldOpen excel(path);
        ASSERT_TRUE(excel.isOpen());
        const QString message = clickExcel(*dlg);
        EXPECT_TRUE(message.endsWith(" replacing " + text(path)
                                     + ": the file is open in another program (Excel, for "
                                       "example) or read-only, and stays as it was"))
                << message.toStdString();
        EXPECT_FALSE(message.startsWith(" replacing")) << message.toStdString();
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(readAll(path), "previous");
    }
    EXPECT_EQ(clickExcel(*dlg), "File " + text(path) + " was created");
    EXPECT_EQ(readAll(path), distributionsText(sim));
    EXPECT_EQ(opened, QStringList{text(path)});
}
#endif

TEST_F(DisplayTest, ExcelFailureIsReportedAndLeavesWhatWasThere)
{
    fillRegister(sim, kForty);
    struct Row
    {
        const char *what;
        fs::path path;   // where the file is to go
        fs::path keeper; // what was there before, and must stay
        fs::path folder; // made first, when not empty
        const char *doing;
    };
    const fs::path d = dir();
    // The file's own name fits, the name of the new file written beside it does not.
    const fs::path longName = d / (std::string(250, 'x') + ".xls");
    const Row rows[] = {
            {"the folder is a file", d / "plain" / "a.xls", d / "plain", {}, " opening "},
            {"the place is a folder", d / "f.xls", d / "f.xls" / "in.txt", d / "f.xls", ""},
            {"the new file's name is too long", longName, longName, {}, " opening "},
    };
    auto dlg = openWindow();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.folder.empty())
            fs::create_directory(row.folder);
        writeAll(row.keeper, "previous");
        const auto before = std::distance(fs::directory_iterator(d), fs::directory_iterator());
        desktop.exportPath = row.path;

        const QString message = clickExcel(*dlg);
        EXPECT_FALSE(message.endsWith(" was created")) << message.toStdString();
        EXPECT_TRUE(message.endsWith(row.doing + text(row.path))) << message.toStdString();
        EXPECT_GT(message.size(), QString(row.doing).size() + text(row.path).size());
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(readAll(row.keeper), "previous");
        EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), before);
    }
}

} // namespace
} // namespace kormix::ui
