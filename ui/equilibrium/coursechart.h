// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The course chart of the equilibrium window: the run's HD fraction, ln W or
// Q against collisions, with the exact mean and a band of one standard
// deviation about it, the exact expected approach from the run's start, the
// equilibrium constant K beside Q, and a mark at every revision.
#pragma once

#include "core/equilibrium/approach.h"
#include "core/equilibrium/course.h"
#include "core/equilibrium/summaries.h"
#include "ui/equilibrium/chartparts.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAreaSeries;
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
        // Of the run's system; null while the course is not of a run of it.
        const ExactDistribution *exact = nullptr;
        Moments lnW; // ln W over the exact distribution
        // From the run's start, of startMolecules molecules; may be empty.
        const ExpectedApproach *approach = nullptr;
        std::int64_t startMolecules = 0;
    };

    explicit CourseChart(QWidget *parent = nullptr);
    ~CourseChart() override;

    // Draws the course with the theory beside it. In the series' collision
    // numbers the run going on began at runStart and is `collisions` long.
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
    QLabel *lblHorizon = nullptr;
    ChartLegend *legend = nullptr;
    // The series drawn, for tests that read them.
    QLineSeries *courseLine = nullptr;          // the run's course
    QLineSeries *approachLine = nullptr;        // the expected approach
    QAreaSeries *exactBand = nullptr;           // one standard deviation about the mean
    QLineSeries *exactMeanLine = nullptr;       // the exact mean
    QLineSeries *equilibriumConstant = nullptr; // K = 4, shown with Q
    std::vector<QLineSeries *> revisionLines;   // one per revision shown

signals:
    // Another quantity was chosen: the course is to be drawn again.
    void quantityChanged();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void optCourse_Click(bool checked);

private:
    void buildChart();
    void buildOptions();
    void applyPalette();
    // The mean and its band, K and the expected approach, from xStart to
    // xEnd; returns the line under the plot that says what they are.
    QString showTheory(
            const Theory &theory, double runStart, double xStart, double xEnd, Extent &extent);
    void showRevisions(const std::vector<std::int64_t> &marks, double low, double high);
    void showLegend();

    QChart *chart_ = nullptr;
    std::unique_ptr<TickedAxis> collisionAxis_;
    std::unique_ptr<TickedAxis> courseAxis_;
    QLineSeries *bandUpper_ = nullptr;
    QLineSeries *bandLower_ = nullptr;
};

} // namespace kormix::ui
