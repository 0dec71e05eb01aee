// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/molecules/moleculespicture.h"

#include "ui/common/widgets.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace kormix::ui {

namespace {

// A place is this many disc radii wide and high: a molecule is four wide and
// two high, with room around it for its ring.
constexpr double kCellWidth = 5.4;
constexpr double kCellHeight = 3.4;

} // namespace

MoleculesPicture::MoleculesPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("picMolecules");
    useWhiteBackground(this);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MoleculesPicture::showKinds(std::vector<std::int8_t> kinds)
{
    if (kinds == kinds_)
        return;
    const bool moved = kinds.size() != kinds_.size();
    kinds_ = std::move(kinds);
    if (moved)
        layOut();
    update();
}

void MoleculesPicture::ring(const std::optional<std::array<int, 2>> &places)
{
    if (places == ringed_)
        return;
    ringed_ = places;
    update();
}

void MoleculesPicture::showTrade(const std::optional<AtomTrade> &trade)
{
    if (!trade && !trade_)
        return;
    trade_ = trade;
    update();
}

void MoleculesPicture::layOut()
{
    const int n = std::max<int>(1, int(kinds_.size()));
    const double w = std::max(1, width());
    const double h = std::max(1, height());
    double best = 0;
    for (int columns = 1; columns <= n; ++columns) {
        const int rows = (n + columns - 1) / columns;
        const double r = std::min(w / (columns * kCellWidth), h / (rows * kCellHeight));
        if (r > best) {
            best = r;
            columns_ = columns;
        }
    }
    cellWidth_ = best * kCellWidth;
    cellHeight_ = best * kCellHeight;
    const int rows = (n + columns_ - 1) / columns_;
    origin_ = QPointF((w - columns_ * cellWidth_) / 2, (h - rows * cellHeight_) / 2);
}

QPointF MoleculesPicture::centreOf(int place) const
{
    return origin_
           + QPointF((place % columns_ + 0.5) * cellWidth_, (place / columns_ + 0.5) * cellHeight_);
}

double MoleculesPicture::radius() const
{
    return cellWidth_ / kCellWidth;
}

void MoleculesPicture::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void MoleculesPicture::setSizes(const QSize &wanted, const QSize &least)
{
    wanted_ = wanted;
    least_ = least;
    updateGeometry();
}

void MoleculesPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    std::vector<QPointF> centres(kinds_.size());
    std::vector<Atoms> atoms(kinds_.size());
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        centres[i] = centreOf(int(i));
        atoms[i] = atomsOfKind(kinds_[i]);
    }
    const double r = radius();
    paintMolecules(painter, centres, atoms, r, trade_);
    if (ringed_) {
        for (int place : *ringed_) {
            if (place >= 0 && std::size_t(place) < kinds_.size())
                paintRing(painter, centreOf(place), r);
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace kormix::ui
