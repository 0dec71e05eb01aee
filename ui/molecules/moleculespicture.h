// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The molecules of the system in rows on a white ground, each in a place of
// its own: the molecule numbered k (or the k-th drawn of a large system)
// stands in the k-th place, row by row, so that it keeps its place while the
// run goes on. The two molecules of the collision shown are ringed, and two
// atoms they trade may be on their way.
#pragma once

#include "ui/molecules/moleculedrawing.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kormix::ui {

class MoleculesPicture : public QWidget
{
    Q_OBJECT

public:
    explicit MoleculesPicture(QWidget *parent = nullptr);

    // The kinds (0 = H2, 1 = HD, 2 = D2) in the places 0, 1, 2, ...
    void showKinds(std::vector<std::int8_t> kinds);
    const std::vector<std::int8_t> &kinds() const { return kinds_; }
    // Rings the molecules in these two places, or none.
    void ring(const std::optional<std::array<int, 2>> &places);
    const std::optional<std::array<int, 2>> &ringed() const { return ringed_; }
    // Two atoms on their way between the ringed molecules, or none.
    void showTrade(const std::optional<AtomTrade> &trade);

    // Where the molecule in a place stands, and the radius of its discs, at
    // the widget's size.
    QPointF centreOf(int place) const;
    double radius() const;

    // The size the picture asks for, and the least it may be made.
    void setSizes(const QSize &wanted, const QSize &least);
    QSize sizeHint() const override { return wanted_; }
    QSize minimumSizeHint() const override { return least_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Places the molecules in as many columns as gives the largest discs.
    void layOut();

    std::vector<std::int8_t> kinds_;
    std::optional<std::array<int, 2>> ringed_;
    std::optional<AtomTrade> trade_;
    int columns_ = 1;
    double cellWidth_ = 0;
    double cellHeight_ = 0;
    QPointF origin_;
    QSize wanted_{400, 300};
    QSize least_{160, 100};
};

} // namespace kormix::ui
