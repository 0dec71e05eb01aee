// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The reactions table of the equilibrium window: the forward and reverse
// reactions and the HD + HD meetings without a reaction, each counted since
// the run began, per collision lately, and with its exact chance per
// collision now and at equilibrium.
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
    // exact chances for the composition now and at equilibrium ("–" without).
    void showRun(const ReactionCounts &counts,
                 std::int64_t collisions,
                 const std::optional<ReactionProbabilities> &now,
                 const std::optional<ReactionProbabilities> &atEquilibrium,
                 char decimalPoint);

    // Per reaction (forward, reverse, HD + HD without reacting).
    std::array<QLabel *, 3> lblCount{};
    std::array<QLabel *, 3> lblRecent{};
    std::array<QLabel *, 3> lblExpectedNow{};
    std::array<QLabel *, 3> lblExpectedEquilibrium{};

private:
    RecentRates recent_;
};

} // namespace kormix::ui
