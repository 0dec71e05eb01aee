// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/constantchart.h"

#include "core/hydrogen/equilibriumconstant.h"
#include "core/numberformat.h"
#include "ui/equilibrium/valuetext.h"

#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QEvent>
#include <QLineSeries>
#include <QScatterSeries>

#include <cmath>

namespace kormix::ui {

namespace {

// Points of the curve: K(T) changes smoothly in ln T.
constexpr int kCurvePoints = 120;
// The K axis runs from 0 to a little above 4.
constexpr double kTopK = 4.2;

} // namespace

ConstantChart::ConstantChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("constant");
    buildChart();
    constantView = new PlotView(chart_, {24, 12}, {18, 11}, this);
    constantView->setObjectName("constantView");
    constantView->setAccessibleName(tr("K against temperature"));
    constantView->setAccessibleDescription(
            tr("The equilibrium constant K of real hydrogen from 20 K to 3000 K on a logarithmic "
               "temperature axis: 0.137 at 20 K, 3.26 at room temperature, close to the 4 of "
               "counting alone when hot. The temperature chosen is marked on the curve."));
    constantView->setToolTip(constantView->accessibleDescription());
    legend = new ChartLegend("constantLegend", this);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(constantView, 1);
    all->addWidget(legend);
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        temperatureAxis_->fit();
        constantAxis_->fit();
    });
    applyPalette();
    showModel(EquilibriumModel{}, '.');
}

ConstantChart::~ConstantChart() = default;

void ConstantChart::buildChart()
{
    chart_ = newChart("constantChart");
    temperatureAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Horizontal);
    temperatureAxis_->axis()->setTitleText(tr("temperature in kelvin"));
    constantAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Vertical);
    constantAxis_->axis()->setTitleText(tr("K"));
    // The axes' places are known before any point is: the points go there.
    temperatureAxis_->showLogarithmic(kMinKelvin, kMaxKelvin, '.');
    constantAxis_->show(0, kTopK, 0, false, '.');

    curve = new QLineSeries;
    curve->setObjectName("curve");
    curve->setName(tr("K(T) of real hydrogen"));
    QList<QPointF> points;
    const double span = std::log(kMaxKelvin / kMinKelvin);
    for (int i = 0; i < kCurvePoints; ++i) {
        const double kelvin = kMinKelvin * std::exp(span * i / (kCurvePoints - 1));
        points << QPointF(temperatureAxis_->position(kelvin), equilibriumConstant(kelvin));
    }
    curve->replace(points);
    limitLine = new QLineSeries;
    limitLine->setObjectName("limitLine");
    limitLine->setName(ValueText::model(EquilibriumModel{}, '.'));
    limitLine->replace(QList<QPointF>{{temperatureAxis_->position(kMinKelvin), kStatisticsOnlyK},
                                      {temperatureAxis_->position(kMaxKelvin), kStatisticsOnlyK}});
    markLine = new QLineSeries;
    markLine->setObjectName("markLine");
    mark = new QScatterSeries;
    mark->setObjectName("mark");
    mark->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    for (QAbstractSeries *series :
         std::initializer_list<QAbstractSeries *>{limitLine, curve, markLine, mark}) {
        chart_->addSeries(series);
        series->attachAxis(temperatureAxis_->axis());
        series->attachAxis(constantAxis_->axis());
    }
}

void ConstantChart::showModel(const EquilibriumModel &model, char decimalPoint)
{
    shown_ = model;
    decimalPoint_ = decimalPoint;
    temperatureAxis_->showLogarithmic(kMinKelvin, kMaxKelvin, decimalPoint);
    constantAxis_->show(0, kTopK, 0, false, decimalPoint);
    if (model.statisticsOnly()) {
        markLine->clear();
        mark->clear();
    } else {
        const double x = temperatureAxis_->position(model.kelvin());
        markLine->replace(QList<QPointF>{{x, 0}, {x, model.K()}});
        mark->replace(QList<QPointF>{{x, model.K()}});
    }
    //: The temperature chosen, as the legend of the K(T) chart names its mark
    //: (%1 K: kelvin).
    mark->setName(tr("chosen: %1 K")
                          .arg(QString::fromStdString(numberToText(model.kelvin(), decimalPoint))));
    showLegend();
}

void ConstantChart::applyPalette()
{
    if (!legend)
        return; // still being built
    paintChart(chart_, palette(), font());
    const ChartColours colours = ChartColours::of(palette());
    curve->setPen(QPen(colours.observed, 2));
    limitLine->setPen(QPen(colours.constant, 2, Qt::DashDotLine));
    markLine->setPen(QPen(colours.course, 1.5, Qt::DotLine));
    mark->setColor(colours.course);
    mark->setBorderColor(colours.course);
    mark->setMarkerSize(fontMetrics().height() / 2.0);
    showLegend();
}

void ConstantChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        applyPalette();
}

void ConstantChart::showLegend()
{
    const ChartColours colours = ChartColours::of(palette());
    QList<ChartLegend::Entry> entries{{ChartLegend::kLine, colours.observed, curve->name()},
                                      {ChartLegend::kDashDot, colours.constant, limitLine->name()}};
    if (mark->count() > 0)
        entries.append({ChartLegend::kDot, colours.course, mark->name()});
    legend->setEntries(entries);
}

} // namespace kormix::ui
