// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/chartparts.h"

#include "core/equilibrium/course.h"
#include "ui/common/widgets.h"

#include <QCategoryAxis>
#include <QChart>
#include <QEvent>
#include <QFontMetrics>
#include <QLegend>

#include <algorithm>
#include <cmath>

namespace kormix::ui {

namespace {

// More ticks than this crowd a plot of any size.
constexpr int kMostTicks = 7;

QColor blend(const QColor &colour, const QColor &under)
{
    const double a = colour.alphaF();
    return QColor::fromRgbF(float(a * colour.redF() + (1 - a) * under.redF()),
                            float(a * colour.greenF() + (1 - a) * under.greenF()),
                            float(a * colour.blueF() + (1 - a) * under.blueF()));
}

} // namespace

QChart *newChart(const QString &name)
{
    auto *chart = new QChart;
    chart->setObjectName(name);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->hide(); // the window's own legend is under the chart
    return chart;
}

PlotView::PlotView(QChart *chart, QSizeF preferredLines, QSizeF leastLines, QWidget *parent)
    : QChartView(chart, parent)
    , preferred_(preferredLines)
    , least_(leastLines)
{
    setRenderHint(QPainter::Antialiasing, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    keepLeastSize();
}

void PlotView::keepLeastSize()
{
    setMinimumSize(inLines(least_).expandedTo(chart()->minimumSize().toSize()));
}

void PlotView::resizeEvent(QResizeEvent *event)
{
    // A chart view sets the chart's least size as its own at every resize.
    QChartView::resizeEvent(event);
    keepLeastSize();
}

void PlotView::changeEvent(QEvent *event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        keepLeastSize();
}

QSize PlotView::inLines(QSizeF lines) const
{
    const int line = fontMetrics().height();
    return QSize(int(lines.width() * line), int(lines.height() * line));
}

QSize PlotView::sizeHint() const
{
    return inLines(least_);
}

QSize PlotView::wantedGrowth() const
{
    return inLines(preferred_) - inLines(least_);
}

ChartColours ChartColours::of(const QPalette &palette)
{
    const bool dark = isDark(palette);
    ChartColours c;
    c.text = palette.color(QPalette::WindowText);
    c.observed = dark ? QColor(90, 160, 230) : QColor(60, 120, 200);
    c.course = dark ? QColor(255, 170, 60) : QColor(200, 90, 0);
    c.band = c.text;
    c.band.setAlpha(40);
    c.constant = dark ? QColor(120, 210, 120) : QColor(0, 130, 0);
    c.revision = dark ? QColor(230, 90, 90) : QColor(190, 0, 0);
    return c;
}

void paintChart(QChart *chart, const QPalette &palette, const QFont &font)
{
    const QColor text = palette.color(QPalette::WindowText);
    chart->setTheme(isDark(palette) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->legend()->hide();
    chart->setBackgroundBrush(palette.color(QPalette::Base));
    chart->setPlotAreaBackgroundVisible(false);
    QFont title = font;
    title.setBold(true);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsColor(text);
        axis->setTitleBrush(text);
        axis->setLabelsFont(font);
        axis->setTitleFont(title);
    }
}

TickedAxis::TickedAxis(QChart *chart, Qt::Orientation orientation)
    : chart_(chart)
    , axis_(new QCategoryAxis)
    , orientation_(orientation)
{
    axis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The ticks are chosen to leave their texts room; a category axis would
    // otherwise cut a text to the width of its category.
    axis_->setTruncateLabels(false);
    chart->addAxis(axis_, orientation == Qt::Horizontal ? Qt::AlignBottom : Qt::AlignLeft);
}

void TickedAxis::show(double low, double high, double minStep, bool widen, char decimalPoint)
{
    low_ = low;
    high_ = high;
    minStep_ = minStep;
    widen_ = widen;
    decimalPoint_ = decimalPoint;
    logarithmic_ = false;
    place();
}

void TickedAxis::showLogarithmic(double low, double high, char decimalPoint)
{
    low_ = low;
    high_ = high;
    decimalPoint_ = decimalPoint;
    logarithmic_ = true;
    place();
}

double TickedAxis::position(double value) const
{
    return logarithmic_ ? std::log10(value) : value;
}

TickedAxis::Placement TickedAxis::placement(int most) const
{
    Placement p;
    if (logarithmic_) {
        p.low = std::log10(low_);
        p.high = std::log10(high_);
        for (const LogTick &tick : logTicks(low_, high_, most, decimalPoint_)) {
            p.at << std::log10(tick.value);
            p.labels << QString::fromStdString(tick.text);
        }
        return p;
    }
    const AxisTicks ticks = niceTicks(low_, high_, most, minStep_, widen_);
    p.low = ticks.low;
    p.high = ticks.high;
    for (const std::string &text : tickTexts(ticks, decimalPoint_))
        p.labels << QString::fromStdString(text);
    for (int k = 0; k < ticks.count; ++k)
        p.at << ticks.value(k);
    return p;
}

void TickedAxis::place()
{
    const QRectF plot = chart_->plotArea();
    const double length = orientation_ == Qt::Horizontal ? plot.width() : plot.height();
    const QFontMetrics metrics(axis_->labelsFont());
    Placement p;
    for (int most = kMostTicks;; --most) {
        p = placement(most);
        int room = metrics.height() * 8 / 5;
        if (orientation_ == Qt::Horizontal) {
            room = 0;
            for (const QString &label : p.labels)
                room = std::max(room, metrics.horizontalAdvance(label));
            room += 2 * metrics.averageCharWidth();
        }
        // The closest two ticks (a logarithmic axis has them unevenly apart).
        double closest = p.high - p.low;
        for (qsizetype k = 1; k < p.at.size(); ++k)
            closest = std::min(closest, p.at[k] - p.at[k - 1]);
        const double apart = length * closest / (p.high - p.low);
        if (most <= 2 || length <= 0 || apart >= room)
            break;
    }
    if (orientation_ == Qt::Horizontal)
        keepRoomRight(p.labels, metrics);
    if (p.labels != axis_->categoriesLabels() || axis_->min() != p.low || axis_->max() != p.high) {
        for (const QString &old : axis_->categoriesLabels())
            axis_->remove(old);
        // Each label stands at the end of its category: the first category
        // ends at the first tick.
        axis_->setStartValue(p.low - (p.at.size() > 1 ? p.at[1] - p.at[0] : 1.0));
        for (qsizetype k = 0; k < p.labels.size(); ++k)
            axis_->append(p.labels[k], p.at[k]);
        axis_->setRange(p.low, p.high);
    }
}

void TickedAxis::keepRoomRight(const QStringList &labels, const QFontMetrics &metrics)
{
    // A text at the right end of the axis reaches half its width beyond it.
    int widest = 0;
    for (const QString &label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    QMargins margins = chart_->margins();
    if (margins.right() < widest / 2) {
        margins.setRight(widest / 2); // only ever more, so that the ticks settle
        chart_->setMargins(margins);
    }
}

void TickedAxis::fit()
{
    place();
}

QList<QPointF> toPoints(const std::vector<PlotPoint> &points)
{
    QList<QPointF> out;
    out.reserve(qsizetype(points.size()));
    for (const PlotPoint &p : points)
        out << QPointF(p.x, p.y);
    return out;
}

const QString ChartLegend::kFilled = QStringLiteral("\u25a0");
const QString ChartLegend::kOutline = QStringLiteral("\u25a1");
const QString ChartLegend::kLine = QStringLiteral("\u2501\u2501");
const QString ChartLegend::kDashed = QStringLiteral("\u254d\u254d");
const QString ChartLegend::kDashDot = QStringLiteral("\u2501\u00b7\u2501");
const QString ChartLegend::kDotted = QStringLiteral("\u2505\u2505");
const QString ChartLegend::kDot = QStringLiteral("\u25cf");

ChartLegend::ChartLegend(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void ChartLegend::setEntries(const QList<Entry> &entries)
{
    QStringList parts;
    for (const Entry &e : entries) {
        const QColor shown = blend(e.colour, palette().color(QPalette::Window));
        // An entry is broken only between entries, never within one.
        const QString name = e.name.toHtmlEscaped().replace(' ', QStringLiteral("&nbsp;"));
        parts << QStringLiteral("<span style=\"color:%1\">%2</span>&nbsp;%3")
                         .arg(shown.name(), e.swatch, name);
    }
    const QString html = parts.join(QStringLiteral("&nbsp;&nbsp; "));
    if (html != text())
        setText(html);
}

} // namespace kormix::ui
