// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/frmequilibrium.h"

#include "core/distributionsfile.h"
#include "core/equilibrium/reactions.h"
#include "core/equilibrium/stayshares.h"
#include "core/equilibrium/tables.h"
#include "core/numberformat.h"
#include "core/quotienttext.h"
#include "core/simulation.h"
#include "ui/common/widgets.h"

#include <QAreaSeries>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>

namespace kormix::ui {

namespace {

// The composition chart draws at most this many bars, about one to a pixel
// or two; a larger system's compositions are shown in groups of neighbours.
// (Every point of a chart costs a little at every refresh.)
constexpr std::int64_t kMaxBars = 400;
// The expected approach is worked out in at most this many state updates, so
// that the window answers at once when a run begins.
constexpr double kApproachBudget = 2e7;
// Points of the expected approach curve.
constexpr int kApproachSamples = 200;
// The equilibrium constant of H2 + D2 = 2 HD at high temperature.
constexpr double kK = 4.0;
// Revisions beyond this many are not drawn as lines.
constexpr std::size_t kMaxRevisionLines = 64;

QString toQString(const std::string &text)
{
    return QString::fromStdString(text);
}

bool isDarkPalette(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF()
           < palette.color(QPalette::WindowText).lightnessF();
}

// The collisions of an expected approach: long enough to reach equilibrium
// from any start (a few times N collisions relax a system of N molecules),
// short enough to cost at most kApproachBudget state updates.
std::int64_t approachLength(std::int64_t molecules, std::int64_t compositions)
{
    const double wanted = std::max(1000.0, 20.0 * double(molecules));
    const double c = double(std::max<std::int64_t>(compositions, 1));
    // The reachable band grows by one composition per collision until it
    // covers every composition.
    const double budget = c * c / 2 >= kApproachBudget ? std::sqrt(2 * kApproachBudget)
                                                       : c + (kApproachBudget - c * c / 2) / c;
    return std::int64_t(std::min(wanted, budget));
}

QLabel *newLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel *newValue(const QString &name, QWidget *parent)
{
    QLabel *label = newLabel("–", name, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The points of a line that a plot `columns` pixels wide can show: in every
// column the lowest and the highest, in their order. A line with fewer points
// than twice the columns keeps them all. Drawn, it looks as the whole line
// would, at a fraction of the cost: the chart strokes every point of a line
// at every change, for its outline as well.
QList<QPointF> envelope(const QList<QPointF> &line, double x0, double x1, int columns)
{
    if (line.size() <= 2 * columns)
        return line;
    QList<QPointF> kept;
    kept.reserve(2 * qsizetype(columns) + 2);
    const double scale = columns / (x1 - x0);
    qsizetype first = 0;
    while (first < line.size()) {
        const double column = std::floor((line[first].x() - x0) * scale);
        qsizetype low = first, high = first, last = first;
        while (last + 1 < line.size() && std::floor((line[last + 1].x() - x0) * scale) == column) {
            ++last;
            if (line[last].y() < line[low].y())
                low = last;
            if (line[last].y() > line[high].y())
                high = last;
        }
        kept << line[std::min(low, high)];
        if (low != high)
            kept << line[std::max(low, high)];
        first = last + 1;
    }
    return kept;
}

void hideFromLegend(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

FrmEquilibrium::FrmEquilibrium(const Simulation &sim, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , sim_(sim)
{
    setObjectName("frmEquilibrium");
    setWindowTitle(tr("Equilibrium"));
    askSavePath = [this](const QString &caption, const QString &name, const QString &filter) {
        return QFileDialog::getSaveFileName(this, caption, name, filter);
    };
    buildControls();
    // Under a dark palette the check box's and option buttons' indicators
    // keep an outline that shows.
    keepIndicatorsVisible(this);
    applyPalette();
}

FrmEquilibrium::~FrmEquilibrium() = default;

QChart *FrmEquilibrium::newChart(const QString &name)
{
    auto *chart = new QChart;
    chart->setObjectName(name);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

void FrmEquilibrium::buildControls()
{
    // --- the compositions -----------------------------------------------------
    compositionChart_ = newChart("compositionChart");
    observedTop_ = new QLineSeries(compositionChart_);
    auto *observedBase = new QLineSeries(compositionChart_);
    observedBars = new QAreaSeries(observedTop_, observedBase);
    observedBars->setObjectName("observedBars");
    observedBars->setName(tr("observed share of collisions"));
    exactOutline = new QLineSeries;
    exactOutline->setObjectName("exactOutline");
    exactOutline->setName(tr("exact probability P"));
    compositionChart_->addSeries(observedBars);
    compositionChart_->addSeries(exactOutline);

    fractionAxis_ = new QValueAxis;
    fractionAxis_->setTitleText(tr("HD fraction (HD molecules / all molecules)"));
    fractionAxis_->setLabelFormat("%.2f");
    compositionChart_->addAxis(fractionAxis_, Qt::AlignBottom);
    observedBars->attachAxis(fractionAxis_);
    exactOutline->attachAxis(fractionAxis_);
    useProbabilityAxis();

    compositionView = new QChartView(compositionChart_, this);
    compositionView->setObjectName("compositionView");
    compositionView->setRenderHint(QPainter::Antialiasing, false); // upright bars need none
    compositionView->setMinimumSize(420, 260);
    compositionView->setAccessibleName(tr("compositions by HD fraction"));
    compositionView->setAccessibleDescription(
            tr("The exact probability of every composition as an outline and the share of the "
               "run's collisions spent in it as a filled bar."));

    chkLogarithmic = new QCheckBox(tr("logarithmic"), this);
    chkLogarithmic->setObjectName("chkLogarithmic");
    chkLogarithmic->setToolTip(tr("Probability axis on a logarithmic scale: shows the compositions "
                                  "far from the most probable one"));
    lblNotShown = newLabel("", "lblNotShown", this);
    lblNotShown->setWordWrap(true);

    // --- the exact values beside the observed ones ----------------------------
    auto *summary = new QGroupBox(tr("exact and observed"), this);
    summary->setObjectName("fraSummary");
    auto *grid = new QGridLayout(summary);
    lblDistance = newLabel("", "lblDistance", summary);
    lblDistance->setToolTip(tr("Total-variation distance: half the sum over all compositions of "
                               "|observed share - exact P|. 0 means the run spent its collisions "
                               "exactly as the theory says; 1 means it never met a likely "
                               "composition."));
    grid->addWidget(lblDistance, 0, 0, 1, 3);
    grid->addWidget(newLabel(tr("most probable composition:"), "Label_mode", summary), 1, 0);
    lblMode = newLabel(tr("–"), "lblMode", summary);
    lblMode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lblMode, 1, 1, 1, 2);
    grid->addWidget(newLabel(tr("its probability P:"), "Label_modeP", summary), 2, 0);
    lblModeP = newValue("lblModeP", summary);
    grid->addWidget(lblModeP, 2, 2);
    grid->addWidget(newLabel(tr("its quotient Q:"), "Label_modeQ", summary), 3, 0);
    lblModeQ = newValue("lblModeQ", summary);
    grid->addWidget(lblModeQ, 3, 2);
    auto *observedHead = newLabel(tr("observed"), "Label_observed", summary);
    auto *exactHead = newLabel(tr("exact"), "Label_exact", summary);
    observedHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    exactHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(observedHead, 4, 1);
    grid->addWidget(exactHead, 4, 2);
    grid->addWidget(newLabel(tr("mean HD fraction:"), "Label_mean", summary), 5, 0);
    lblMeanObserved = newValue("lblMeanObserved", summary);
    lblMeanExact = newValue("lblMeanExact", summary);
    grid->addWidget(lblMeanObserved, 5, 1);
    grid->addWidget(lblMeanExact, 5, 2);
    grid->addWidget(newLabel(tr("standard deviation:"), "Label_sd", summary), 6, 0);
    lblSdObserved = newValue("lblSdObserved", summary);
    lblSdExact = newValue("lblSdExact", summary);
    grid->addWidget(lblSdObserved, 6, 1);
    grid->addWidget(lblSdExact, 6, 2);
    grid->setRowStretch(7, 1);
    grid->setColumnMinimumWidth(1, 70);
    grid->setColumnMinimumWidth(2, 70);

    // --- the course of the run -------------------------------------------------
    courseChart_ = newChart("courseChart");
    collisionAxis_ = new QValueAxis;
    collisionAxis_->setTitleText(tr("collisions"));
    collisionAxis_->setLabelFormat("%.0f");
    courseAxis_ = new QValueAxis;
    courseChart_->addAxis(collisionAxis_, Qt::AlignBottom);
    courseChart_->addAxis(courseAxis_, Qt::AlignLeft);

    bandUpper_ = new QLineSeries(courseChart_);
    bandLower_ = new QLineSeries(courseChart_);
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
    equilibriumConstant->setName(tr("K = 4"));
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
        courseChart_->addSeries(series);
        series->attachAxis(collisionAxis_);
        series->attachAxis(courseAxis_);
    }
    hideFromLegend(courseChart_, exactMeanLine);

    courseView = new QChartView(courseChart_, this);
    courseView->setObjectName("courseView");
    // Thousands of points of a long run are drawn ten times a second while
    // collisions run: without antialiasing that costs a fraction.
    courseView->setRenderHint(QPainter::Antialiasing, false);
    courseView->setMinimumSize(420, 220);
    courseView->setAccessibleName(tr("the run against collisions"));

    auto *courseBox = new QGroupBox(tr("plot against collisions"), this);
    courseBox->setObjectName("fraCourse");
    auto *courseOptions = new QVBoxLayout(courseBox);
    const char *names[] = {QT_TR_NOOP("HD fraction"), "ln W", "Q"};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optCourse[std::size_t(i)] = new QRadioButton(tr(names[i]), courseBox);
        optCourse[std::size_t(i)]->setObjectName(QString("optCourse_%1").arg(i));
        group->addButton(optCourse[std::size_t(i)], i);
        courseOptions->addWidget(optCourse[std::size_t(i)]);
    }
    optCourse[0]->setChecked(true);
    courseOptions->addStretch(1);
    lblHorizon = newLabel("", "lblHorizon", this);
    lblHorizon->setWordWrap(true);

    // --- the reactions -----------------------------------------------------------
    auto *reactionsBox = new QGroupBox(tr("reactions"), this);
    reactionsBox->setObjectName("fraReactions");
    auto *table = new QGridLayout(reactionsBox);
    const char *heads[] = {QT_TR_NOOP("count"),
                           QT_TR_NOOP("recent, per collision"),
                           QT_TR_NOOP("expected now"),
                           QT_TR_NOOP("at equilibrium")};
    for (int c = 0; c < 4; ++c) {
        QLabel *head = newLabel(tr(heads[c]), QString("Label_reactions_%1").arg(c), reactionsBox);
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->addWidget(head, 0, c + 1);
    }
    // The reactions' names as the core's tables write them, translated here.
    const char *reactions[]
            = {QT_TRANSLATE_NOOP("kormix::ui::FrmEquilibrium", "forward (H2 + D2 -> 2 HD)"),
               QT_TRANSLATE_NOOP("kormix::ui::FrmEquilibrium", "reverse (2 HD -> H2 + D2)"),
               QT_TRANSLATE_NOOP("kormix::ui::FrmEquilibrium", "HD + HD met without reacting")};
    for (int r = 0; r < 3; ++r) {
        const auto i = std::size_t(r);
        table->addWidget(newLabel(tr(reactions[r]),
                                  QString("Label_reaction_%1").arg(r),
                                  reactionsBox),
                         r + 1,
                         0);
        lblCount[i] = newValue(QString("lblCount_%1").arg(r), reactionsBox);
        lblRecent[i] = newValue(QString("lblRecent_%1").arg(r), reactionsBox);
        lblExpectedNow[i] = newValue(QString("lblExpectedNow_%1").arg(r), reactionsBox);
        lblExpectedEquilibrium[i] = newValue(QString("lblExpectedEquilibrium_%1").arg(r),
                                             reactionsBox);
        table->addWidget(lblCount[i], r + 1, 1);
        table->addWidget(lblRecent[i], r + 1, 2);
        table->addWidget(lblExpectedNow[i], r + 1, 3);
        table->addWidget(lblExpectedEquilibrium[i], r + 1, 4);
    }
    lblRecent[0]->setToolTip(tr("Reactions per collision since the window's last refresh"));
    table->setColumnStretch(0, 1);

    // --- the collisions stepped through ------------------------------------------
    fraSteps = new QGroupBox(tr("last collisions, stepped"), this);
    fraSteps->setObjectName("fraSteps");
    txtSteps = new QPlainTextEdit(fraSteps);
    txtSteps->setObjectName("txtSteps");
    txtSteps->setReadOnly(true);
    txtSteps->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSteps->setAccessibleName(tr("last collisions, stepped"));
    auto *stepsLayout = new QVBoxLayout(fraSteps);
    stepsLayout->addWidget(txtSteps);
    fraSteps->hide(); // until the user steps

    cmdSavePicture = new QPushButton(tr("Save Picture..."), this);
    cmdSavePicture->setObjectName("cmdSavePicture");
    cmdSaveData = new QPushButton(tr("Save Data..."), this);
    cmdSaveData->setObjectName("cmdSaveData");

    // --- layout ---------------------------------------------------------------------
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(compositionView, 1);
    auto *under = new QHBoxLayout;
    under->addWidget(chkLogarithmic);
    under->addWidget(lblNotShown, 1);
    left->addLayout(under);
    top->addLayout(left, 1);
    top->addWidget(summary);

    auto *middle = new QHBoxLayout;
    auto *course = new QVBoxLayout;
    course->addWidget(courseView, 1);
    course->addWidget(lblHorizon);
    middle->addLayout(course, 1);
    middle->addWidget(courseBox);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePicture);
    buttons->addWidget(cmdSaveData);

    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 3);
    all->addLayout(middle, 3);
    all->addWidget(reactionsBox);
    all->addWidget(fraSteps, 2);
    all->addLayout(buttons);

    connect(chkLogarithmic, &QCheckBox::toggled, this, &FrmEquilibrium::chkLogarithmic_Click);
    for (QRadioButton *option : optCourse)
        connect(option, &QRadioButton::toggled, this, &FrmEquilibrium::optCourse_Click);
    connect(cmdSavePicture, &QPushButton::clicked, this, &FrmEquilibrium::cmdSavePicture_Click);
    connect(cmdSaveData, &QPushButton::clicked, this, &FrmEquilibrium::cmdSaveData_Click);
}

void FrmEquilibrium::useProbabilityAxis()
{
    const bool logarithmic = chkLogarithmic && chkLogarithmic->isChecked();
    QAbstractAxis *old = logarithmic ? static_cast<QAbstractAxis *>(linearAxis_)
                                     : static_cast<QAbstractAxis *>(logAxis_);
    if (old) {
        // No bar may stand at 0 on a logarithmic axis: the bars are drawn
        // anew for the new axis.
        exactOutline->clear();
        observedTop_->clear();
        observedBars->lowerSeries()->clear();
        compositionChart_->removeAxis(old);
        delete old;
        linearAxis_ = nullptr;
        logAxis_ = nullptr;
    }
    QAbstractAxis *axis;
    if (logarithmic) {
        if (logAxis_)
            return;
        logAxis_ = new QLogValueAxis;
        logAxis_->setLabelFormat("%.0e");
        logAxis_->setBase(10);
        axis = logAxis_;
    } else {
        if (linearAxis_)
            return;
        linearAxis_ = new QValueAxis;
        linearAxis_->setLabelFormat("%.3f");
        axis = linearAxis_;
    }
    axis->setTitleText(tr("probability"));
    compositionChart_->addAxis(axis, Qt::AlignLeft);
    observedBars->attachAxis(axis);
    exactOutline->attachAxis(axis);
    applyPalette();
}

void FrmEquilibrium::applyPalette()
{
    if (!compositionChart_ || !courseChart_)
        return; // still being built
    const QPalette pal = palette();
    const bool dark = isDarkPalette(pal);
    const QColor text = pal.color(QPalette::WindowText);
    const QColor observed = dark ? QColor(90, 160, 230) : QColor(60, 120, 200);
    const QColor course = dark ? QColor(255, 170, 60) : QColor(200, 90, 0);
    for (QChart *chart : {compositionChart_, courseChart_}) {
        chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
        chart->setBackgroundBrush(pal.color(QPalette::Base));
        chart->setPlotAreaBackgroundVisible(false);
        chart->legend()->setLabelColor(text);
        chart->legend()->setFont(font());
        for (QAbstractAxis *axis : chart->axes()) {
            axis->setLabelsColor(text);
            axis->setTitleBrush(text);
            axis->setLabelsFont(font());
            QFont title = font();
            title.setBold(true);
            axis->setTitleFont(title);
        }
    }
    QColor fill = observed;
    fill.setAlpha(150);
    observedBars->setBrush(fill);
    observedBars->setPen(QPen(observed, 1));
    exactOutline->setPen(QPen(text, 1.5));

    courseLine->setPen(QPen(course, 1));
    QColor band = text;
    band.setAlpha(40);
    exactBand->setBrush(band);
    exactBand->setPen(Qt::NoPen);
    exactMeanLine->setPen(QPen(text, 1, Qt::DashLine));
    approachLine->setPen(QPen(observed, 2));
    equilibriumConstant->setPen(
            QPen(dark ? QColor(120, 210, 120) : QColor(0, 130, 0), 2.5, Qt::DashDotLine));
    for (QLineSeries *line : revisionLines)
        line->setPen(QPen(dark ? QColor(230, 90, 90) : QColor(190, 0, 0), 1.5, Qt::DotLine));
}

void FrmEquilibrium::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        applyPalette();
}

void FrmEquilibrium::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

// --- number texts -------------------------------------------------------------

QString FrmEquilibrium::fixed(double value, int decimals) const
{
    if (!std::isfinite(value))
        return "–";
    char buffer[64];
    const auto result = std::to_chars(buffer,
                                      buffer + sizeof buffer,
                                      value,
                                      std::chars_format::fixed,
                                      decimals);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', sim_.decimalPoint);
    return toQString(text);
}

QString FrmEquilibrium::spread(double sd) const
{
    // A large system's spread is far below the fourth decimal.
    if (sd == 0 || sd >= 1e-3)
        return fixed(sd, 4);
    return toQString(formatNumber(sd, "scientific", sim_.decimalPoint));
}

QString FrmEquilibrium::probability(double p) const
{
    if (p >= 1e-4)
        return fixed(p, 5);
    return toQString(formatNumber(p, "scientific", sim_.decimalPoint));
}

QString FrmEquilibrium::distanceText(std::optional<double> distance, char decimalPoint)
{
    const QString line = tr("distance from equilibrium (TV): %1");
    if (!distance)
        return line.arg("–");
    char buffer[64];
    const auto result = std::to_chars(buffer,
                                      buffer + sizeof buffer,
                                      *distance,
                                      std::chars_format::fixed,
                                      4);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return line.arg(toQString(text));
}

// --- refresh ------------------------------------------------------------------------

void FrmEquilibrium::updateExact()
{
    const std::int64_t h = 2 * std::int64_t(sim_.nH2) + sim_.nHD;
    const std::int64_t d = 2 * std::int64_t(sim_.nD2) + sim_.nHD;
    if (exactValid_ && h == exactH_ && d == exactD_)
        return;
    exact_ = exactDistribution(h, d);
    exactH_ = h;
    exactD_ = d;
    exactValid_ = true;
    double mean = 0, square = 0;
    for (const CompositionProbability &c : exact_.kept) {
        mean += c.p * c.lnW;
        square += c.p * c.lnW * c.lnW;
    }
    meanLnW_ = mean;
    equilibriumRates_ = expectedRates(exact_);
    sdLnW_ = std::sqrt(std::max(0.0, square - mean * mean));
}

void FrmEquilibrium::updateApproach()
{
    const Composition &start = sim_.observed.start();
    if (approachStart_ && *approachStart_ == start)
        return;
    approachStart_ = start;
    if (start.molecules() < 2) {
        approach_ = {};
        return;
    }
    approach_ = expectedApproach(start,
                                 approachLength(start.molecules(), exact_.compositionCount()),
                                 kApproachSamples);
}

bool FrmEquilibrium::runOfThisSystem() const
{
    // The observations belong to the run begun last; between a new setup and
    // its start they may still be those of other atoms.
    const Composition &start = sim_.observed.start();
    return sim_.nMolecules > 0 && start.molecules() == sim_.nMolecules
           && 2 * std::int64_t(start.nH2) + start.nHD == 2 * std::int64_t(sim_.nH2) + sim_.nHD;
}

StayShares FrmEquilibrium::currentShares() const
{
    if (!runOfThisSystem())
        return {};
    return sim_.observed.sharesUpTo(sim_.nHD, sim_.nCollisions);
}

void FrmEquilibrium::refresh()
{
    ++refreshes_;
    const bool hasSystem = sim_.nMolecules > 0;
    if (hasSystem)
        updateExact();
    const StayShares shares = currentShares();
    if (runOfThisSystem())
        updateApproach();
    if (!hasSystem) {
        exact_ = {};
        exactValid_ = false;
        approach_ = {};
        approachStart_.reset();
    }
    showCompositions(shares);
    showSummary(shares);
    showCourse();
    showReactions();
    showSteps();
}

void FrmEquilibrium::showSteps()
{
    // The log holds collisions only while the user steps; a full-speed run
    // empties it.
    if (sim_.stepLog.empty()) {
        fraSteps->hide();
        return;
    }
    QStringList lines;
    for (const std::string &line : sim_.stepLog.lines(sim_.decimalPoint))
        lines << QString::fromStdString(line);
    const QString text = lines.join('\n');
    if (txtSteps->toPlainText() != text) {
        txtSteps->setPlainText(text);
        txtSteps->moveCursor(QTextCursor::End);
    }
    fraSteps->show();
}

void FrmEquilibrium::showCompositions(const StayShares &shares)
{
    QList<QPointF> outline, bars;
    const bool logarithmic = chkLogarithmic->isChecked();
    lblNotShown->clear();
    if (exact_.empty()) {
        exactOutline->clear();
        observedTop_->clear();
        observedBars->lowerSeries()->clear();
        return;
    }
    const double n = double(exact_.nMolecules);
    const double pMax = exact_.mode().p;
    // The compositions worth drawing: on a linear axis those whose bar or
    // outline would show, on a logarithmic one those not vanishingly rare and
    // every one the run has met.
    double shareMax = 0;
    for (const CompositionProbability &c : exact_.kept)
        shareMax = std::max(shareMax, shares.shareAt(c.counts.nHD));
    const double pFloor = logarithmic ? 1e-12 * pMax : 1e-6 * pMax;
    const double shareFloor = logarithmic ? 0 : 1e-3 * std::max(pMax, shareMax);
    std::size_t first = exact_.kept.size(), last = 0;
    for (std::size_t i = 0; i < exact_.kept.size(); ++i) {
        const CompositionProbability &c = exact_.kept[i];
        const double share = shares.shareAt(c.counts.nHD);
        if (c.p >= pFloor || (share > 0 && share >= shareFloor)) {
            first = std::min(first, i);
            last = i;
        }
    }
    const std::int64_t count = std::int64_t(last - first + 1);
    const std::int64_t group = (count + kMaxBars - 1) / kMaxBars;
    const std::int64_t notKept = exact_.compositionCount() - std::int64_t(exact_.kept.size());
    QStringList notes;
    if (notKept > 0)
        notes << tr("%1 compositions with P below 1e-18 of the largest are not shown")
                         .arg(toQString(integerToText(notKept)));
    if (group > 1)
        notes << tr("each bar stands for %1 neighbouring compositions (their mean)").arg(group);
    lblNotShown->setText(notes.join("; "));

    struct Bar
    {
        double left, right, p, share;
    };
    std::vector<Bar> shown;
    const double step = 2.0 / n;
    // Bars of a few pixels or less touch, and their outline is one staircase:
    // drawn apart, their edges would cover the chart in black.
    const std::int64_t barCount = (count + group - 1) / group;
    const bool dense = barCount * 5
                       > std::max<std::int64_t>(1, compositionChart_->plotArea().width());
    for (std::size_t i = first; i <= last; i += std::size_t(group)) {
        const std::size_t end = std::min(last + 1, i + std::size_t(group));
        double p = 0, share = 0;
        for (std::size_t j = i; j < end; ++j) {
            p += exact_.kept[j].p;
            share += shares.shareAt(exact_.kept[j].counts.nHD);
        }
        const double members = double(end - i);
        const double x0 = exact_.kept[i].counts.nHD / n;
        const double x1 = exact_.kept[end - 1].counts.nHD / n;
        const double half = (dense ? 0.5 : 0.4) * step;
        shown.push_back({x0 - half, x1 + half, p / members, share / members});
    }

    double base = 0;
    double top = 0;
    for (const Bar &b : shown)
        top = std::max({top, b.p, b.share});
    if (logarithmic) {
        double smallest = pMax;
        for (const Bar &b : shown) {
            if (b.p > 0)
                smallest = std::min(smallest, b.p);
            if (b.share > 0)
                smallest = std::min(smallest, b.share);
        }
        base = std::max(smallest / 2, std::numeric_limits<double>::min());
    }
    auto clampToBase = [base](double v) { return std::max(v, base); };
    outline.reserve(qsizetype(4 * shown.size()));
    bars.reserve(qsizetype(4 * shown.size()));
    for (const Bar &b : shown) {
        if (dense) {
            outline << QPointF(b.left, clampToBase(b.p)) << QPointF(b.right, clampToBase(b.p));
            bars << QPointF(b.left, clampToBase(b.share)) << QPointF(b.right, clampToBase(b.share));
        } else {
            outline << QPointF(b.left, base) << QPointF(b.left, clampToBase(b.p))
                    << QPointF(b.right, clampToBase(b.p)) << QPointF(b.right, base);
            bars << QPointF(b.left, base) << QPointF(b.left, clampToBase(b.share))
                 << QPointF(b.right, clampToBase(b.share)) << QPointF(b.right, base);
        }
    }
    exactOutline->replace(outline);
    observedTop_->replace(bars);
    const double xMin = shown.front().left - step / 2;
    const double xMax = shown.back().right + step / 2;
    observedBars->lowerSeries()->replace(QList<QPointF>{{xMin, base}, {xMax, base}});
    const double xLow = std::max(0.0, xMin), xHigh = std::min(1.0, xMax);
    fractionAxis_->setRange(xLow, xHigh);
    // Enough decimals to tell the ticks of a narrow range apart.
    const int decimals = std::clamp(int(std::ceil(-std::log10(xHigh - xLow))) + 1, 2, 8);
    fractionAxis_->setLabelFormat(QString("%.%1f").arg(decimals));
    if (logarithmic) {
        const double high = std::max(top * 2, base * 10);
        logAxis_->setRange(base, high);
        // At most about six ticks: one every so many powers of ten.
        const double decades = std::log10(high / base);
        logAxis_->setBase(std::pow(10.0, std::max(1.0, std::ceil(decades / 6))));
    } else {
        linearAxis_->setRange(0, std::max(top * 1.05, 1e-300));
        linearAxis_->applyNiceNumbers();
    }
}

void FrmEquilibrium::showSummary(const StayShares &shares)
{
    const char dp = sim_.decimalPoint;
    const std::optional<double> distance = exact_.empty() ? std::nullopt
                                                          : totalVariation(shares, exact_);
    lblDistance->setText(distanceText(distance, dp));
    if (exact_.empty()) {
        for (QLabel *label :
             {lblMode, lblModeP, lblModeQ, lblMeanExact, lblSdExact, lblMeanObserved, lblSdObserved})
            label->setText("–");
        return;
    }
    const CompositionProbability &mode = exact_.mode();
    const Composition &k = mode.counts;
    QString modeText = tr("%1 H2 + %2 HD + %3 D2")
                               .arg(toQString(integerToText(k.nH2)),
                                    toQString(integerToText(k.nHD)),
                                    toQString(integerToText(k.nD2)));
    if (exact_.mostProbableTied)
        modeText += " (as likely as the one with 2 HD more)";
    lblMode->setText(modeText);
    lblModeP->setText(probability(mode.p));
    lblModeQ->setText(toQString(quotientText(k.nH2, k.nHD, k.nD2, dp)));
    lblMeanExact->setText(fixed(exact_.meanFraction, 4));
    lblSdExact->setText(spread(exact_.sdFraction));

    // The observed mean and spread of the HD fraction, from the collisions
    // spent in each composition.
    const double total = double(shares.total() - shares.collisionsBelow()
                                - shares.collisionsAbove());
    if (!(total > 0)) {
        lblMeanObserved->setText("–");
        lblSdObserved->setText("–");
        return;
    }
    const double n = double(exact_.nMolecules);
    double sum = 0, square = 0;
    for (std::int32_t hd = shares.firstHD(); hd <= shares.lastHD(); hd += 2) {
        const double c = double(shares.collisionsAt(hd));
        if (c == 0)
            continue;
        const double x = hd / n;
        sum += c * x;
        square += c * x * x;
    }
    const double mean = sum / total;
    lblMeanObserved->setText(fixed(mean, 4));
    lblSdObserved->setText(spread(std::sqrt(std::max(0.0, square / total - mean * mean))));
}

void FrmEquilibrium::showCourse()
{
    const Course course = optCourse[1]->isChecked()   ? Course::LnW
                          : optCourse[2]->isChecked() ? Course::Q
                                                      : Course::HDFraction;
    const RunSeries &series = sim_.observed.series();
    const std::vector<SeriesPoint> &points = series.points();

    double yMin = std::numeric_limits<double>::infinity();
    double yMax = -yMin;
    auto widen = [&](double y) {
        if (std::isfinite(y)) {
            yMin = std::min(yMin, y);
            yMax = std::max(yMax, y);
        }
    };

    QList<QPointF> line;
    line.reserve(qsizetype(points.size()));
    for (const SeriesPoint &p : points) {
        const double n = double(std::int64_t(p.nH2) + p.nHD + p.nD2);
        double y;
        if (course == Course::HDFraction)
            y = n > 0 ? p.nHD / n : 0;
        else if (course == Course::LnW)
            y = p.lnW;
        else
            y = quotientOf({p.nH2, p.nHD, p.nD2});
        if (!std::isfinite(y))
            continue; // no H2 or no D2: Q is infinite
        line << QPointF(double(p.collision), y);
        widen(y);
    }

    const double xStart = points.empty() ? 0 : double(points.front().collision);
    double xEnd = points.empty() ? 1 : double(points.back().collision);
    const double runStart = double(sim_.observed.seriesOffset());
    const bool current = !exact_.empty() && !points.empty();
    if (current)
        xEnd = std::max(xEnd, runStart + double(sim_.nCollisions));
    if (xEnd <= xStart)
        xEnd = xStart + 1;
    // Columns two pixels wide: the course of a long run is a dense band at
    // any width, and half the points halve the cost of drawing it.
    const int columns = std::max(100, int(courseChart_->plotArea().width()) / 2);
    courseLine->replace(envelope(line, xStart, xEnd, columns));

    // The exact mean and its band belong to the atoms of the run going on.
    QList<QPointF> mean, upper, lower, constant, approach;
    if (current && course != Course::Q) {
        const double m = course == Course::HDFraction ? exact_.meanFraction : meanLnW_;
        const double s = course == Course::HDFraction ? exact_.sdFraction : sdLnW_;
        mean << QPointF(runStart, m) << QPointF(xEnd, m);
        upper << QPointF(runStart, m + s) << QPointF(xEnd, m + s);
        lower << QPointF(runStart, m - s) << QPointF(xEnd, m - s);
        widen(m + s);
        widen(m - s);
    }
    if (current && course == Course::Q) {
        constant << QPointF(xStart, kK) << QPointF(xEnd, kK);
        widen(kK);
    }
    QString horizon;
    if (current && course == Course::HDFraction && !approach_.points.empty()) {
        const double n = double(sim_.observed.start().molecules());
        for (const ApproachPoint &a : approach_.points) {
            const double x = runStart + double(a.collisions);
            if (x > xEnd)
                break;
            approach << QPointF(x, a.meanHD / n);
        }
        horizon = tr("The expected approach is the exact mean HD fraction from the run's "
                     "start; it covers the first %1 collisions of the run.")
                          .arg(toQString(integerToText(approach_.horizon)));
    } else if (current && course == Course::Q) {
        horizon = tr("Q of the run (left out while there is no H2 or no D2) and the equilibrium "
                     "constant K = 4 it settles about.");
    } else if (current) {
        horizon = tr("ln W of the run and its exact mean over the equilibrium, with one standard "
                     "deviation about it.");
    }
    lblHorizon->setText(horizon);
    courseView->setToolTip(horizon);
    exactMeanLine->replace(mean);
    bandUpper_->replace(upper);
    bandLower_->replace(lower);
    equilibriumConstant->replace(constant);
    approachLine->replace(approach);
    // The legend names only what the plot shows.
    const std::pair<QAbstractSeries *, bool> named[] = {{exactBand, !upper.isEmpty()},
                                                        {approachLine, !approach.isEmpty()},
                                                        {equilibriumConstant, !constant.isEmpty()}};
    for (const auto &[plotted, shown] : named) {
        for (QLegendMarker *marker : courseChart_->legend()->markers(plotted))
            marker->setVisible(shown);
    }

    if (!std::isfinite(yMin)) {
        yMin = 0;
        yMax = 1;
    }
    if (course == Course::Q)
        yMax = std::min(yMax, 10 * kK); // a start without HD has a huge Q at first
    if (course == Course::HDFraction) {
        yMin = std::max(0.0, yMin);
        yMax = std::min(1.0, yMax);
    }
    double pad = (yMax - yMin) * 0.05;
    if (pad <= 0)
        pad = std::max(std::abs(yMax) * 0.05, 0.05);
    const double low = course == Course::LnW ? yMin - pad : std::max(0.0, yMin - pad);
    courseAxis_->setRange(low, yMax + pad);
    courseAxis_->setTitleText(course == Course::HDFraction ? tr("HD fraction")
                              : course == Course::LnW      ? "ln W"
                                                           : "Q");
    courseAxis_->setLabelFormat(course == Course::HDFraction ? "%.2f" : "%.1f");
    collisionAxis_->setRange(xStart, xEnd);
    collisionAxis_->applyNiceNumbers();

    // A vertical line at every revision shown.
    const std::vector<std::int64_t> &marks = series.revisions();
    const std::size_t wanted = std::min(marks.size(), kMaxRevisionLines);
    while (revisionLines.size() > wanted) {
        QLineSeries *gone = revisionLines.back();
        revisionLines.pop_back();
        courseChart_->removeSeries(gone);
        delete gone;
    }
    while (revisionLines.size() < wanted) {
        auto *mark = new QLineSeries;
        mark->setObjectName(QString("revisionLine_%1").arg(revisionLines.size()));
        mark->setName(tr("revision"));
        courseChart_->addSeries(mark);
        mark->attachAxis(collisionAxis_);
        mark->attachAxis(courseAxis_);
        if (!revisionLines.empty())
            hideFromLegend(courseChart_, mark);
        revisionLines.push_back(mark);
        applyPalette();
    }
    for (std::size_t i = 0; i < wanted; ++i) {
        const double x = double(marks[i]);
        revisionLines[i]->replace(QList<QPointF>{{x, low}, {x, yMax + pad}});
    }
}

void FrmEquilibrium::showReactions()
{
    const ReactionCounts &counts = sim_.observed.reactions;
    const std::int64_t collisions = sim_.nCollisions;
    const std::array<std::int64_t, 3> now = {counts.forward, counts.reverse, counts.hdUnreacted};
    const std::array<std::int64_t, 3> before = {lastCounts_.forward,
                                                lastCounts_.reverse,
                                                lastCounts_.hdUnreacted};
    // A new run starts its counts and collisions again from 0.
    bool newRun = lastCollisions_ < 0 || collisions < lastCollisions_;
    for (std::size_t i = 0; i < 3; ++i)
        newRun = newRun || now[i] < before[i];
    const std::int64_t since = newRun ? 0 : lastCollisions_;
    const std::int64_t interval = collisions - since;
    for (std::size_t i = 0; i < 3; ++i) {
        lblCount[i]->setText(toQString(integerToText(now[i])));
        if (interval > 0)
            recentTexts_[i] = fixed(double(now[i] - (newRun ? 0 : before[i])) / double(interval), 4);
        else if (newRun)
            recentTexts_[i] = "–";
        lblRecent[i]->setText(recentTexts_[i]);
    }
    lastCounts_ = counts;
    lastCollisions_ = collisions;

    const bool running = sim_.nMolecules >= 2 && !exact_.empty();
    const ReactionProbabilities nowRates = running ? reactionProbabilities(
                                                   {sim_.nH2, sim_.nHD, sim_.nD2})
                                                   : ReactionProbabilities{};
    const ReactionProbabilities equilibrium = running ? equilibriumRates_ : ReactionProbabilities{};
    const std::array<double, 3> expectedNow = {nowRates.forward,
                                               nowRates.reverse,
                                               nowRates.hdUnreacted};
    const std::array<double, 3> atEquilibrium = {equilibrium.forward,
                                                 equilibrium.reverse,
                                                 equilibrium.hdUnreacted};
    for (std::size_t i = 0; i < 3; ++i) {
        lblExpectedNow[i]->setText(running ? fixed(expectedNow[i], 4) : "–");
        lblExpectedEquilibrium[i]->setText(running ? fixed(atEquilibrium[i], 4) : "–");
    }
}

// --- commands ---------------------------------------------------------------------------

void FrmEquilibrium::chkLogarithmic_Click()
{
    useProbabilityAxis();
    refresh();
}

void FrmEquilibrium::optCourse_Click()
{
    showCourse();
}

void FrmEquilibrium::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, "Kormix", text, QMessageBox::Ok, this);
    box.exec();
}

void FrmEquilibrium::cmdSavePicture_Click()
{
    const QString path = askSavePath(tr("Save Picture"),
                                     "equilibrium.png",
                                     tr("PNG images (*.png)"));
    if (path.isEmpty())
        return;
    if (!grab().save(path, "PNG"))
        ShowMessage(tr("The picture could not be written to %1").arg(path));
}

void FrmEquilibrium::cmdSaveData_Click()
{
    const QString path = askSavePath(tr("Save Data"),
                                     "equilibrium.tsv",
                                     tr("Tab-separated text (*.tsv *.txt)"));
    if (path.isEmpty())
        return;
    refresh();
    const char dp = sim_.decimalPoint;
    const StayShares shares = currentShares();
    const std::string text = compositionsTable(exact_, shares, dp) + "\n"
                             + seriesTable(sim_.observed.series(), dp) + "\n"
                             + reactionsTable(sim_.observed.reactions,
                                              sim_.nCollisions,
                                              {sim_.nH2, sim_.nHD, sim_.nD2},
                                              exact_,
                                              dp);
    // UTF-16 names any file on Windows; elsewhere it becomes the file system's UTF-8.
    const ExportResult result = writeWholeFile(std::filesystem::path(path.toStdU16String()), text);
    if (!result.ok)
        ShowMessage(toQString(result.message));
}

} // namespace kormix::ui
