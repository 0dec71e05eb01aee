// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/compositionschart.h"

#include "core/numberformat.h"

#include <QAreaSeries>
#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>

namespace kormix::ui {

CompositionsChart::CompositionsChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("compositions");
    buildChart();
    compositionView = new PlotView(chart_, {30, 17}, {20, 15}, this);
    compositionView->setObjectName("compositionView");
    compositionView->setAccessibleName(tr("compositions by HD fraction"));
    compositionView->setAccessibleDescription(
            tr("The exact probability of every composition as an outline and the share of the "
               "run's collisions spent in it as a filled bar, placed by the composition's HD "
               "fraction (HD molecules / all molecules)."));
    compositionView->setToolTip(compositionView->accessibleDescription());

    legend = new ChartLegend("compositionLegend", this);
    chkLogarithmic = new QCheckBox(tr("logarithmic"), this);
    chkLogarithmic->setObjectName("chkLogarithmic");
    chkLogarithmic->setToolTip(tr("Probability axis on a logarithmic scale: shows the compositions "
                                  "far from the most probable one"));
    lblNotShown = new QLabel(this);
    lblNotShown->setObjectName("lblNotShown");
    lblNotShown->setWordWrap(true);

    auto *under = new QHBoxLayout;
    under->addWidget(chkLogarithmic, 0, Qt::AlignTop);
    under->addWidget(lblNotShown, 1);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(compositionView, 1);
    all->addWidget(legend);
    all->addLayout(under);

    connect(chkLogarithmic, &QCheckBox::toggled, this, &CompositionsChart::chkLogarithmic_Click);
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        fractionAxis_->fit();
        if (linearAxis_)
            linearAxis_->fit();
    });
    applyPalette();
}

CompositionsChart::~CompositionsChart() = default;

void CompositionsChart::buildChart()
{
    chart_ = newChart("compositionChart");
    observedTop_ = new QLineSeries(chart_);
    auto *observedBase = new QLineSeries(chart_);
    observedBars = new QAreaSeries(observedTop_, observedBase);
    observedBars->setObjectName("observedBars");
    observedBars->setName(tr("observed share of collisions"));
    exactOutline = new QLineSeries;
    exactOutline->setObjectName("exactOutline");
    exactOutline->setName(tr("exact probability P"));
    chart_->addSeries(observedBars);
    chart_->addSeries(exactOutline);

    fractionAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Horizontal);
    fractionAxis_->axis()->setTitleText(tr("HD fraction"));
    observedBars->attachAxis(fractionAxis_->axis());
    exactOutline->attachAxis(fractionAxis_->axis());
    useProbabilityAxis();
}

void CompositionsChart::useProbabilityAxis()
{
    const bool logarithmic = chkLogarithmic && chkLogarithmic->isChecked();
    if (logarithmic == bool(logAxis_) && (logAxis_ || linearAxis_))
        return;
    // No bar may stand at 0 on a logarithmic axis: the bars are drawn anew
    // for the new axis.
    clearBars();
    QAbstractAxis *old = logAxis_      ? static_cast<QAbstractAxis *>(logAxis_)
                         : linearAxis_ ? linearAxis_->axis()
                                       : nullptr;
    if (old) {
        chart_->removeAxis(old);
        delete old;
    }
    linearAxis_.reset();
    logAxis_ = nullptr;
    QAbstractAxis *axis;
    if (logarithmic) {
        logAxis_ = new QLogValueAxis;
        logAxis_->setLabelFormat("%.0e");
        logAxis_->setBase(10);
        chart_->addAxis(logAxis_, Qt::AlignLeft);
        axis = logAxis_;
    } else {
        linearAxis_ = std::make_unique<TickedAxis>(chart_, Qt::Vertical);
        axis = linearAxis_->axis();
    }
    axis->setTitleText(tr("probability"));
    observedBars->attachAxis(axis);
    exactOutline->attachAxis(axis);
    applyPalette();
}

void CompositionsChart::applyPalette()
{
    if (!legend)
        return; // still being built
    paintChart(chart_, palette(), font());
    const ChartColours colours = ChartColours::of(palette());
    QColor fill = colours.observed;
    fill.setAlpha(150);
    observedBars->setBrush(fill);
    observedBars->setPen(QPen(colours.observed, 1));
    exactOutline->setPen(QPen(colours.text, 1.5));
    legend->setEntries({{ChartLegend::kFilled, fill, observedBars->name()},
                        {ChartLegend::kOutline, colours.text, exactOutline->name()}});
}

void CompositionsChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        applyPalette();
}

void CompositionsChart::chkLogarithmic_Click()
{
    useProbabilityAxis();
    emit scaleChanged();
}

void CompositionsChart::clearBars()
{
    exactOutline->clear();
    observedTop_->clear();
    observedBars->lowerSeries()->clear();
}

void CompositionsChart::showRun(const ExactDistribution &exact,
                                const StayShares &shares,
                                char decimalPoint)
{
    const CompositionBars shown = compositionBars(exact,
                                                  shares,
                                                  chkLogarithmic->isChecked(),
                                                  int(chart_->plotArea().width()));
    QStringList notes;
    if (shown.notKept > 0)
        notes << tr("%1 compositions with P below 1e-18 of the largest are not shown")
                         .arg(QString::fromStdString(integerToText(shown.notKept)));
    if (shown.group > 1)
        notes << tr("each bar stands for %1 neighbouring compositions (their mean)").arg(shown.group);
    lblNotShown->setText(notes.join("; "));
    if (shown.bars.empty()) {
        clearBars();
        return;
    }
    drawBars(shown);
    fractionAxis_->show(shown.xLow, shown.xHigh, 0, false, decimalPoint);
    showProbabilityAxis(shown, decimalPoint);
}

void CompositionsChart::drawBars(const CompositionBars &shown)
{
    const double base = shown.base;
    auto atLeastBase = [base](double v) { return std::max(v, base); };
    QList<QPointF> outline, bars;
    outline.reserve(qsizetype(4 * shown.bars.size()));
    bars.reserve(qsizetype(4 * shown.bars.size()));
    for (const CompositionBar &b : shown.bars) {
        const double p = atLeastBase(b.p), share = atLeastBase(b.share);
        if (shown.touching) {
            outline << QPointF(b.left, p) << QPointF(b.right, p);
            bars << QPointF(b.left, share) << QPointF(b.right, share);
        } else {
            outline << QPointF(b.left, base) << QPointF(b.left, p) << QPointF(b.right, p)
                    << QPointF(b.right, base);
            bars << QPointF(b.left, base) << QPointF(b.left, share) << QPointF(b.right, share)
                 << QPointF(b.right, base);
        }
    }
    exactOutline->replace(outline);
    observedTop_->replace(bars);
    observedBars->lowerSeries()->replace(
            QList<QPointF>{{shown.baseLeft, base}, {shown.baseRight, base}});
}

void CompositionsChart::showProbabilityAxis(const CompositionBars &shown, char decimalPoint)
{
    if (logAxis_) {
        const LogAxis range = logAxisFor(shown);
        logAxis_->setRange(range.low, range.high);
        logAxis_->setBase(range.base);
    } else {
        linearAxis_->show(0, shown.top * 1.05, 0, true, decimalPoint);
    }
}

} // namespace kormix::ui
