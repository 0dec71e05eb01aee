// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The detailed display window: the chart of every distribution in the
// register, the composition of the one selected, and the "Excel" command.
#pragma once

#include "ui/display/distributionchart.h"

#include "core/distributionsfile.h"
#include "ui/common/desktop.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kormix {
class Simulation;
}

namespace kormix::ui {

class LevelPanel;

class FrmDisplay : public QDialog
{
    Q_OBJECT

public:
    // Built afresh for every opening from the register as it is then: the
    // chart is laid out, the highest-W bar selected and shown in the panel.
    // "Excel" writes where `desktop` says and has the desktop open the file.
    FrmDisplay(const Simulation &sim, const Desktop &desktop, QWidget *parent = nullptr);

    // Controls, named as the window's controls.
    QGroupBox *FraDistro = nullptr;
    DistributionChart *chart = nullptr; // the painted bars inside FraDistro
    QLabel *title = nullptr;
    QLabel *Standby = nullptr;
    LevelPanel *FraLevels = nullptr;
    QGroupBox *Frame4 = nullptr;
    QRadioButton *OptTheoretical = nullptr;
    QRadioButton *OptActual = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *W = nullptr;
    QPushButton *CmdMostProbable = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *ncoll = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdExit = nullptr;

    // Element k of the bar array (0 and 1 are the design elements).
    const PaintedShape &bar(int k) const { return chart->bar(k); }

    // The chart's state for this opening.
    QColor clrMark;            // fill of the selected bar
    QColor clrBar;             // fill of every other bar
    int iMaxFreq = -1;         // position of the most frequent entry
    int iMaxLnW = -1;          // position of the entry with the largest ln W above 0
    std::int64_t maxFreq = 0;  // largest occurrence count shown
    double maxLnW = 0;         // largest ln W shown (the search starts at 0)
    int iSelected = -1;        // selected bar position, -1 for none
    double barPitch = 0;       // width of every bar, twips
    double barWidth = 0;       // side margin of the plotting range, twips
    double barBaseY = 0;       // base line of the bars, twips
    double barMaxHeight = 0;   // full-scale bar height, twips
    double barDesignWidth = 0; // width of the design bar, twips
    int nBarsLoaded = 0;       // elements of the bar array that exist
    std::array<std::int16_t, 1001> barEntry{}; // register entry shown at position k

    // Recomputes every bar's height for the selected mode.
    void UpdateBarHeights();
    // Selects position p, held to the bars there are, and shows its entry.
    void SelectBar(int p);
    // Selects the bar nearest to X (twips, relative to FraDistro).
    void PickNearestBar(double X);
    // N selects the previous position, P the next; either letter case.
    void StepSelectionByKey(int keyAscii);
    // The distribution the panel shows (H2, HD, D2): the one selected.
    std::array<std::int32_t, 3> shownCounts() const { return shownCounts_; }

    // What "Excel" tells the user of an export, in the user's language; in
    // English exactly the export's own message.
    static QString exportMessage(const ExportResult &result);

signals:
    // The panel now shows this distribution (H2, HD, D2): the one selected.
    void distributionShown(const std::array<std::int32_t, 3> &counts);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void OptTheoretical_Click();
    void OptActual_Click();
    void CmdMostProbable_Click();
    void cmdExit_Click();
    void Command1_Click();
    void FraDistro_MouseDown(int button, double X, double Y);

private:
    void buildChartFrame();
    void buildOptionsAndCommands();
    void connectControls();
    void Form_Load();
    void InitChartState();
    void BuildBars();
    void ShowSelectedDistribution();
    // Height of the bar of register entry e in the selected mode, twips.
    double barHeight(int e) const;
    // Bars on the chart: the register's entries in use.
    int barCount() const;
    // Length of the plotting range, twips.
    double usableWidth() const;

    const Simulation &sim_;
    const Desktop &desktop_;
    std::array<std::int32_t, 3> shownCounts_{};
};

} // namespace kormix::ui
