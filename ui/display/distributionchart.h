// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The painted area of the detailed display's "Distributions" frame: one bar
// per distribution of the register. The bars are plain records in twips,
// painted in one pass, so that a thousand of them cost no child widgets and
// their geometry reads back exactly as it was computed.
#pragma once

#include "ui/common/paintedshape.h"

#include <QWidget>

#include <vector>

namespace kormix::ui {

class DistributionChart : public QWidget
{
    Q_OBJECT

public:
    // Covers the whole frame it is placed in, so that its twips are the
    // frame's. It draws nothing but the bars: the frame's own background and
    // caption show through.
    explicit DistributionChart(QWidget *frame);

    int barCount() const { return int(bars_.size()); }
    const PaintedShape &bar(int k) const { return bars_[std::size_t(k)]; }

    // Adds an element at the end of the array.
    void addBar(const PaintedShape &shape);
    void setBarGeometry(int k, const QRectF &geometry);
    void setBarFill(int k, const QColor &fill);
    void setBarVisible(int k, bool visible);
    // Bar k is drawn over all others (where narrow bars overlap, the selected
    // one must not disappear behind its neighbours); -1 for none.
    void setTopBar(int k);

signals:
    // A mouse press on the chart: the button (1 left, 2 right, 4 middle) and
    // the position in twips relative to the frame.
    void mouseDown(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // Asks for a repaint of the pixels bar k covers now.
    void updateBar(int k);

    static constexpr int kMaxPendingRects = 64;

    std::vector<PaintedShape> bars_;
    int topBar_ = -1;
    int pendingRects_ = 0;      // bar rectangles asked to repaint since the last paint
    bool wholePending_ = false; // the whole chart is to be repainted
};

} // namespace kormix::ui
