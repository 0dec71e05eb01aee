// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/summarybox.h"

#include "core/equilibrium/summaries.h"
#include "core/numberformat.h"
#include "core/quotienttext.h"
#include "ui/common/translation.h"
#include "ui/equilibrium/valuetext.h"

#include <QGridLayout>
#include <QLabel>

namespace kormix::ui {

namespace {

QString count(std::int64_t n)
{
    return QString::fromStdString(integerToText(n));
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
    lblDistance = newCaption("", "lblDistance", this);
    lblDistance->setToolTip(tr("Total-variation distance: half the sum over all compositions of "
                               "|observed share - exact P|. 0 means the run spent its collisions "
                               "exactly as the theory says; 1 means it never met a likely "
                               "composition."));
    grid->addWidget(lblDistance, 0, 0, 1, 3);
    // The composition under its caption, where it may take the box's width.
    grid->addWidget(newCaption(tr("most probable composition:"), "Label_mode", this), 1, 0, 1, 3);
    lblMode = newCaption(ValueText::none(), "lblMode", this);
    lblMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lblMode, 2, 0, 1, 3);
    grid->addWidget(newCaption(tr("its probability P:"), "Label_modeP", this), 3, 0);
    lblModeP = newValue("lblModeP", this);
    grid->addWidget(lblModeP, 3, 2);
    grid->addWidget(newCaption(tr("its quotient Q:"), "Label_modeQ", this), 4, 0);
    lblModeQ = newValue("lblModeQ", this);
    grid->addWidget(lblModeQ, 4, 2);
    auto *observedHead = newCaption(tr("observed"), "Label_observed", this);
    auto *exactHead = newCaption(tr("exact"), "Label_exact", this);
    observedHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    exactHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(observedHead, 5, 1);
    grid->addWidget(exactHead, 5, 2);
    grid->addWidget(newCaption(tr("mean HD fraction:"), "Label_mean", this), 6, 0);
    lblMeanObserved = newValue("lblMeanObserved", this);
    lblMeanExact = newValue("lblMeanExact", this);
    grid->addWidget(lblMeanObserved, 6, 1);
    grid->addWidget(lblMeanExact, 6, 2);
    grid->addWidget(newCaption(tr("standard deviation:"), "Label_sd", this), 7, 0);
    lblSdObserved = newValue("lblSdObserved", this);
    lblSdExact = newValue("lblSdExact", this);
    grid->addWidget(lblSdObserved, 7, 1);
    grid->addWidget(lblSdExact, 7, 2);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(0, 1);
}

QString SummaryBox::modeText(const ExactDistribution &exact) const
{
    const Composition &k = exact.mode().counts;
    const QString text = tr("%1 H2 + %2 HD + %3 D2").arg(count(k.nH2), count(k.nHD), count(k.nD2));
    if (!exact.mostProbableTied)
        return text;
    //: %1 is the most probable composition, which shares its W with the one
    //: that has two HD more.
    return tr("%1 (as likely as the one with 2 HD more)").arg(text);
}

void SummaryBox::showRun(const ExactDistribution &exact, const StayShares &shares, char decimalPoint)
{
    const std::optional<double> distance = exact.empty() ? std::nullopt
                                                         : totalVariation(shares, exact);
    lblDistance->setText(tr("distance from equilibrium (TV): %1")
                                 .arg(ValueText::fixed(distance, 4, decimalPoint)));
    if (exact.empty()) {
        for (QLabel *label :
             {lblMode, lblModeP, lblModeQ, lblMeanExact, lblSdExact, lblMeanObserved, lblSdObserved})
            label->setText(ValueText::none());
        return;
    }
    const Composition &k = exact.mode().counts;
    lblMode->setText(modeText(exact));
    lblModeP->setText(ValueText::probability(exact.mode().p, decimalPoint));
    lblModeQ->setText(coreText(quotientText(k.nH2, k.nHD, k.nD2, decimalPoint))); // or "infinite"
    lblMeanExact->setText(ValueText::fixed(exact.meanFraction, 4, decimalPoint));
    lblSdExact->setText(ValueText::spread(exact.sdFraction, decimalPoint));
    const std::optional<Moments> observed = observedFractionMoments(shares, exact.nMolecules);
    lblMeanObserved->setText(observed ? ValueText::fixed(observed->mean, 4, decimalPoint)
                                      : ValueText::none());
    lblSdObserved->setText(observed ? ValueText::spread(observed->sd, decimalPoint)
                                    : ValueText::none());
}

} // namespace kormix::ui
