// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/twips.h"

#include <QWidget>

#include <cmath>

namespace kormix::ui {

int px(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(double left, double top, double width, double height)
{
    const int l = px(left);
    const int t = px(top);
    return QRect(l, t, px(left + width) - l, px(top + height) - t);
}

QPointF toTwips(QPointF pixels)
{
    return pixels * kTwipsPerPixel;
}

void place(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

void place(QWidget *widget, const QRectF &twips)
{
    widget->setGeometry(twipsRect(twips.left(), twips.top(), twips.width(), twips.height()));
}

void setClientSize(QWidget *window, double width, double height)
{
    window->setFixedSize(px(width), px(height));
}

} // namespace kormix::ui
