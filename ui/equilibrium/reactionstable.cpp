// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/reactionstable.h"

#include "core/equilibrium/tables.h"
#include "core/numberformat.h"
#include "ui/common/translation.h"
#include "ui/equilibrium/valuetext.h"

#include <QGridLayout>
#include <QLabel>

namespace kormix::ui {

namespace {

std::array<double, 4> asArray(const ReactionProbabilities &p)
{
    return {p.forward, p.reverse, p.hdUnreacted, p.h2d2Unreacted};
}

} // namespace

ReactionsTable::ReactionsTable(QWidget *parent)
    : QGroupBox(tr("reactions"), parent)
{
    setObjectName("fraReactions");
    auto *table = new QGridLayout(this);
    const char *heads[] = {QT_TR_NOOP("count"),
                           QT_TR_NOOP("recent, per collision"),
                           QT_TR_NOOP("expected now"),
                           QT_TR_NOOP("at equilibrium")};
    for (int c = 0; c < 4; ++c) {
        QLabel *head = newCaption(tr(heads[c]), QString("Label_reactions_%1").arg(c), this);
        head->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        table->addWidget(head, 0, c + 1);
    }
    // The reactions' names as the core's tables write them, in the user's
    // language.
    const char *reactions[] = {kForwardName, kReverseName, kUnreactedName, kH2D2UnreactedName};
    for (int r = 0; r < 4; ++r) {
        const auto i = std::size_t(r);
        lblReaction[i] = newCaption(coreText(reactions[r]),
                                    QString("Label_reaction_%1").arg(r),
                                    this);
        table->addWidget(lblReaction[i], r + 1, 0);
        lblCount[i] = newValue(QString("lblCount_%1").arg(r), this);
        lblRecent[i] = newValue(QString("lblRecent_%1").arg(r), this);
        lblExpectedNow[i] = newValue(QString("lblExpectedNow_%1").arg(r), this);
        lblExpectedEquilibrium[i] = newValue(QString("lblExpectedEquilibrium_%1").arg(r), this);
        table->addWidget(lblCount[i], r + 1, 1);
        table->addWidget(lblRecent[i], r + 1, 2);
        table->addWidget(lblExpectedNow[i], r + 1, 3);
        table->addWidget(lblExpectedEquilibrium[i], r + 1, 4);
    }
    lblRecent[0]->setToolTip(tr("Reactions per collision since the window's last refresh"));
    table->setColumnStretch(0, 2);
    for (int c = 1; c <= 4; ++c)
        table->setColumnStretch(c, 1);
}

void ReactionsTable::showRun(const ReactionCounts &counts,
                             std::int64_t collisions,
                             const std::optional<ReactionProbabilities> &now,
                             const std::optional<ReactionProbabilities> &atEquilibrium,
                             bool atTemperature,
                             char decimalPoint)
{
    const std::array<std::int64_t, 4> counted = {counts.forward,
                                                 counts.reverse,
                                                 counts.hdUnreacted,
                                                 counts.h2d2Unreacted};
    const RecentRates::Rates &rates = recent_.look(counts, collisions);
    // Statistics only: every H2 + D2 meeting reacts.
    for (QLabel *label :
         {lblReaction[3], lblCount[3], lblRecent[3], lblExpectedNow[3], lblExpectedEquilibrium[3]})
        label->setVisible(atTemperature);
    for (std::size_t i = 0; i < 4; ++i) {
        lblCount[i]->setText(QString::fromStdString(integerToText(counted[i])));
        lblRecent[i]->setText(ValueText::fixed(rates[i], 4, decimalPoint));
        lblExpectedNow[i]->setText(now ? ValueText::fixed(asArray(*now)[i], 4, decimalPoint)
                                       : ValueText::none());
        lblExpectedEquilibrium[i]->setText(
                atEquilibrium ? ValueText::fixed(asArray(*atEquilibrium)[i], 4, decimalPoint)
                              : ValueText::none());
    }
}

} // namespace kormix::ui
