// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Where the most-probable window opens: beside the main window, where the
// user looks while collisions run, and never over the main window's commands,
// where a click meant for a button would hit the other window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace kormix::ui {

// The top-left corner for a window of the given frame size, all in one
// coordinate system (the desktop's): to the right of the main window's frame
// and level with its top; else to its left; else below it (a gap apart, or
// less where the screen's edge comes first); else, on a screen
// too small for any of these, as near to the right of the screen as it can
// stand while covering none of the commands (nor the gap around each), or as
// few as can be. `screen` is the room the desktop leaves for windows.
QPoint besidePosition(const QRect &screen,
                      const QRect &mainFrame,
                      const QSize &window,
                      const std::vector<QRect> &commands,
                      int gap = 8);

// Where a window that may be made smaller (down to `least`) goes: at its
// full size as besidePosition places it, when that is beside or below the
// main window; else made smaller to fit the largest room beside or below it;
// else, where even its least size fits nowhere there, at its full size where
// besidePosition puts it. All sizes are of frames.
QRect besideRect(const QRect &screen,
                 const QRect &mainFrame,
                 const QSize &window,
                 const QSize &least,
                 const std::vector<QRect> &commands,
                 int gap = 8);

// Moves a window that is about to be shown to its place beside the main
// window (besideRect), keeping clear of the main window's visible commands
// on the screen the main window is on: a window that can be made smaller
// (the equilibrium window) is, rather than cover them.
void placeBeside(QWidget *window, const QWidget *mainWindow);

} // namespace kormix::ui
