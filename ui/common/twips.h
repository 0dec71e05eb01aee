// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Window geometry is given in twips: 1/1440 inch, 15 twips to a pixel at 96
// dots per inch. Every window converts through these helpers, so that the
// painted shapes and the mouse handlers agree on one mapping.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>

class QPalette;
class QWidget;

namespace kormix::ui {

inline constexpr double kTwipsPerPixel = 15.0;

// Twips to the nearest whole pixel.
int Px(double twips);
// A rectangle given in twips, with its edges rounded to pixels.
QRect TwipsRect(double left, double top, double width, double height);
// A position in pixels (for example a mouse event's) in twips.
QPointF ToTwips(QPointF pixels);

// Places a widget at a rectangle given in twips, relative to its parent.
void Place(QWidget *widget, double left, double top, double width, double height);
// Gives a top-level window a fixed client area given in twips.
void SetClientSize(QWidget *window, double width, double height);

// The system's sans-serif face standing in for MS Sans Serif, at a size in
// points as designed for 96 dots per inch.
QFont SansFont(double points, bool bold = true);

// Gives a window the system's window colours (the background text fields
// have, white on most desktops, and their text colour), as the windows were
// designed with.
void UseWindowColours(QWidget *window);

// Gives an area a white background and black text whatever the desktop's
// palette, for the frames and pictures the windows were drawn with on white:
// under a dark palette their inherited text colours would be light on white.
// Labels, check boxes and option buttons inside take the same colours.
void UseWhiteBackground(QWidget *area);

// Check boxes and option buttons inside the area keep an indicator that stands
// out from the area's background. Styles draw the indicator's outline from the
// colour the button stands on (Fusion darkens it a little), which vanishes on
// a dark background; under a dark palette the buttons take a colour halfway
// between the background and their text instead.
void KeepIndicatorsVisible(QWidget *area);

// The colour of a frame's line on an area of this palette: the palette's own
// (Mid) on a light background; on a dark one, where that would vanish, halfway
// between the background and the text.
QColor LineColour(const QPalette &palette);

} // namespace kormix::ui
