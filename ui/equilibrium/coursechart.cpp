// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/coursechart.h"

#include "core/numberformat.h"
#include "ui/equilibrium/valuetext.h"

#include <QAreaSeries>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineSeries>
#include <QRadioButton>

#include <algorithm>
#include <tuple>

namespace kormix::ui {

namespace {

// Revisions beyond this many are not drawn as lines.
constexpr std::size_t kMaxRevisionLines = 64;

QPen revisionPen(const ChartColours &colours)
{
    return QPen(colours.revision, 1.5, Qt::DotLine);
}

} // namespace

CourseChart::CourseChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("course");
    buildChart();
    courseView = new PlotView(chart_, {30, 14}, {20, 12}, this);
    courseView->setObjectName("courseView");
    courseView->setAccessibleName(tr("the run against collisions"));
    legend = new ChartLegend("courseLegend", this);
    buildOptions();
    lblHorizon = new QLabel(this);
    lblHorizon->setObjectName("lblHorizon");
    lblHorizon->setWordWrap(true);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(courseView, 1);
    all->addWidget(legend);
    all->addWidget(fraCourse);
    all->addWidget(lblHorizon);
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        collisionAxis_->fit();
        courseAxis_->fit();
    });
    applyPalette();
}

CourseChart::~CourseChart() = default;

void CourseChart::buildChart()
{
    chart_ = newChart("courseChart");
    collisionAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Horizontal);
    collisionAxis_->axis()->setTitleText(tr("collisions"));
    courseAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Vertical);

    bandUpper_ = new QLineSeries(chart_);
    bandLower_ = new QLineSeries(chart_);
    exactBand = new QAreaSeries(bandUpper_, bandLower_);
    exactBand->setObjectName("exactBand");
    exactBand->setName(tr("exact mean ± 1 standard deviation"));
    exactMeanLine = new QLineSeries;
    exactMeanLine->setObjectName("exactMeanLine");
    exactMeanLine->setName(tr("exact mean"));
    approachLine = new QLineSeries;
    approachLine->setObjectName("approachLine");
    approachLine->setName(tr("expected from the run's start"));
    equilibriumConstant = new QLineSeries;
    equilibriumConstant->setObjectName("equilibriumConstant");
    courseLine = new QLineSeries;
    courseLine->setObjectName("courseLine");
    courseLine->setName(tr("this run"));
    // The run first, the theory drawn over it: a long run's course is a dense
    // band of its own.
    QAbstractSeries *order[] = {courseLine,
                                exactBand,
                                exactMeanLine,
                                approachLine,
                                equilibriumConstant};
    for (QAbstractSeries *series : order) {
        chart_->addSeries(series);
        series->attachAxis(collisionAxis_->axis());
        series->attachAxis(courseAxis_->axis());
    }
}

void CourseChart::buildOptions()
{
    fraCourse = new QWidget(this);
    fraCourse->setObjectName("fraCourse");
    auto *options = new QHBoxLayout(fraCourse);
    options->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(tr("plot against collisions:"), fraCourse);
    caption->setObjectName("Label_course");
    options->addWidget(caption);
    const char *names[] = {QT_TR_NOOP("HD fraction"), QT_TR_NOOP("ln W"), QT_TR_NOOP("Q")};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        QRadioButton *&option = optCourse[std::size_t(i)];
        option = new QRadioButton(tr(names[i]), fraCourse);
        option->setObjectName(QString("optCourse_%1").arg(i));
        group->addButton(option, i);
        options->addWidget(option);
        connect(option, &QRadioButton::toggled, this, &CourseChart::optCourse_Click);
    }
    options->addStretch(1);
    optCourse[0]->setChecked(true);
    chkLogarithmic = new QCheckBox(tr("logarithmic"), fraCourse);
    chkLogarithmic->setObjectName("chkLogCollisions");
    chkLogarithmic->setToolTip(tr("Collisions axis on a logarithmic scale: shows the approach "
                                  "from the run's start and the long run in one picture"));
    options->addWidget(chkLogarithmic);
    connect(chkLogarithmic, &QCheckBox::toggled, this, &CourseChart::chkLogarithmic_Click);
}

void CourseChart::chkLogarithmic_Click()
{
    emit quantityChanged();
}

void CourseChart::optCourse_Click(bool checked)
{
    if (checked)
        emit quantityChanged();
}

CourseQuantity CourseChart::quantity() const
{
    return optCourse[1]->isChecked()   ? CourseQuantity::LnW
           : optCourse[2]->isChecked() ? CourseQuantity::Q
                                       : CourseQuantity::HDFraction;
}

void CourseChart::applyPalette()
{
    if (!legend)
        return; // still being built
    paintChart(chart_, palette(), font());
    const ChartColours colours = ChartColours::of(palette());
    courseLine->setPen(QPen(colours.course, 1));
    exactBand->setBrush(colours.band);
    exactBand->setPen(Qt::NoPen);
    exactMeanLine->setPen(QPen(colours.text, 1, Qt::DashLine));
    approachLine->setPen(QPen(colours.observed, 2));
    equilibriumConstant->setPen(QPen(colours.constant, 2.5, Qt::DashDotLine));
    for (QLineSeries *line : revisionLines)
        line->setPen(revisionPen(colours));
    showLegend();
}

void CourseChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        applyPalette();
}

void CourseChart::showLegend()
{
    // The legend names only what the plot shows.
    const ChartColours colours = ChartColours::of(palette());
    QList<ChartLegend::Entry> entries{{ChartLegend::kLine, colours.course, courseLine->name()}};
    if (bandUpper_->count() > 0)
        entries.append({ChartLegend::kFilled, colours.band, exactBand->name()});
    if (approachLine->count() > 0)
        entries.append({ChartLegend::kLine, colours.observed, approachLine->name()});
    if (equilibriumConstant->count() > 0)
        entries.append({ChartLegend::kDashDot, colours.constant, equilibriumConstant->name()});
    if (!revisionLines.empty())
        entries.append({ChartLegend::kDotted, colours.revision, revisionLines[0]->name()});
    legend->setEntries(entries);
}

void CourseChart::showRun(const RunSeries &series,
                          std::int64_t runStart,
                          std::int64_t collisions,
                          const Theory &theory,
                          char decimalPoint)
{
    const CourseQuantity shown = quantity();
    const std::vector<SeriesPoint> &points = series.points();
    double xStart = points.empty() ? 0 : double(points.front().collision);
    double xEnd = points.empty() ? 1 : double(points.back().collision);
    const bool current = theory.exact && !points.empty();
    if (current)
        xEnd = std::max(xEnd, double(runStart + collisions));
    if (xEnd <= xStart)
        xEnd = xStart + 1;
    std::tie(xStart, xEnd) = showCollisionAxis(xStart, xEnd, decimalPoint);

    const std::vector<PlotPoint> line = placed(coursePoints(series, shown), xStart);
    Extent extent;
    extent.include(line);
    // Columns two pixels wide: the course of a long run is a dense band at
    // any width, and half the points halve the cost of drawing it.
    const int columns = std::max(100, int(chart_->plotArea().width()) / 2);
    courseLine->replace(toPoints(envelope(line,
                                          collisionAxis_->position(xStart),
                                          collisionAxis_->position(xEnd),
                                          columns)));

    const QString horizon = showTheory(current ? theory : Theory{},
                                       double(runStart),
                                       xStart,
                                       xEnd,
                                       extent);
    lblHorizon->setText(horizon);
    courseView->setToolTip(horizon);

    const double K = current ? theory.exact->K : kStatisticsOnlyK;
    equilibriumConstant->setName(tr("K = %1").arg(ValueText::constant(K, decimalPoint)));
    const ValueRange range = courseRange(shown, extent, K);
    courseAxis_->axis()->setTitleText(shown == CourseQuantity::HDFraction ? tr("HD fraction")
                                      : shown == CourseQuantity::LnW      ? tr("ln W")
                                                                          : tr("Q"));
    courseAxis_->show(range.low, range.high, 0, false, decimalPoint);
    showRevisions(series.revisions(), range.low, range.high);
    showLegend();
}

std::pair<double, double> CourseChart::showCollisionAxis(double xStart,
                                                         double xEnd,
                                                         char decimalPoint)
{
    if (!chkLogarithmic->isChecked()) {
        collisionAxis_->show(xStart, xEnd, 1, false, decimalPoint);
        return {xStart, xEnd};
    }
    // At least a decade: the first collisions and the long run in one picture.
    xStart = std::max(xStart, 1.0);
    xEnd = std::max(xEnd, 10 * xStart);
    collisionAxis_->showLogarithmic(xStart, xEnd, decimalPoint);
    return {xStart, xEnd};
}

std::vector<PlotPoint> CourseChart::placed(const std::vector<PlotPoint> &points, double from) const
{
    if (!collisionAxis_->logarithmic())
        return points;
    return onLogarithmicAxis(points, from);
}

QString CourseChart::showTheory(
        const Theory &theory, double runStart, double xStart, double xEnd, Extent &extent)
{
    const CourseQuantity shown = quantity();
    QList<QPointF> mean, upper, lower, constant;
    QString horizon;
    const double from = collisionAxis_->position(std::max(runStart, xStart));
    const double left = collisionAxis_->position(xStart);
    const double right = collisionAxis_->position(xEnd);
    if (theory.exact && shown != CourseQuantity::Q) {
        const bool fraction = shown == CourseQuantity::HDFraction;
        const double m = fraction ? theory.exact->meanFraction : theory.lnW.mean;
        const double s = fraction ? theory.exact->sdFraction : theory.lnW.sd;
        mean << QPointF(from, m) << QPointF(right, m);
        upper << QPointF(from, m + s) << QPointF(right, m + s);
        lower << QPointF(from, m - s) << QPointF(right, m - s);
        extent.include(m + s);
        extent.include(m - s);
    }
    if (theory.exact && shown == CourseQuantity::LnW) {
        horizon = tr("ln W of the run and its exact mean over the equilibrium, with one standard "
                     "deviation about it.");
    } else if (theory.exact && shown == CourseQuantity::Q) {
        const double K = theory.exact->K;
        constant << QPointF(left, K) << QPointF(right, K);
        extent.include(K);
        horizon = tr("Q of the run (left out while there is no H2 or no D2) and the equilibrium "
                     "constant K it settles about.");
    }
    approachLine->clear();
    if (theory.exact && shown == CourseQuantity::HDFraction)
        horizon = showApproach(theory, runStart, xStart, xEnd);
    exactMeanLine->replace(mean);
    bandUpper_->replace(upper);
    bandLower_->replace(lower);
    equilibriumConstant->replace(constant);
    return horizon;
}

QString CourseChart::showApproach(const Theory &theory, double runStart, double xStart, double xEnd)
{
    const std::int64_t n = theory.start.molecules();
    if (n < 2)
        return {};
    const bool logarithmic = collisionAxis_->logarithmic();
    const ExpectedApproach &approach = approach_.covering(theory.start,
                                                          theory.exact->K,
                                                          std::int64_t(xEnd - runStart),
                                                          logarithmic ? ApproachSpacing::Geometric
                                                                      : ApproachSpacing::Even);
    std::vector<PlotPoint> points;
    for (const ApproachPoint &a : approach.points) {
        const double x = runStart + double(a.collisions);
        if (x > xEnd)
            break;
        points.push_back({x, a.meanHD / double(n)});
    }
    approachLine->replace(toPoints(placed(points, xStart)));
    return tr("The expected approach is the exact mean HD fraction from the start of the run "
              "or of its last change of temperature; it covers the first %1 collisions from "
              "there.")
            .arg(QString::fromStdString(integerToText(approach.horizon)));
}

void CourseChart::showRevisions(const std::vector<std::int64_t> &marks, double low, double high)
{
    const std::size_t wanted = std::min(marks.size(), kMaxRevisionLines);
    while (revisionLines.size() > wanted) {
        QLineSeries *gone = revisionLines.back();
        revisionLines.pop_back();
        chart_->removeSeries(gone);
        delete gone;
    }
    while (revisionLines.size() < wanted) {
        auto *mark = new QLineSeries;
        mark->setObjectName(QString("revisionLine_%1").arg(revisionLines.size()));
        mark->setName(tr("revision or change of temperature"));
        chart_->addSeries(mark);
        mark->setPen(revisionPen(ChartColours::of(palette()))); // over the theme's
        mark->attachAxis(collisionAxis_->axis());
        mark->attachAxis(courseAxis_->axis());
        revisionLines.push_back(mark);
    }
    for (std::size_t i = 0; i < wanted; ++i) {
        // A mark before the first collision has no place on a logarithmic
        // axis: it stands at the axis' start.
        const double mark = double(marks[i]);
        const double x = collisionAxis_->position(
                collisionAxis_->logarithmic() ? std::max(mark, 1.0) : mark);
        revisionLines[i]->replace(QList<QPointF>{{x, low}, {x, high}});
    }
}

} // namespace kormix::ui
