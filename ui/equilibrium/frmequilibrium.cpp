// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/frmequilibrium.h"

#include "core/distributionsfile.h"
#include "core/equilibrium/stayshares.h"
#include "core/equilibrium/tables.h"
#include "core/simulation.h"
#include "ui/common/steptext.h"
#include "ui/common/widgets.h"
#include "ui/display/frmdisplay.h"
#include "ui/equilibrium/compositionschart.h"
#include "ui/equilibrium/coursechart.h"
#include "ui/equilibrium/reactionstable.h"
#include "ui/equilibrium/summarybox.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <array>
#include <filesystem>

namespace kormix::ui {

namespace {

// Points of the expected approach curve.
constexpr int kApproachSamples = 200;
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
    askSavePath = [this](const QString &caption, const QString &name, const QString &filter) {
        return QFileDialog::getSaveFileName(this, caption, name, filter);
    };
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

std::array<QWidget *, 5> FrmEquilibrium::pieces() const
{
    return {compositions, summary, course, fraSteps, reactions};
}

void FrmEquilibrium::arrange(bool wide)
{
    wide_ = wide;
    const bool stepping = !fraSteps->isHidden();
    for (QWidget *piece : pieces())
        grid_->removeWidget(piece);
    for (int i = 0; i < 5; ++i)
        grid_->setRowStretch(i, 0);
    if (wide) {
        // The step log beside the course, where the summary leaves a column.
        grid_->addWidget(compositions, 0, 0);
        grid_->addWidget(summary, 0, 1);
        grid_->addWidget(course, 1, 0, 1, stepping ? 1 : 2);
        grid_->addWidget(fraSteps, 1, 1);
        grid_->addWidget(reactions, 2, 0, 1, 2);
        grid_->setRowStretch(0, 1);
        grid_->setRowStretch(1, 1);
    } else {
        grid_->addWidget(compositions, 0, 0);
        grid_->addWidget(summary, 1, 0);
        grid_->addWidget(course, 2, 0);
        grid_->addWidget(fraSteps, 3, 0);
        grid_->addWidget(reactions, 4, 0);
        grid_->setRowStretch(0, 1);
        grid_->setRowStretch(2, 1);
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
    const int left = std::max(least(compositions), stepping ? least(course) : 0);
    const int right = std::max(least(summary), stepping ? least(fraSteps) : 0);
    const int spanning = std::max(least(reactions), stepping ? 0 : least(course));
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

const QScreen *FrmEquilibrium::homeScreen() const
{
    // Before the window is first shown it belongs to no screen yet: it opens
    // on its owner's.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    return !windowHandle() && owner ? owner->screen() : screen();
}

QSize FrmEquilibrium::decoration() const
{
    // Before the window is shown its frame is not known: the window manager
    // gives it about its owner's.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QSize frame = frameGeometry().size() - size();
    return frame.isNull() && owner ? owner->frameGeometry().size() - owner->size() : frame;
}

QSize FrmEquilibrium::room() const
{
    const QScreen *screen = homeScreen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size() - decoration();
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
    if (exactValid_ && h == exactH_ && d == exactD_)
        return;
    exact_ = exactDistribution(h, d);
    exactH_ = h;
    exactD_ = d;
    exactValid_ = true;
    lnW_ = lnWMoments(exact_);
    equilibriumRates_ = expectedRates(exact_);
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
        approach_ = {};
        approachStart_.reset();
    }
    if (runOfThisSystem())
        updateApproach();
    const StayShares shares = currentShares();
    compositions->showRun(exact_, shares, sim_.decimalPoint);
    summary->showRun(exact_, shares, sim_.decimalPoint);
    showCourse();
    showReactions();
    showSteps();
}

void FrmEquilibrium::showCourse()
{
    CourseChart::Theory theory;
    if (!exact_.empty()) {
        theory.exact = &exact_;
        theory.lnW = lnW_;
        theory.approach = &approach_;
        theory.startMolecules = sim_.observed.start().molecules();
    }
    course->showRun(sim_.observed.series(),
                    sim_.observed.seriesOffset(),
                    sim_.nCollisions,
                    theory,
                    sim_.decimalPoint);
}

void FrmEquilibrium::showReactions()
{
    std::optional<ReactionProbabilities> now, atEquilibrium;
    if (sim_.nMolecules >= 2 && !exact_.empty()) {
        now = reactionProbabilities({sim_.nH2, sim_.nHD, sim_.nD2});
        atEquilibrium = equilibriumRates_;
    }
    reactions->showRun(sim_.observed.reactions,
                       sim_.nCollisions,
                       now,
                       atEquilibrium,
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

void FrmEquilibrium::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, tr("Kormix"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // a path is never markup
    box.exec();
}

bool FrmEquilibrium::writeFile(const QString &path, const std::string &content)
{
    // UTF-16 names any file on Windows; elsewhere it becomes the file system's UTF-8.
    const ExportResult result = writeWholeFile(std::filesystem::path(path.toStdU16String()),
                                               content);
    if (!result.ok)
        showMessage(FrmDisplay::exportMessage(result));
    return result.ok;
}

void FrmEquilibrium::cmdSavePicture_Click()
{
    const QString path = askSavePath(tr("Save Picture"),
                                     "equilibrium.png",
                                     tr("PNG images (*.png)"));
    if (path.isEmpty())
        return;
    // Made whole in memory first: the file is then written like every other.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !grab().save(&buffer, "PNG")) {
        showMessage(tr("The picture could not be written to %1").arg(path));
        return;
    }
    writeFile(path, png.toStdString());
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
    writeFile(path,
              compositionsTable(exact_, shares, dp) + "\n" + seriesTable(sim_.observed.series(), dp)
                      + "\n"
                      + reactionsTable(sim_.observed.reactions,
                                       sim_.nCollisions,
                                       {sim_.nH2, sim_.nHD, sim_.nD2},
                                       exact_,
                                       dp));
}

} // namespace kormix::ui
