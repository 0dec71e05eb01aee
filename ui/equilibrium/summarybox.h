// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The exact values of the system beside what the run observed: the distance
// of the run's shares from the exact distribution, the most probable
// composition with its P and Q, and the mean and spread of the HD fraction.
#pragma once

#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/stayshares.h"

#include <QGroupBox>

class QLabel;

namespace kormix::ui {

class SummaryBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit SummaryBox(QWidget *parent = nullptr);

    // The values of `exact` and of the run's shares (empty before it starts);
    // "–" throughout for an empty distribution.
    void showRun(const ExactDistribution &exact, const StayShares &shares, char decimalPoint);

    QLabel *lblDistance = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *lblModeP = nullptr;
    QLabel *lblModeQ = nullptr;
    QLabel *lblMeanObserved = nullptr;
    QLabel *lblMeanExact = nullptr;
    QLabel *lblSdObserved = nullptr;
    QLabel *lblSdExact = nullptr;

private:
    void buildControls();
    QString modeText(const ExactDistribution &exact) const;
};

} // namespace kormix::ui
