// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The detailed display window: the chart of every distribution in the
// register, the composition of the one selected, and the "Excel" command.
#pragma once

#include "ui/display/distributionchart.h"

#include "core/distributionsfile.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>

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
    explicit FrmDisplay(Simulation &sim, QWidget *parent = nullptr);

    // Opens the written file with the program the desktop associates with it;
    // tests replace it so that no external program starts.
    static std::function<void(const QString &path)> openFile;
    // Where "Excel" writes the file; empty means the program's fixed, private
    // place (kormix::distributionsFilePath()). Tests point it into a scratch
    // folder.
    static std::filesystem::path exportPath;

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

    // What "Excel" tells the user of an export, in the user's language; in
    // English exactly the export's own message.
    static QString exportMessage(const ExportResult &result);

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

    Simulation &sim_;
};

} // namespace kormix::ui
