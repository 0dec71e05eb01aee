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

inline void SendMouse(QWidget *frame,
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

inline void Press(QWidget *frame, double x, double y, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(frame, QEvent::MouseButtonPress, x, y, button, button);
}

inline void Move(QWidget *frame, double x, double y, Qt::MouseButtons buttons = Qt::LeftButton)
{
    SendMouse(frame, QEvent::MouseMove, x, y, Qt::NoButton, buttons);
}

inline void Release(QWidget *frame, double x, double y, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(frame, QEvent::MouseButtonRelease, x, y, button, Qt::NoButton);
}

// Press at (x, pressY), move to (x, y) and release there.
inline void Drag(
        QWidget *frame, double x, double pressY, double y, Qt::MouseButton button = Qt::LeftButton)
{
    Press(frame, x, pressY, button);
    Move(frame, x, y, button);
    Release(frame, x, y, button);
}

} // namespace kormix::test
