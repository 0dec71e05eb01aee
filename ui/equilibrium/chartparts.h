// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the equilibrium window's two charts share: a chart and its view set up
// alike, the colours of the series under a light or a dark palette, value
// axes with ticks of the window's own choosing (round, as many as their
// texts leave room for, never two alike, with the program's decimal
// separator), and a legend under the chart that wraps its entries rather than
// cutting them.
#pragma once

#include "core/axisticks.h"

#include <QChartView>
#include <QColor>
#include <QLabel>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

class QCategoryAxis;
class QFontMetrics;
class QChart;

namespace kormix {
struct PlotPoint;
}

namespace kormix::ui {

// A chart with the window's margins and no legend of its own.
QChart *newChart(const QString &name);

// A chart's view with a least size and a size it would rather have, both in
// lines of its font (and never less than the chart needs). Its size hint is
// the least size and it takes any room it is given beyond that: in a layout whose wrapped texts make it ask for
// heights for widths, a larger hint would be the least height the layout
// gets. The window asks for the room the views would rather have itself.
// Charts of many points are drawn without antialiasing: ten times a second
// while collisions run, that costs a fraction.
class PlotView : public QChartView
{
public:
    PlotView(QChart *chart, QSizeF preferredLines, QSizeF leastLines, QWidget *parent);
    QSize sizeHint() const override;
    // What the view would rather have beyond its least size.
    QSize wantedGrowth() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QSize inLines(QSizeF lines) const;
    void keepLeastSize();
    QSizeF preferred_, least_;
};

// The colours of the charts' series under a palette.
struct ChartColours
{
    QColor text;     // the exact outline, the exact mean
    QColor observed; // the observed bars, the expected approach
    QColor course;   // the run's course
    QColor band;     // one standard deviation about the exact mean
    QColor constant; // K
    QColor revision; // the marks at revisions

    static ChartColours of(const QPalette &palette);
};

// Gives the chart the palette's background, the dark theme under a dark
// palette, and the font of the window to its axes.
void paintChart(QChart *chart, const QPalette &palette, const QFont &font);

// A value axis whose ticks the window chooses, on a linear or a logarithmic
// scale: as many as fit the plot's length with their texts side by side (a
// horizontal axis) or more than a line and a half apart (a vertical one). The chart owns the axis; this keeps what it was asked to
// show, so that a plot that changes its size gets ticks that fit it again.
class TickedAxis
{
public:
    TickedAxis(QChart *chart, Qt::Orientation orientation);
    QCategoryAxis *axis() const { return axis_; }

    // Shows [low, high] with ticks never finer than minStep, the range widened
    // to the outer ticks with `widen`.
    void show(double low, double high, double minStep, bool widen, char decimalPoint);
    // Shows [low, high] (0 < low < high) on a logarithmic scale: the axis
    // runs over the decimal logarithms of the values, with ticks at the
    // round values of logTicks.
    void showLogarithmic(double low, double high, char decimalPoint);
    // Where a value stands along the axis: the value itself, or on a
    // logarithmic axis its decimal logarithm. Series on the axis give their
    // points there.
    double position(double value) const;
    bool logarithmic() const { return logarithmic_; }
    // The same range again, with as many ticks as fit the plot now.
    void fit();

private:
    // The ticks of at most `most`, at their places along the axis, and the
    // range of the axis there.
    struct Placement
    {
        QList<double> at;
        QStringList labels;
        double low = 0, high = 1;
    };
    Placement placement(int most) const;
    // The most ticks whose texts fit the plot's length.
    void place();
    void keepRoomRight(const QStringList &labels, const QFontMetrics &metrics);

    QChart *chart_;
    QCategoryAxis *axis_;
    Qt::Orientation orientation_;
    double low_ = 0, high_ = 1, minStep_ = 0;
    bool widen_ = false;
    bool logarithmic_ = false;
    char decimalPoint_ = '.';
};

// The points as the chart takes them.
QList<QPointF> toPoints(const std::vector<PlotPoint> &points);

// The legend under a chart: a swatch in the series' colour before each name,
// entries wrapped onto as many lines as the width needs, each entry whole on
// its line (the legend is never narrower than its widest entry).
class ChartLegend : public QLabel
{
public:
    // Swatches that look like the series they stand for.
    static const QString kFilled, kOutline, kLine, kDashed, kDashDot, kDotted, kDot;

    struct Entry
    {
        QString swatch;
        QColor colour;
        QString name;
    };

    explicit ChartLegend(const QString &name, QWidget *parent);
    void setEntries(const QList<Entry> &entries);
};

} // namespace kormix::ui
