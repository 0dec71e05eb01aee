// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/display/distributionchart.h"

#include "ui/common/twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kormix::ui {

DistributionChart::DistributionChart(QWidget *frame)
    : QWidget(frame)
{
    setObjectName("chart");
    setGeometry(frame->rect());
    setFocusPolicy(Qt::NoFocus);
    bars_.reserve(1000);
}

void DistributionChart::addBar(const PaintedShape &shape)
{
    bars_.push_back(shape);
    updateBar(barCount() - 1);
}

void DistributionChart::setBarGeometry(int k, const QRectF &geometry)
{
    updateBar(k);
    bars_[std::size_t(k)].geometry = geometry;
    updateBar(k);
}

void DistributionChart::setBarFill(int k, const QColor &fill)
{
    bars_[std::size_t(k)].fill = fill;
    updateBar(k);
}

void DistributionChart::setBarVisible(int k, bool visible)
{
    bars_[std::size_t(k)].visible = visible;
    updateBar(k);
}

void DistributionChart::setTopBar(int k)
{
    if (topBar_ >= 0)
        updateBar(topBar_);
    topBar_ = k;
    if (topBar_ >= 0)
        updateBar(topBar_);
}

void DistributionChart::updateBar(int k)
{
    if (!isVisible() || wholePending_)
        return; // the next paint covers everything anyway
    // A change of mode moves every bar: one repaint of the whole chart is
    // then far cheaper than a region built from a thousand rectangles.
    if (++pendingRects_ > kMaxPendingRects) {
        wholePending_ = true;
        update();
        return;
    }
    const QRectF &g = bars_[std::size_t(k)].geometry;
    update(twipsRect(g.left(), g.top(), g.width(), g.height()));
}

void DistributionChart::paintEvent(QPaintEvent *event)
{
    pendingRects_ = 0;
    wholePending_ = false;
    QPainter painter(this);
    const QRect dirty = event->rect();
    const auto paint = [&](const PaintedShape &b) {
        if (!b.visible)
            return;
        const QRectF &g = b.geometry;
        const QRect r = twipsRect(g.left(), g.top(), g.width(), g.height());
        if (r.intersects(dirty))
            painter.fillRect(r, b.fill);
    };
    for (int k = 0; k < barCount(); ++k) {
        if (k != topBar_)
            paint(bars_[std::size_t(k)]);
    }
    if (topBar_ >= 0 && topBar_ < barCount())
        paint(bars_[std::size_t(topBar_)]);
}

void DistributionChart::mousePressEvent(QMouseEvent *event)
{
    const QPointF t = toTwips(event->position());
    const int button = int(event->button() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
    emit mouseDown(button, t.x(), t.y());
}

} // namespace kormix::ui
