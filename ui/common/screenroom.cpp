// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/screenroom.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

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

ScreenFit::ScreenFit(QWidget *window)
    : QObject(window)
    , window_(window)
{
    window->installEventFilter(this);
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && event->type() == QEvent::Show) {
        fit();
        if (QWindow *handle = window_->windowHandle())
            connect(handle, &QWindow::screenChanged, this, &ScreenFit::fit, Qt::UniqueConnection);
    }
    return false;
}

void ScreenFit::fit()
{
    window_->setMaximumSize(screenRoom(window_));
}

} // namespace kormix::ui
