// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/molecules/frmmolecules.h"

#include "core/numberformat.h"
#include "core/quotienttext.h"
#include "core/simulation.h"
#include "ui/common/screenroom.h"
#include "ui/common/steptext.h"
#include "ui/common/translation.h"
#include "ui/common/widgets.h"
#include "ui/model/runmodel.h"
#include "ui/molecules/moleculespicture.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVariantAnimation>

#include <algorithm>

namespace kormix::ui {

namespace {

// An animation shorter than this would not be seen.
constexpr int kShortestTradeMs = 40;

QString count(std::int64_t n)
{
    return QString::fromStdString(integerToText(n));
}

// The kinds of the pair after the collision.
std::array<int, 2> kindsAfter(const StepEntry &entry)
{
    switch (entry.outcome) {
    case StepOutcome::FormedTwoHd:
        return {1, 1};
    case StepOutcome::FormedH2D2:
        return {0, 2}; // the first becomes the H2
    case StepOutcome::Unchanged:
        break;
    }
    return {entry.firstKind, entry.secondKind};
}

bool reacted(const StepEntry &entry)
{
    return entry.outcome != StepOutcome::Unchanged;
}

} // namespace

FrmMolecules::FrmMolecules(RunModel &model, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , model_(model)
    , sim_(model.sim())
{
    setObjectName("frmMolecules");
    setWindowTitle(tr("Molecules"));
    askSavePath = fileDialogOver(this);
    buildControls();
    new ScreenFit(this);
    trade_ = new QVariantAnimation(this);
    trade_->setStartValue(0.0);
    trade_->setEndValue(1.0);
    trade_->setEasingCurve(QEasingCurve::InOutQuad);
    connect(trade_, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        showTradeProgress(value.toDouble());
    });
    connect(trade_, &QVariantAnimation::finished, this, [this] { showTradeProgress(1); });
}

void FrmMolecules::buildControls()
{
    content_ = new QWidget(this);
    content_->setObjectName("content");
    picMolecules = new MoleculesPicture(content_);
    picMolecules->setSizes(QSize(560, 360), QSize(160, 72));
    picMolecules->setAccessibleName(tr("molecules"));
    lblShown = new QLabel(content_);
    lblShown->setObjectName("lblShown");
    lblShown->setWordWrap(true);
    lblShown->hide();

    fraCollision = new QGroupBox(tr("the collision"), content_);
    fraCollision->setObjectName("fraCollision");
    picPair = new MoleculesPicture(fraCollision);
    picPair->setObjectName("picPair");
    picPair->setSizes(QSize(120, 48), QSize(80, 32));
    picPair->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    picPair->setAccessibleName(tr("the two molecules picked"));
    // Room for two lines of outcome and three of the step log's line, the
    // longest they come to be in a narrow window, so that the window keeps
    // its layout from one collision to the next.
    const int line = fontMetrics().lineSpacing();
    lblOutcome = new QLabel(fraCollision);
    lblOutcome->setObjectName("lblOutcome");
    lblOutcome->setWordWrap(true);
    lblOutcome->setMinimumHeight(2 * line);
    lblOutcome->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStep = new QLabel(fraCollision);
    lblStep->setObjectName("lblStep");
    lblStep->setWordWrap(true);
    lblStep->setMinimumHeight(3 * line);
    lblStep->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStep->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *words = new QVBoxLayout;
    words->addWidget(lblOutcome);
    words->addWidget(lblStep);
    words->addStretch(1);
    auto *collision = new QHBoxLayout(fraCollision);
    collision->addWidget(picPair);
    collision->addLayout(words, 1);

    auto *inside = new QVBoxLayout(content_);
    inside->setContentsMargins(0, 0, 0, 0);
    inside->addWidget(picMolecules, 1);
    inside->addWidget(lblShown);
    inside->addLayout(buildCounts());
    inside->addWidget(fraCollision);

    cmdSavePicture = new QPushButton(tr("Save Picture..."), this);
    cmdSavePicture->setObjectName("cmdSavePicture");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePicture);
    auto *all = new QVBoxLayout(this);
    all->addWidget(content_, 1);
    all->addLayout(buttons);
    connect(cmdSavePicture, &QPushButton::clicked, this, &FrmMolecules::cmdSavePicture_Click);
}

QGridLayout *FrmMolecules::buildCounts()
{
    // Each count under its caption, so that even ten digits leave room.
    const QString captions[4] = {tr("nH2"), tr("nHD"), tr("nD2"), tr("Q")};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        lblCaption[i] = new QLabel(captions[i], content_);
        lblCaption[i]->setObjectName(QString("lblCaption_%1").arg(i));
        lblCount[i] = new QLabel(content_);
        lblCount[i]->setObjectName(QString("lblCount_%1").arg(i));
        lblCount[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblCaption[i]->setBuddy(lblCount[i]);
        lblCount[i]->setAccessibleDescription(captions[i]);
        grid->addWidget(lblCaption[i], 0, i);
        grid->addWidget(lblCount[i], 1, i);
        grid->setColumnStretch(i, 1);
    }
    return grid;
}

// --- fitting the screen -------------------------------------------------------------

QSize FrmMolecules::sizeHint() const
{
    return QWidget::sizeHint().boundedTo(screenRoom(this));
}

void FrmMolecules::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

// --- refresh ------------------------------------------------------------------------

std::vector<std::int8_t> FrmMolecules::placedKinds()
{
    const std::int64_t n = sim_.nMolecules;
    whole_ = n <= kDrawnMolecules;
    if (!whole_) {
        sample_.follow({sim_.nH2, sim_.nHD, sim_.nD2});
        return sample_.kinds();
    }
    // Molecule k stands in place k - 1 of the picture.
    model_.followMolecules();
    const MoleculeRoster &roster = sim_.roster;
    std::vector<std::int8_t> kinds(static_cast<std::size_t>(n));
    for (std::int64_t place = 1; place <= n; ++place)
        kinds[std::size_t(roster.numberAt(place) - 1)] = std::int8_t(roster.kindAtPlace(place));
    return kinds;
}

void FrmMolecules::showCounts()
{
    const QString q = coreText(quotientText(sim_.nH2, sim_.nHD, sim_.nD2, sim_.decimalPoint));
    const QString values[4] = {count(sim_.nH2), count(sim_.nHD), count(sim_.nD2), q};
    for (int i = 0; i < 4; ++i)
        writeText(lblCount[i], sim_.nMolecules > 0 ? values[i] : QString());
    const bool sampled = !whole_;
    if (sampled) {
        writeText(lblShown,
                  tr("%1 of %2 molecules shown, in the same proportions")
                          .arg(count(kDrawnMolecules), count(sim_.nMolecules)));
    }
    if (lblShown->isHidden() == sampled)
        lblShown->setVisible(sampled);
}

std::optional<StepEntry> FrmMolecules::lastCollision() const
{
    // The log holds every collision while each can be watched; a run at
    // full speed empties it.
    if (sim_.stepLog.empty())
        return std::nullopt;
    const StepEntry last = sim_.stepLog.entries().back();
    if (last.collision != sim_.nCollisions)
        return std::nullopt;
    return last;
}

void FrmMolecules::refresh()
{
    picMolecules->showKinds(placedKinds());
    showCounts();
    const std::optional<StepEntry> entry = lastCollision();
    if (entry != shownEntry_) {
        // Atoms trade places only where the picture saw the collision before.
        const bool next = entry && entry->collision == shownCollision_ + 1;
        shownEntry_ = entry;
        showCollision(entry);
        trade_->stop();
        const int ms = next && reacted(*entry) ? tradeDuration() : 0;
        if (ms > 0) {
            trade_->setDuration(ms);
            trade_->start();
            showTradeProgress(0); // the animation tells only of changes
        } else {
            showTradeProgress(1);
        }
    }
    shownCollision_ = sim_.nCollisions;
    describe(entry);
}

void FrmMolecules::showCollision(const std::optional<StepEntry> &entry)
{
    if (!entry) {
        picMolecules->ring(std::nullopt);
        picPair->showKinds({});
        writeText(lblOutcome, tr("Step, or run at 100 or 10 a second, to see each collision here."));
        writeText(lblStep, QString());
        return;
    }
    if (whole_)
        picMolecules->ring(std::array{int(entry->first - 1), int(entry->second - 1)});
    else
        picMolecules->ring(std::nullopt); // the pair is rarely among those drawn
    const std::array<int, 2> after = kindsAfter(*entry);
    picPair->showKinds({std::int8_t(after[0]), std::int8_t(after[1])});

    QString outcome;
    const QString half = QStringLiteral("0") + QLatin1Char(sim_.decimalPoint) + QStringLiteral("5");
    if (reacted(*entry))
        outcome = tr("They react: the two molecules trade atoms.");
    else if (entry->acceptanceDrawn)
        outcome = tr("No reaction: at this temperature H2 + D2 react only when their draw is "
                     "below K / 4.");
    else if (entry->coinTossed)
        //: %1 is one half, written with the program's decimal separator.
        outcome = tr("No reaction: HD + HD react only when their coin is above %1.").arg(half);
    else
        outcome = tr("No reaction: trading atoms would give the same kinds again.");
    writeText(lblOutcome, outcome);
    writeText(lblStep, StepText::lines(sim_.stepLog, sim_.decimalPoint).constLast());
}

int FrmMolecules::tradeDuration() const
{
    // A step that has ended waits for nothing.
    if (!sim_.running())
        return kTradeMs;
    const std::int64_t rate = model_.pacedRate();
    if (rate <= 0)
        return 0;
    const std::int64_t ms = std::min<std::int64_t>(kTradeMs, 800 / rate);
    return ms >= kShortestTradeMs ? int(ms) : 0;
}

void FrmMolecules::showTradeProgress(double progress)
{
    const std::optional<StepEntry> &entry = shownEntry_;
    if (progress >= 1 || !entry || !reacted(*entry)) {
        picMolecules->showTrade(std::nullopt);
        picPair->showTrade(std::nullopt);
        return;
    }
    if (whole_) {
        picMolecules->showTrade(
                tradeOf(int(entry->first - 1), int(entry->second - 1), entry->firstKind, progress));
    }
    picPair->showTrade(tradeOf(0, 1, entry->firstKind, progress));
}

bool FrmMolecules::trading() const
{
    return trade_->state() == QAbstractAnimation::Running;
}

void FrmMolecules::describe(const std::optional<StepEntry> &entry)
{
    QString text = tr("%1 molecules: %2 H2, %3 HD, %4 D2")
                           .arg(count(sim_.nMolecules),
                                count(sim_.nH2),
                                count(sim_.nHD),
                                count(sim_.nD2));
    if (!whole_)
        text += tr("; %1 of them shown, in the same proportions").arg(count(kDrawnMolecules));
    if (entry) {
        //: %1 and %3 are the molecules' numbers, %2 and %4 their kinds, %5
        //: what came of it.
        text += tr("; picked: molecule %1 (%2) and molecule %3 (%4), %5")
                        .arg(count(entry->first),
                             StepText::kindName(entry->firstKind),
                             count(entry->second),
                             StepText::kindName(entry->secondKind),
                             reacted(*entry) ? tr("they react") : tr("no reaction"));
    }
    if (picMolecules->accessibleDescription() != text)
        picMolecules->setAccessibleDescription(text);
}

// --- commands ---------------------------------------------------------------------------

void FrmMolecules::cmdSavePicture_Click()
{
    SaveFile::savePicture(this, content_, "molecules.png", askSavePath);
}

} // namespace kormix::ui
