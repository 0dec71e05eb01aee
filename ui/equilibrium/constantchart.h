// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The small chart of the equilibrium window that shows K(T) of real hydrogen
// from 20 K to 3000 K on a logarithmic temperature axis, the K = 4 of
// counting alone it tends to when hot, and the temperature chosen (Run,
// Temperature...) marked on the curve.
#pragma once

#include "core/equilibrium/model.h"
#include "ui/equilibrium/chartparts.h"

#include <QWidget>

#include <memory>

class QLineSeries;
class QScatterSeries;

namespace kormix::ui {

class ConstantChart : public QWidget
{
    Q_OBJECT

public:
    explicit ConstantChart(QWidget *parent = nullptr);
    ~ConstantChart() override;

    // Marks the model's temperature; statistics only marks none.
    void showModel(const EquilibriumModel &model, char decimalPoint);

    // Controls.
    PlotView *constantView = nullptr;
    ChartLegend *legend = nullptr;
    // The series drawn, for tests that read them.
    QLineSeries *curve = nullptr;     // K(T), at temperatures evenly spaced in ln T
    QLineSeries *limitLine = nullptr; // K = 4, counting alone
    QLineSeries *markLine = nullptr;  // up from the axis at the temperature chosen
    QScatterSeries *mark = nullptr;   // K at the temperature chosen

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildChart();
    void applyPalette();
    void showLegend();

    QChart *chart_ = nullptr;
    std::unique_ptr<TickedAxis> temperatureAxis_;
    std::unique_ptr<TickedAxis> constantAxis_;
    EquilibriumModel shown_;
    char decimalPoint_ = '.';
};

} // namespace kormix::ui
