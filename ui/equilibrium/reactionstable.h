// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The reactions table of the equilibrium window: the forward and reverse
// reactions and the HD + HD meetings without a reaction (at a temperature
// the H2 + D2 meetings without one too), each counted since the run began or
// last changed its model, per collision lately, and with its exact chance
// per collision now and at equilibrium.
#pragma once

#include "core/equilibrium/reactions.h"
#include "core/equilibrium/summaries.h"

#include <QGroupBox>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;

namespace kormix::ui {

class ReactionsTable : public QGroupBox
{
    Q_OBJECT

public:
    explicit ReactionsTable(QWidget *parent = nullptr);

    // The counts after `collisions` collisions of the run going on, with the
    // exact chances for the composition now and at equilibrium ("–" without);
    // the H2 + D2 meetings without a reaction `atTemperature` only.
    void showRun(const ReactionCounts &counts,
                 std::int64_t collisions,
                 const std::optional<ReactionProbabilities> &now,
                 const std::optional<ReactionProbabilities> &atEquilibrium,
                 bool atTemperature,
                 char decimalPoint);

    // Per reaction (forward, reverse, HD + HD without reacting, H2 + D2
    // without reacting).
    std::array<QLabel *, 4> lblReaction{};
    std::array<QLabel *, 4> lblCount{};
    std::array<QLabel *, 4> lblRecent{};
    std::array<QLabel *, 4> lblExpectedNow{};
    std::array<QLabel *, 4> lblExpectedEquilibrium{};

private:
    RecentRates recent_;
};

} // namespace kormix::ui
