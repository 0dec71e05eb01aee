// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/frmequilibrium.h"

#include "core/equilibrium/stayshares.h"
#include "core/equilibrium/tables.h"
#include "core/simulation.h"
#include "ui/common/savefile.h"
#include "ui/common/screenroom.h"
#include "ui/common/steptext.h"
#include "ui/common/widgets.h"
#include "ui/equilibrium/compositionschart.h"
#include "ui/equilibrium/constantchart.h"
#include "ui/equilibrium/coursechart.h"
#include "ui/equilibrium/reactionstable.h"
#include "ui/equilibrium/summarybox.h"

#include <QBoxLayout>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <array>

namespace kormix::ui {

namespace {

// The least height of what scrolls, in lines: the window may be made that
// small.
constexpr int kLeastLines = 12;

} // namespace

// A scroll area that asks for the whole of what it holds and may be made as
// small as its least size. (The window bounds both by its screen.)
class FittingScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
    QSize minimumSizeHint() const override { return least; }
    // Wide enough for the content in one column, within the screen.
    QSize least;
};

FrmEquilibrium::FrmEquilibrium(const Simulation &sim, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , sim_(sim)
{
    setObjectName("frmEquilibrium");
    setWindowTitle(tr("Equilibrium"));
    askSavePath = fileDialogOver(this);
    buildControls();
    // Under a dark palette the check box's and option buttons' indicators
    // keep an outline that shows.
    keepIndicatorsVisible(this);
}

FrmEquilibrium::~FrmEquilibrium() = default;

void FrmEquilibrium::buildControls()
{
    content_ = new QWidget;
    content_->setObjectName("content");
    compositions = new CompositionsChart(content_);
    summary = new SummaryBox(content_);
    constant = new ConstantChart(content_);
    course = new CourseChart(content_);
    reactions = new ReactionsTable(content_);

    fraSteps = new QGroupBox(tr("last collisions, stepped"), content_);
    fraSteps->setObjectName("fraSteps");
    txtSteps = new QPlainTextEdit(fraSteps);
    txtSteps->setObjectName("txtSteps");
    txtSteps->setReadOnly(true);
    // As tall as the course beside it, a few lines at least.
    txtSteps->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    txtSteps->setMinimumHeight(4 * txtSteps->fontMetrics().height());
    txtSteps->setAccessibleName(tr("last collisions, stepped"));
    (new QVBoxLayout(fraSteps))->addWidget(txtSteps);
    fraSteps->hide(); // until the user steps

    grid_ = new QGridLayout(content_);
    scroll_ = new FittingScrollArea(this);
    scroll_->setObjectName("scrollArea");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content_);

    cmdSavePicture = new QPushButton(tr("Save Picture..."), this);
    cmdSavePicture->setObjectName("cmdSavePicture");
    cmdSaveData = new QPushButton(tr("Save Data..."), this);
    cmdSaveData->setObjectName("cmdSaveData");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePicture);
    buttons->addWidget(cmdSaveData);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, all->contentsMargins().bottom());
    buttons->setContentsMargins(all->spacing(), 0, all->spacing(), 0);
    all->addWidget(scroll_, 1);
    all->addLayout(buttons);
    arrange(true);

    connect(compositions, &CompositionsChart::scaleChanged, this, &FrmEquilibrium::refresh);
    connect(course, &CourseChart::quantityChanged, this, &FrmEquilibrium::showCourse);
    connect(cmdSavePicture, &QPushButton::clicked, this, &FrmEquilibrium::cmdSavePicture_Click);
    connect(cmdSaveData, &QPushButton::clicked, this, &FrmEquilibrium::cmdSaveData_Click);
}

// --- fitting the screen ---------------------------------------------------------------

std::array<QWidget *, 6> FrmEquilibrium::pieces() const
{
    return {compositions, summary, constant, course, fraSteps, reactions};
}

void FrmEquilibrium::arrange(bool wide)
{
    wide_ = wide;
    const bool stepping = !fraSteps->isHidden();
    for (QWidget *piece : pieces())
        grid_->removeWidget(piece);
    for (int i = 0; i < 6; ++i)
        grid_->setRowStretch(i, 0);
    if (wide) {
        // The step log beside the course, where the summary leaves a column;
        // K(T) beside the reactions.
        grid_->addWidget(compositions, 0, 0);
        grid_->addWidget(summary, 0, 1);
        grid_->addWidget(course, 1, 0, 1, stepping ? 1 : 2);
        grid_->addWidget(fraSteps, 1, 1);
        grid_->addWidget(reactions, 2, 0);
        grid_->addWidget(constant, 2, 1);
        grid_->setRowStretch(0, 1);
        grid_->setRowStretch(1, 1);
    } else {
        for (int i = 0; i < 6; ++i)
            grid_->addWidget(pieces()[std::size_t(i)], i, 0);
        grid_->setRowStretch(0, 1);
        grid_->setRowStretch(3, 1);
    }
    grid_->setColumnStretch(0, 1);
    fitScreen(); // the least width of the scroll area follows the content's
}

int FrmEquilibrium::oneColumnWidth() const
{
    int widest = 0;
    for (const QWidget *piece : pieces())
        widest = std::max(widest, piece->minimumSizeHint().width());
    const QMargins margins = grid_->contentsMargins();
    return margins.left() + widest + margins.right()
           + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int FrmEquilibrium::twoColumnsWidth() const
{
    auto least = [](const QWidget *piece) { return piece->minimumSizeHint().width(); };
    const bool stepping = !fraSteps->isHidden();
    const int spacing = grid_->horizontalSpacing();
    const int left = std::max({least(compositions), least(reactions), stepping ? least(course) : 0});
    const int right = std::max({least(summary), least(constant), stepping ? least(fraSteps) : 0});
    const int spanning = stepping ? 0 : least(course);
    const QMargins margins = grid_->contentsMargins();
    // With room for a scroll bar, so that one coming or going never turns
    // the decision.
    return margins.left() + std::max(left + spacing + right, spanning) + margins.right()
           + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

bool FrmEquilibrium::fitsTwoColumns() const
{
    return width() >= twoColumnsWidth(); // the scroll area takes the window's width
}

void FrmEquilibrium::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (fitsTwoColumns() != wide_)
        arrange(!wide_);
}

QSize FrmEquilibrium::room() const
{
    return screenRoom(this);
}

void FrmEquilibrium::fitScreen()
{
    const QSize most = room();
    setMaximumSize(most);
    // What the window holds besides the scroll area: the buttons under it.
    const int rest = layout()->spacing() + layout()->contentsMargins().bottom()
                     + cmdSaveData->sizeHint().height();
    scroll_->least = QSize(std::min(oneColumnWidth(), most.width()),
                           std::min(kLeastLines * fontMetrics().height(), most.height() - rest));
    scroll_->updateGeometry();
}

QSize FrmEquilibrium::sizeHint() const
{
    // The charts stand in one column, one above the other.
    const QSize growth = compositions->compositionView->wantedGrowth();
    const QSize more = course->courseView->wantedGrowth();
    QSize wanted = QWidget::sizeHint()
                   + QSize(std::max(growth.width(), more.width()), growth.height() + more.height());
    const QSize most = room();
    if (wanted.height() > most.height())
        wanted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return wanted.boundedTo(most);
}

void FrmEquilibrium::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitScreen();
    if (QWindow *window = windowHandle()) {
        connect(window,
                &QWindow::screenChanged,
                this,
                &FrmEquilibrium::fitScreen,
                Qt::UniqueConnection);
    }
    refresh();
}

// --- refresh ------------------------------------------------------------------------

void FrmEquilibrium::updateExact()
{
    const std::int64_t h = 2 * std::int64_t(sim_.nH2) + sim_.nHD;
    const std::int64_t d = 2 * std::int64_t(sim_.nD2) + sim_.nHD;
    const double K = sim_.model().K();
    if (exactValid_ && h == exactH_ && d == exactD_ && K == exactK_)
        return;
    exact_ = exactDistribution(h, d, K);
    exactH_ = h;
    exactD_ = d;
    exactK_ = K;
    exactValid_ = true;
    lnW_ = lnWMoments(exact_);
    equilibriumRates_ = expectedRates(exact_);
}

bool FrmEquilibrium::runOfThisSystem() const
{
    // The observations belong to the run begun last; between a new setup and
    // its start they may still be those of other atoms.
    return sim_.nMolecules > 0 && sameAtoms(sim_.observed.start(), {sim_.nH2, sim_.nHD, sim_.nD2});
}

StayShares FrmEquilibrium::currentShares() const
{
    if (!runOfThisSystem())
        return {};
    return sim_.observed.sharesUpTo(sim_.nHD, sim_.nCollisions);
}

std::optional<std::vector<CompositionLine>> FrmEquilibrium::compositionsNow()
{
    refresh();
    if (sim_.nMolecules <= 0)
        return std::nullopt;
    return compositionLines(exact_, currentShares());
}

void FrmEquilibrium::refresh()
{
    ++refreshes_;
    if (sim_.nMolecules > 0) {
        updateExact();
    } else {
        exact_ = {};
        exactValid_ = false;
    }
    const StayShares shares = currentShares();
    compositions->showRun(exact_, shares, sim_.decimalPoint);
    summary->showRun(sim_.model(), exact_, shares, sim_.decimalPoint);
    constant->showModel(sim_.model(), sim_.decimalPoint);
    showCourse();
    showReactions();
    showSteps();
}

void FrmEquilibrium::showCourse()
{
    CourseChart::Theory theory;
    // Between a new setup and its start the observations may still be those
    // of other atoms.
    if (!exact_.empty() && runOfThisSystem()) {
        theory.exact = &exact_;
        theory.lnW = lnW_;
        theory.start = sim_.observed.start();
    }
    // The theory holds from the run's start, or from the last change of model.
    const std::int64_t segmentStart = sim_.observed.segmentStart();
    course->showRun(sim_.observed.series(),
                    sim_.observed.seriesOffset() + segmentStart,
                    sim_.nCollisions - segmentStart,
                    theory,
                    sim_.decimalPoint);
}

void FrmEquilibrium::showReactions()
{
    std::optional<ReactionProbabilities> now, atEquilibrium;
    if (sim_.nMolecules >= 2 && !exact_.empty()) {
        now = reactionProbabilities({sim_.nH2, sim_.nHD, sim_.nD2}, exact_.K);
        atEquilibrium = equilibriumRates_;
    }
    reactions->showRun(sim_.observed.reactions,
                       sim_.nCollisions - sim_.observed.segmentStart(),
                       now,
                       atEquilibrium,
                       !sim_.model().statisticsOnly(),
                       sim_.decimalPoint);
}

void FrmEquilibrium::showSteps()
{
    // The log holds collisions only while the user steps; a full-speed run
    // empties it.
    const bool stepping = !sim_.stepLog.empty();
    if (stepping) {
        const QString text = StepText::lines(sim_.stepLog, sim_.decimalPoint).join('\n');
        if (txtSteps->toPlainText() != text) {
            txtSteps->setPlainText(text);
            txtSteps->moveCursor(QTextCursor::End);
        }
    }
    if (stepping == fraSteps->isHidden()) {
        fraSteps->setVisible(stepping);
        arrange(fitsTwoColumns());
    }
}

// --- commands ---------------------------------------------------------------------------

void FrmEquilibrium::cmdSavePicture_Click()
{
    SaveFile::savePicture(this, this, "equilibrium.png", askSavePath);
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
    SaveFile::write(this,
                    path,
                    modelLine(sim_.model(), dp) + compositionsTable(exact_, shares, dp) + "\n"
                            + seriesTable(sim_.observed.series(), dp) + "\n"
                            + reactionsTable(sim_.observed.reactions,
                                             sim_.nCollisions - sim_.observed.segmentStart(),
                                             {sim_.nH2, sim_.nHD, sim_.nD2},
                                             exact_,
                                             dp));
}

} // namespace kormix::ui
