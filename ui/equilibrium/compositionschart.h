// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The compositions chart of the equilibrium window: the exact probability P
// of every composition as an outline over the share of the run's collisions
// spent in it as a filled bar, placed by HD fraction, on a linear or a
// logarithmic probability axis.
#pragma once

#include "core/equilibrium/compositionbars.h"
#include "ui/equilibrium/chartparts.h"

#include <QWidget>

#include <memory>

class QAreaSeries;
class QCheckBox;
class QLabel;
class QLineSeries;
class QLogValueAxis;

namespace kormix::ui {

class CompositionsChart : public QWidget
{
    Q_OBJECT

public:
    explicit CompositionsChart(QWidget *parent = nullptr);
    ~CompositionsChart() override;

    // Draws the compositions of `exact` with the shares of the run going on
    // (empty before it starts); nothing for an empty distribution.
    void showRun(const ExactDistribution &exact, const StayShares &shares, char decimalPoint);

    // Controls.
    PlotView *compositionView = nullptr;
    QCheckBox *chkLogarithmic = nullptr;
    QLabel *lblNotShown = nullptr; // compositions left out or grouped
    ChartLegend *legend = nullptr;
    // The series drawn, for tests that read them.
    QLineSeries *exactOutline = nullptr; // exact P of each composition
    QAreaSeries *observedBars = nullptr; // observed share of each composition

signals:
    // The probability axis changed between linear and logarithmic: the
    // compositions are to be drawn again.
    void scaleChanged();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void chkLogarithmic_Click();

private:
    void buildChart();
    // The probability axis the check box asks for, the other one removed.
    void useProbabilityAxis();
    void applyPalette();
    void clearBars();
    void drawBars(const CompositionBars &shown);
    void showProbabilityAxis(const CompositionBars &shown, char decimalPoint);

    QChart *chart_ = nullptr;
    std::unique_ptr<TickedAxis> fractionAxis_;
    std::unique_ptr<TickedAxis> linearAxis_;
    QLogValueAxis *logAxis_ = nullptr;
    QLineSeries *observedTop_ = nullptr; // the upper edge of observedBars
};

} // namespace kormix::ui
