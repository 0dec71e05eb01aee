// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/twips.h"

#include <QWidget>

#include <cmath>

namespace kormix::ui {

int Px(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect TwipsRect(double left, double top, double width, double height)
{
    const int l = Px(left);
    const int t = Px(top);
    return QRect(l, t, Px(left + width) - l, Px(top + height) - t);
}

QPointF ToTwips(QPointF pixels)
{
    return pixels * kTwipsPerPixel;
}

void Place(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(TwipsRect(left, top, width, height));
}

void Place(QWidget *widget, const QRectF &twips)
{
    widget->setGeometry(TwipsRect(twips.left(), twips.top(), twips.width(), twips.height()));
}

void SetClientSize(QWidget *window, double width, double height)
{
    window->setFixedSize(Px(width), Px(height));
}

} // namespace kormix::ui
