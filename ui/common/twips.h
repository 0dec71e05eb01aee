// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Window geometry is given in twips: 1/1440 inch, 15 twips to a pixel at 96
// dots per inch. Every window converts through these helpers, so that the
// painted shapes and the mouse handlers agree on one mapping.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

class QWidget;

namespace kormix::ui {

inline constexpr double kTwipsPerPixel = 15.0;

// Twips to the nearest whole pixel.
int px(double twips);
// A rectangle given in twips, with its edges rounded to pixels.
QRect twipsRect(double left, double top, double width, double height);
// A position in pixels (for example a mouse event's) in twips.
QPointF toTwips(QPointF pixels);

// Places a widget at a rectangle given in twips, relative to its parent.
void place(QWidget *widget, double left, double top, double width, double height);
void place(QWidget *widget, const QRectF &twips);
// Gives a top-level window a fixed client area given in twips.
void setClientSize(QWidget *window, double width, double height);

} // namespace kormix::ui
