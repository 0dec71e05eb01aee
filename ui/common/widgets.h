// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What every window builds its controls with: the font the layouts were drawn
// for, the colours of windows and of the areas drawn on white, and labels and
// buttons placed at their given twips with texts that are never cut.
#pragma once

#include "ui/common/fitlabel.h"
#include "ui/common/twips.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPalette;
class QWidget;

namespace kormix::ui {

// The system's sans-serif face standing in for MS Sans Serif, at a size in
// points as designed for 96 dots per inch.
QFont sansFont(double points, bool bold = true);

// Gives a window the system's window colours (the background text fields
// have, white on most desktops, and their text colour), as the windows were
// designed with.
void useWindowColours(QWidget *window);

// Gives an area a white background and black text whatever the desktop's
// palette, for the frames and pictures the windows were drawn with on white:
// under a dark palette their inherited text colours would be light on white.
// Labels, check boxes and option buttons inside take the same colours.
void useWhiteBackground(QWidget *area);

// Check boxes and option buttons inside the area keep an indicator that stands
// out from the area's background. Styles draw the indicator's outline from the
// colour the button stands on (Fusion darkens it a little), which vanishes on
// a dark background; under a dark palette the buttons take a colour halfway
// between the background and their text instead.
void keepIndicatorsVisible(QWidget *area);

// True for a dark palette: its text lighter than its background.
bool isDark(const QPalette &palette);

// The colour of a frame's line on an area of this palette: the palette's own
// (Mid) on a light background; on a dark one, where that would vanish, halfway
// between the background and the text.
QColor lineColour(const QPalette &palette);

// Makes a label never shorter than a line of its font, so that no descender
// is cut off: a box drawn lower than that grows downwards.
void keepLineHigh(QLabel *label);

// A label as the windows lay them out: plain text that shrinks rather than
// being cut, aligned to the top left of its box at the rectangle given in
// twips relative to the parent, and never shorter than a line of its font.
// Without a font it takes its parent's.
FitLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRectF &twips);
FitLabel *makeLabel(QWidget *parent,
                    const char *name,
                    const QString &text,
                    const QRectF &twips,
                    const QFont &font);

// A push button, check box or option button with a caption that is never cut,
// at the rectangle given in twips relative to the parent.
template<typename Button>
FitButton<Button> *makeButton(QWidget *parent,
                              const char *name,
                              const QString &text,
                              const QRectF &twips)
{
    auto *button = new FitButton<Button>(text, parent);
    button->setObjectName(name);
    place(button, twips);
    return button;
}

// Writes a label's text unless it reads so already: a label repaints itself
// on every new text, even an equal one.
void writeText(QLabel *label, const QString &text);

// A menu of the menu bar, or a submenu, named for the tests and in the
// desktop's own menu font whatever font its window uses.
QMenu *addNamedMenu(QMenuBar *bar, const QString &title, const char *name);
QMenu *addNamedMenu(QMenu *parent, const QString &title, const char *name);

// An item of a menu, named for the tests.
QAction *addNamedAction(QMenu *menu, const QString &text, const char *name);

// On macOS Qt moves menu items into the application menu when their English
// texts look like About, Quit or Preferences. The window's own Exit and About
// go there by their roles in every language; every other item of `bar` stays
// where the window put it.
void placeMenuItems(QMenuBar *bar, QAction *exit, QAction *about);

} // namespace kormix::ui
