// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The course chart of the equilibrium window: the run's HD fraction, ln W or
// Q against collisions (on a linear or a logarithmic axis), with the exact
// mean and a band of one standard deviation about it, the exact expected
// approach from the run's start, the equilibrium constant K beside Q, and a
// mark at every revision and every change of the model.
#pragma once

#include "core/equilibrium/approach.h"
#include "core/equilibrium/course.h"
#include "core/equilibrium/summaries.h"
#include "ui/equilibrium/chartparts.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QAreaSeries;
class QCheckBox;
class QLabel;
class QLineSeries;
class QRadioButton;

namespace kormix::ui {

class CourseChart : public QWidget
{
    Q_OBJECT

public:
    // What the theory says of the run going on.
    struct Theory
    {
        // Of the run's system at the model's K; null while the course is
        // not of a run of it.
        const ExactDistribution *exact = nullptr;
        Moments lnW; // ln W over the exact distribution
        // Where the run going on began: its start, or where the model last
        // changed.
        Composition start;
    };

    explicit CourseChart(QWidget *parent = nullptr);
    ~CourseChart() override;

    // Draws the course with the theory beside it. In the series' collision
    // numbers the run going on began (or last changed its model) at
    // runStart, `collisions` ago. The expected approach covers what the
    // axis shows, as far as its budget allows (ShownApproach).
    void showRun(const RunSeries &series,
                 std::int64_t runStart,
                 std::int64_t collisions,
                 const Theory &theory,
                 char decimalPoint);
    CourseQuantity quantity() const;

    // Controls.
    PlotView *courseView = nullptr;
    QWidget *fraCourse = nullptr;              // the options
    std::array<QRadioButton *, 3> optCourse{}; // HD fraction, ln W, Q
    QCheckBox *chkLogarithmic = nullptr;       // a logarithmic collisions axis
    QLabel *lblHorizon = nullptr;
    ChartLegend *legend = nullptr;
    // The series drawn, for tests that read them.
    QLineSeries *courseLine = nullptr;          // the run's course
    QLineSeries *approachLine = nullptr;        // the expected approach
    QAreaSeries *exactBand = nullptr;           // one standard deviation about the mean
    QLineSeries *exactMeanLine = nullptr;       // the exact mean
    QLineSeries *equilibriumConstant = nullptr; // K of the model, shown with Q
    std::vector<QLineSeries *> revisionLines;   // one per revision or change shown

signals:
    // Another quantity or scale was chosen: the course is to be drawn again.
    void quantityChanged();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void optCourse_Click(bool checked);
    void chkLogarithmic_Click();

private:
    void buildChart();
    void buildOptions();
    void applyPalette();
    // The collisions axis over [xStart, xEnd]: from 1 on a logarithmic one,
    // where the run's start has no place. Returns the range shown.
    std::pair<double, double> showCollisionAxis(double xStart, double xEnd, char decimalPoint);
    // The points as the collisions axis places them, from `from` on.
    std::vector<PlotPoint> placed(const std::vector<PlotPoint> &points, double from) const;
    // The mean and its band, K and the expected approach, from xStart to
    // xEnd; returns the line under the plot that says what they are.
    QString showTheory(
            const Theory &theory, double runStart, double xStart, double xEnd, Extent &extent);
    // The expected approach from runStart, as far as xEnd.
    QString showApproach(const Theory &theory, double runStart, double xStart, double xEnd);
    void showRevisions(const std::vector<std::int64_t> &marks, double low, double high);
    void showLegend();

    ShownApproach approach_;
    QChart *chart_ = nullptr;
    std::unique_ptr<TickedAxis> collisionAxis_;
    std::unique_ptr<TickedAxis> courseAxis_;
    QLineSeries *bandUpper_ = nullptr;
    QLineSeries *bandLower_ = nullptr;
};

} // namespace kormix::ui
