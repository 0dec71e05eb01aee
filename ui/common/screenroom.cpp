// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/screenroom.h"

#include <QScreen>
#include <QWidget>

namespace kormix::ui {

QSize screenRoom(const QWidget *window)
{
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QScreen *screen = !window->windowHandle() && owner ? owner->screen() : window->screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The window manager gives a window about its owner's frame.
    const QSize frame = window->frameGeometry().size() - window->size();
    const QSize decoration = frame.isNull() && owner ? owner->frameGeometry().size() - owner->size()
                                                     : frame;
    return screen->availableGeometry().size() - decoration;
}

} // namespace kormix::ui
