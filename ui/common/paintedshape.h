// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A rectangle or circle shape of a window, held as a plain record instead of
// a child widget: where it stands, its fill and whether it shows. The level
// columns and the chart's bars are painted from such records in one pass; the
// most-probable window keeps its never-shown circle as one, for its colour.
#pragma once

#include <QColor>
#include <QRectF>

namespace kormix::ui {

struct PaintedShape
{
    QRectF geometry; // twips, relative to the frame that holds it
    QColor fill;
    bool visible = false;
};

} // namespace kormix::ui
