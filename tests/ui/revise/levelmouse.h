// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Drives the level frame of the revise-data window with real mouse events at
// positions given in twips, as the frame reports them. QTest's integer pixel
// positions cannot reach half-pixel twips such as 532.5, so the events are
// built with fractional positions.
#pragma once

#include "ui/common/twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace kormix::test {

inline void sendMouse(QWidget *frame,
                      QEvent::Type type,
                      double xTwips,
                      double yTwips,
                      Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    const QPointF local(xTwips / ui::kTwipsPerPixel, yTwips / ui::kTwipsPerPixel);
    QMouseEvent event(type, local, frame->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(frame, &event);
}

inline void press(QWidget *frame, double x, double y, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(frame, QEvent::MouseButtonPress, x, y, button, button);
}

inline void move(QWidget *frame, double x, double y, Qt::MouseButtons buttons = Qt::LeftButton)
{
    sendMouse(frame, QEvent::MouseMove, x, y, Qt::NoButton, buttons);
}

inline void release(QWidget *frame, double x, double y, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(frame, QEvent::MouseButtonRelease, x, y, button, Qt::NoButton);
}

// Press at (x, pressY), move to (x, y) and release there.
inline void drag(
        QWidget *frame, double x, double pressY, double y, Qt::MouseButton button = Qt::LeftButton)
{
    press(frame, x, pressY, button);
    move(frame, x, y, button);
    release(frame, x, y, button);
}

} // namespace kormix::test
