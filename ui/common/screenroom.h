// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The room a window has on its screen, for our own windows that never grow
// past it.
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace kormix::ui {

// The room the window's screen leaves for the window itself, its frame taken
// off. Before the window is first shown it belongs to no screen yet: it opens
// on its owner's, with about its owner's frame.
QSize screenRoom(const QWidget *window);

// Keeps a window no larger than the room its screen leaves: each time it is
// shown, and whenever it moves to another screen. It belongs to the window.
class ScreenFit : public QObject
{
    Q_OBJECT

public:
    explicit ScreenFit(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void fit();

private:
    QWidget *window_;
};

} // namespace kormix::ui
