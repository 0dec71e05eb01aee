// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/summarybox.h"

#include "core/equilibrium/summaries.h"
#include "core/numberformat.h"
#include "core/quotienttext.h"
#include "ui/common/translation.h"
#include "ui/equilibrium/valuetext.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace kormix::ui {

namespace {

QString count(std::int64_t n)
{
    return QString::fromStdString(integerToText(n));
}

QString compositionText(const Composition &k)
{
    return SummaryBox::tr("%1 H2 + %2 HD + %3 D2").arg(count(k.nH2), count(k.nHD), count(k.nD2));
}

// A composition under its caption, where it may take the box's width.
QLabel *newComposition(const QString &name, QWidget *parent)
{
    QLabel *label = newCaption(ValueText::none(), name, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

SummaryBox::SummaryBox(QWidget *parent)
    : QGroupBox(tr("exact and observed"), parent)
{
    setObjectName("fraSummary");
    buildControls();
}

void SummaryBox::buildControls()
{
    auto *grid = new QGridLayout(this);
    lblModel = newCaption(ValueText::none(), "lblModel", this);
    lblModel->setToolTip(tr("The equilibrium the collisions go to (Run, Temperature...)"));
    QFont bold = lblModel->font();
    bold.setBold(true);
    lblModel->setFont(bold);
    grid->addWidget(lblModel, 0, 0, 1, 3);
    lblDistance = newCaption("", "lblDistance", this);
    lblDistance->setToolTip(tr("Total-variation distance: half the sum over all compositions of "
                               "|observed share - exact P|. 0 means the run spent its collisions "
                               "exactly as the theory says; 1 means it never met a likely "
                               "composition."));
    grid->addWidget(lblDistance, 1, 0, 1, 3);
    buildCompositions(grid);
    buildTable(grid, 9);
    grid->setColumnStretch(0, 1);
}

void SummaryBox::buildCompositions(QGridLayout *grid)
{
    grid->addWidget(newCaption(tr("most probable composition:"), "Label_mode", this), 2, 0, 1, 3);
    lblMode = newComposition("lblMode", this);
    grid->addWidget(lblMode, 3, 0, 1, 3);
    grid->addWidget(newCaption(tr("its probability P:"), "Label_modeP", this), 4, 0);
    lblModeP = newValue("lblModeP", this);
    grid->addWidget(lblModeP, 4, 2);
    grid->addWidget(newCaption(tr("its quotient Q:"), "Label_modeQ", this), 5, 0);
    lblModeQ = newValue("lblModeQ", this);
    grid->addWidget(lblModeQ, 5, 2);
    grid->addWidget(newCaption(tr("most microstates (largest W):"), "Label_mostW", this), 6, 0, 1, 3);
    lblMostW = newComposition("lblMostW", this);
    grid->addWidget(lblMostW, 7, 0, 1, 3);
    //: Shown when the most probable composition is not the one with the most
    //: microstates: energy favours H2 + D2 over 2 HD.
    lblModeNote = newCaption(tr("They differ: energy favours H2 + D2 over 2 HD."),
                             "lblModeNote",
                             this);
    lblModeNote->hide();
    grid->addWidget(lblModeNote, 8, 0, 1, 3);
}

void SummaryBox::buildTable(QGridLayout *grid, int row)
{
    auto *observedHead = newCaption(tr("observed"), "Label_observed", this);
    auto *exactHead = newCaption(tr("exact"), "Label_exact", this);
    observedHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    exactHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(observedHead, row, 1);
    grid->addWidget(exactHead, row, 2);
    const struct
    {
        QString caption;
        const char *name;
        QLabel *&observed;
        QLabel *&exact;
    } rows[] = {
            {tr("mean HD fraction:"), "mean", lblMeanObserved, lblMeanExact},
            {tr("mean number of HD:"), "meanHD", lblMeanHDObserved, lblMeanHDExact},
            {tr("standard deviation:"), "sd", lblSdObserved, lblSdExact},
            {tr("constant K:"), "K", lblKObserved, lblKExact},
    };
    for (const auto &r : rows) {
        ++row;
        // Whole on one line: the values beside take the width they need.
        QLabel *caption = newCaption(r.caption, QString("Label_%1").arg(r.name), this);
        caption->setWordWrap(false);
        grid->addWidget(caption, row, 0);
        const QString name = QString(r.name).replace(0, 1, QString(r.name).at(0).toUpper());
        r.observed = newValue(QString("lbl%1Observed").arg(name), this);
        r.exact = newValue(QString("lbl%1Exact").arg(name), this);
        grid->addWidget(r.observed, row, 1);
        grid->addWidget(r.exact, row, 2);
    }
    lblKObserved->setToolTip(tr("The run's estimate of K: <nHD (nHD - 1)> / <nH2 nD2> over its "
                                "collisions. At equilibrium it is K exactly, for any number of "
                                "molecules; Q of the most probable composition is not."));
    grid->setRowStretch(row + 1, 1);
}

bool SummaryBox::event(QEvent *event)
{
    const bool handled = QGroupBox::event(event);
    // Wrapped lines need the height they take at the width the box was
    // given. The window's layouts settle the box's height from the widths
    // they expect, which the scroll area and the fonts can make narrower, and
    // a longer text can need another line at the same width: after a resize
    // or a change of its texts the box asks for the height its lines need,
    // and the window makes room (or scrolls).
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) {
        const int needed = layout()->totalHeightForWidth(width());
        if (needed > 0 && needed != minimumHeight())
            setMinimumHeight(needed);
    }
    return handled;
}

QString SummaryBox::modeText(const ExactDistribution &exact) const
{
    const QString text = compositionText(exact.mode().counts);
    if (!exact.mostProbableTied)
        return text;
    //: %1 is the most probable composition, which shares its W with the one
    //: that has two HD more.
    return tr("%1 (as likely as the one with 2 HD more)").arg(text);
}

void SummaryBox::showRun(const EquilibriumModel &model,
                         const ExactDistribution &exact,
                         const StayShares &shares,
                         char decimalPoint)
{
    lblModel->setText(ValueText::model(model, decimalPoint));
    const std::optional<double> distance = exact.empty() ? std::nullopt
                                                         : totalVariation(shares, exact);
    lblDistance->setText(tr("distance from equilibrium (TV): %1")
                                 .arg(ValueText::fixed(distance, 4, decimalPoint)));
    lblKExact->setText(ValueText::constant(model.K(), decimalPoint));
    if (exact.empty()) {
        for (QLabel *label : {lblMode,
                              lblModeP,
                              lblModeQ,
                              lblMostW,
                              lblMeanExact,
                              lblMeanHDExact,
                              lblSdExact,
                              lblMeanObserved,
                              lblMeanHDObserved,
                              lblSdObserved,
                              lblKObserved})
            label->setText(ValueText::none());
        lblModeNote->hide();
        return;
    }
    showCompositions(exact, decimalPoint);
    lblMeanExact->setText(ValueText::fixed(exact.meanFraction, 4, decimalPoint));
    lblMeanHDExact->setText(ValueText::fixed(exact.meanHD, 4, decimalPoint));
    lblSdExact->setText(ValueText::spread(exact.sdFraction, decimalPoint));
    showObserved(exact, shares, decimalPoint);
}

void SummaryBox::showCompositions(const ExactDistribution &exact, char decimalPoint)
{
    const Composition &k = exact.mode().counts;
    lblMode->setText(modeText(exact));
    lblModeP->setText(ValueText::probability(exact.mode().p, decimalPoint));
    lblModeQ->setText(coreText(quotientText(k.nH2, k.nHD, k.nD2, decimalPoint))); // or "infinite"
    lblMostW->setText(compositionText(exact.mostMicrostates));
    lblModeNote->setVisible(!(exact.mostMicrostates == k));
}

void SummaryBox::showObserved(const ExactDistribution &exact,
                              const StayShares &shares,
                              char decimalPoint)
{
    const std::optional<Moments> observed = observedFractionMoments(shares, exact.nMolecules);
    const double n = double(exact.nMolecules);
    lblMeanObserved->setText(observed ? ValueText::fixed(observed->mean, 4, decimalPoint)
                                      : ValueText::none());
    lblMeanHDObserved->setText(observed ? ValueText::fixed(observed->mean * n, 4, decimalPoint)
                                        : ValueText::none());
    lblSdObserved->setText(observed ? ValueText::spread(observed->sd, decimalPoint)
                                    : ValueText::none());
    const std::optional<double> K = estimatedK(shares);
    lblKObserved->setText(K ? ValueText::fixed(*K, 3, decimalPoint) : ValueText::none());
}

} // namespace kormix::ui
