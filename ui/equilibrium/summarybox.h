// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact values of the system beside what the run observed: the model the
// collisions go to, the distance of the run's shares from the exact
// distribution, the most probable composition with its P and Q beside the
// one with the most microstates, the mean and spread of the HD fraction and
// the mean number of HD, and the run's estimate of K beside K.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/stayshares.h"

#include <QGroupBox>

class QGridLayout;
class QEvent;
class QLabel;

namespace kormix::ui {

class SummaryBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit SummaryBox(QWidget *parent = nullptr);

    // The values of `exact` (at the model's K) and of the run's shares (empty
    // before it starts); "–" throughout for an empty distribution.
    void showRun(const EquilibriumModel &model,
                 const ExactDistribution &exact,
                 const StayShares &shares,
                 char decimalPoint);

    QLabel *lblModel = nullptr;
    QLabel *lblDistance = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *lblModeP = nullptr;
    QLabel *lblModeQ = nullptr;
    QLabel *lblMostW = nullptr;    // the composition with the most microstates
    QLabel *lblModeNote = nullptr; // shown when it is not the most probable one
    QLabel *lblMeanObserved = nullptr;
    QLabel *lblMeanExact = nullptr;
    QLabel *lblMeanHDObserved = nullptr; // the mean number of HD molecules
    QLabel *lblMeanHDExact = nullptr;
    QLabel *lblSdObserved = nullptr;
    QLabel *lblSdExact = nullptr;
    QLabel *lblKObserved = nullptr; // the run's estimate of K
    QLabel *lblKExact = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    // The most probable composition and the one with the most microstates.
    void buildCompositions(QGridLayout *grid);
    // The observed and exact values, from this row of the grid on.
    void buildTable(QGridLayout *grid, int row);
    void showCompositions(const ExactDistribution &exact, char decimalPoint);
    void showObserved(const ExactDistribution &exact, const StayShares &shares, char decimalPoint);
    QString modeText(const ExactDistribution &exact) const;
};

} // namespace kormix::ui
