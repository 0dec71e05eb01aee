// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium window: what the theory says the run must do beside what it
// does, at the model the collisions go to (statistics only, or hydrogen at a
// temperature). It lays out its pieces (the compositions chart with the
// exact and observed values beside it, the course chart, the reactions table
// with the chart of K against the temperature beside it and, while the user
// steps, the last collisions in words) and brings them up to the run, which
// it only reads.
//
// It is modeless and may stay open while collisions run; its owner asks it to
// refresh, at most ten times a second while collisions run. It never grows
// past the screen it is on: what does not fit scrolls, and on a narrow screen
// the pieces stand in one column.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/summaries.h"
#include "core/equilibrium/tables.h"
#include "ui/common/savefile.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QGridLayout;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace kormix {
class Simulation;
class StayShares;
} // namespace kormix

namespace kormix::ui {

class CompositionsChart;
class ConstantChart;
class CourseChart;
class FittingScrollArea;
class ReactionsTable;
class SummaryBox;

class FrmEquilibrium : public QWidget
{
    Q_OBJECT

public:
    explicit FrmEquilibrium(const Simulation &sim, QWidget *parent = nullptr);
    ~FrmEquilibrium() override;

    // Brings every part of the window up to the state of the simulation.
    void refresh();
    // The compositions table as the window shows it, brought up to date; nothing
    // while there is no system.
    std::optional<std::vector<CompositionLine>> compositionsNow();
    // How many refreshes the window has done since it was built.
    long long refreshes() const { return refreshes_; }

    // The size the window would like, within the room its screen leaves.
    QSize sizeHint() const override;

    // Asks where to save; an empty path means the user cancelled. The window
    // asks through a file dialog; tests replace it so that no dialog blocks.
    // Arguments: the dialog's caption, the suggested file name and the filter.
    AskSavePath askSavePath;

    // The pieces.
    CompositionsChart *compositions = nullptr;
    SummaryBox *summary = nullptr;
    ConstantChart *constant = nullptr;
    CourseChart *course = nullptr;
    ReactionsTable *reactions = nullptr;
    // The last collisions in words, shown while the user steps (Run, Step).
    QGroupBox *fraSteps = nullptr;
    QPlainTextEdit *txtSteps = nullptr;
    QPushButton *cmdSavePicture = nullptr;
    QPushButton *cmdSaveData = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void cmdSavePicture_Click();
    void cmdSaveData_Click();
    // Never larger than the room the window's screen leaves; never narrower
    // than its content in one column, where the screen is wider.
    void fitScreen();

private:
    void buildControls();
    // Places the pieces in two columns, or else in one.
    void arrange(bool wide);
    std::array<QWidget *, 6> pieces() const;
    // The least width of the window for its content in one column, in two,
    // and whether the window has the latter.
    int oneColumnWidth() const;
    int twoColumnsWidth() const;
    bool fitsTwoColumns() const;
    // The room the window's screen leaves for the window, its frame taken off.
    QSize room() const;
    // True when the run's observations are of the system set up now.
    bool runOfThisSystem() const;
    // The collisions spent per composition in the run going on (none before
    // it starts).
    StayShares currentShares() const;
    void updateExact();
    void showCourse();
    void showReactions();
    void showSteps();

    const Simulation &sim_;
    long long refreshes_ = 0;

    FittingScrollArea *scroll_ = nullptr;
    QWidget *content_ = nullptr;
    QGridLayout *grid_ = nullptr;
    bool wide_ = true;

    // The exact distribution of the atoms and the K it was worked out for.
    ExactDistribution exact_;
    bool exactValid_ = false;
    std::int64_t exactH_ = -1, exactD_ = -1;
    double exactK_ = 0;
    Moments lnW_;
    ReactionProbabilities equilibriumRates_;
};

} // namespace kormix::ui
