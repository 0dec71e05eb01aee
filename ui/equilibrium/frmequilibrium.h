// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium window: what the theory says the run must do beside what it
// does. The exact probability of every composition against the share of
// collisions the run spent in it, the distance between the two, the course of
// the run over time against the exact mean and the expected approach, and the
// reactions counted against their exact chances.
//
// It is modeless and may stay open while collisions run; the main window asks
// it to refresh from its event service, at most ten times a second.
#pragma once

#include "core/equilibrium/approach.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/runobservations.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAbstractAxis;
class QAreaSeries;
class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QLogValueAxis;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QValueAxis;

namespace kormix {
class Simulation;
}

namespace kormix::ui {

class FrmEquilibrium : public QWidget
{
    Q_OBJECT

public:
    explicit FrmEquilibrium(const Simulation &sim, QWidget *parent = nullptr);
    ~FrmEquilibrium() override;

    // Brings every part of the window up to the state of the simulation.
    void refresh();
    // How many refreshes the window has done since it was built.
    long long refreshes() const { return refreshes_; }

    // Asks where to save; an empty path means the user cancelled. The window
    // asks through a file dialog; tests replace it so that no dialog blocks.
    // Arguments: the dialog's caption, the suggested file name and the filter.
    std::function<QString(const QString &caption, const QString &name, const QString &filter)>
            askSavePath;

    // What the plot against collisions shows.
    enum class Course { HDFraction, LnW, Q };

    // The text of a distance as the window shows it: four decimals, or "–"
    // before any collision.
    static QString distanceText(std::optional<double> distance, char decimalPoint);

    // Controls.
    QChartView *compositionView = nullptr;
    QCheckBox *chkLogarithmic = nullptr;
    QLabel *lblNotShown = nullptr;
    QLabel *lblDistance = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *lblModeP = nullptr;
    QLabel *lblModeQ = nullptr;
    QLabel *lblMeanObserved = nullptr;
    QLabel *lblMeanExact = nullptr;
    QLabel *lblSdObserved = nullptr;
    QLabel *lblSdExact = nullptr;
    QChartView *courseView = nullptr;
    std::array<QRadioButton *, 3> optCourse{}; // HD fraction, ln W, Q
    QLabel *lblHorizon = nullptr;
    // Per reaction (forward, reverse, HD + HD without reacting): the count,
    // the recent rate and the exact ones for the current composition and at
    // equilibrium.
    std::array<QLabel *, 3> lblCount{};
    std::array<QLabel *, 3> lblRecent{};
    std::array<QLabel *, 3> lblExpectedNow{};
    std::array<QLabel *, 3> lblExpectedEquilibrium{};
    QPushButton *cmdSavePicture = nullptr;
    QPushButton *cmdSaveData = nullptr;
    // The last collisions in words, shown while the user steps (Run, Step).
    QGroupBox *fraSteps = nullptr;
    QPlainTextEdit *txtSteps = nullptr;

    // The series of the plots, for tests that read what is drawn.
    QLineSeries *exactOutline = nullptr;        // exact P of each composition
    QAreaSeries *observedBars = nullptr;        // observed share of each composition
    QLineSeries *courseLine = nullptr;          // the run's course
    QLineSeries *approachLine = nullptr;        // the expected approach
    QAreaSeries *exactBand = nullptr;           // one standard deviation about the mean
    QLineSeries *exactMeanLine = nullptr;       // the exact mean
    QLineSeries *equilibriumConstant = nullptr; // K = 4, shown with Q
    // One vertical line per revision shown.
    std::vector<QLineSeries *> revisionLines;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void chkLogarithmic_Click();
    void optCourse_Click();
    void cmdSavePicture_Click();
    void cmdSaveData_Click();

private:
    void buildControls();
    QChart *newChart(const QString &name);
    // Chart colours from the palette: the dark theme under a dark palette.
    void applyPalette();
    // True when the run's observations are of the system set up now.
    bool runOfThisSystem() const;
    // The collisions spent per composition in the run going on (none before
    // it starts).
    StayShares currentShares() const;
    void updateExact();
    void updateApproach();
    void showCompositions(const StayShares &shares);
    void showSummary(const StayShares &shares);
    void showCourse();
    void showReactions();
    void showSteps();
    void useProbabilityAxis();
    void ShowMessage(const QString &text);
    QString fixed(double value, int decimals) const;
    QString probability(double p) const;
    QString spread(double sd) const;

    const Simulation &sim_;
    long long refreshes_ = 0;

    // The exact distribution of the atoms it was worked out for.
    ExactDistribution exact_;
    bool exactValid_ = false;
    std::int64_t exactH_ = -1, exactD_ = -1;
    double meanLnW_ = 0, sdLnW_ = 0;
    ReactionProbabilities equilibriumRates_;
    // The expected approach from the start it was worked out for.
    ExpectedApproach approach_;
    std::optional<Composition> approachStart_;

    // The counts and collisions at the last refresh, for the recent rates.
    ReactionCounts lastCounts_;
    std::int64_t lastCollisions_ = -1;
    std::array<QString, 3> recentTexts_;

    QChart *compositionChart_ = nullptr;
    QValueAxis *fractionAxis_ = nullptr;
    QValueAxis *linearAxis_ = nullptr;
    QLogValueAxis *logAxis_ = nullptr;
    QLineSeries *observedTop_ = nullptr; // the upper edge of observedBars
    QChart *courseChart_ = nullptr;
    QValueAxis *collisionAxis_ = nullptr;
    QValueAxis *courseAxis_ = nullptr;
    QLineSeries *bandUpper_ = nullptr;
    QLineSeries *bandLower_ = nullptr;
};

} // namespace kormix::ui
