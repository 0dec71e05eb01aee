// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/placement.h"

#include <QAbstractButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>
#include <utility>

namespace kormix::ui {

namespace {

// The start of a span of the given length held inside [low, high]; a span
// longer than the room starts at its low end.
int hold(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high + 1 - length));
}

} // namespace

QPoint besidePosition(const QRect &screen,
                      const QRect &mainFrame,
                      const QSize &window,
                      const std::vector<QRect> &commands,
                      int gap)
{
    const int w = window.width();
    const int h = window.height();
    const int level = hold(mainFrame.top(), h, screen.top(), screen.bottom());

    // Beside or below with the gap, or with less of it where the screen's
    // edge comes first.
    const int right = std::min(mainFrame.right() + 1 + gap, screen.right() + 1 - w);
    if (right > mainFrame.right())
        return {right, level};
    const int left = std::max(mainFrame.left() - gap - w, screen.left());
    if (left + w <= mainFrame.left())
        return {left, level};
    const int below = std::min(mainFrame.bottom() + 1 + gap, screen.bottom() + 1 - h);
    if (below > mainFrame.bottom())
        return {hold(mainFrame.left(), w, screen.left(), screen.right()), below};

    // Over the main window, then, as near to the screen's right edge at the
    // main window's top as it can stand without covering a command, and a
    // gap clear of each. Such a place, if there is one, has its left edge at
    // the screen's edge or a gap right of a command, and its top likewise (a
    // place slid up and left until it meets one of these covers nothing more),
    // so these edges are the places to try. Where every place covers one, the
    // fewest commands are covered.
    std::vector<QRect> keepClear;
    std::vector<int> xs = {screen.left(), screen.right() + 1 - w};
    std::vector<int> ys = {level, screen.top(), screen.bottom() + 1 - h};
    for (const QRect &c : commands) {
        const QRect clear = c.adjusted(-gap, -gap, gap, gap);
        keepClear.push_back(clear);
        xs.push_back(clear.right() + 1);
        xs.push_back(clear.left() - w);
        ys.push_back(clear.bottom() + 1);
        ys.push_back(clear.top() - h);
    }
    const QPoint wanted(screen.right() + 1 - w, level);
    QPoint best(hold(wanted.x(), w, screen.left(), screen.right()), level);
    std::pair<long long, long long> bestScore(std::numeric_limits<long long>::max(), 0);
    for (int x : xs) {
        for (int y : ys) {
            const QRect place(QPoint(x, y), window);
            if (!screen.contains(place))
                continue;
            const long long covered = std::count_if(keepClear.begin(),
                                                    keepClear.end(),
                                                    [&](const QRect &c) {
                                                        return c.intersects(place);
                                                    });
            const long long dx = x - wanted.x();
            const long long dy = y - wanted.y();
            const std::pair<long long, long long> score(covered, dx * dx + dy * dy);
            if (score < bestScore) {
                bestScore = score;
                best = {x, y};
            }
        }
    }
    return best;
}

QRect besideRect(const QRect &screen,
                 const QRect &mainFrame,
                 const QSize &window,
                 const QSize &least,
                 const std::vector<QRect> &commands,
                 int gap)
{
    const QRect full(besidePosition(screen, mainFrame, window, commands, gap), window);
    if (!full.intersects(mainFrame))
        return full;
    // The rooms to the right of, to the left of and below the main window, a
    // gap away from it; a window made smaller stands against the main window,
    // level with its top (or its left edge, below it) where the room allows.
    const QRect rooms[] = {
            QRect(QPoint(mainFrame.right() + 1 + gap, screen.top()), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(mainFrame.left() - 1 - gap, screen.bottom())),
            QRect(QPoint(screen.left(), mainFrame.bottom() + 1 + gap), screen.bottomRight()),
    };
    QRect best;
    long long bestArea = 0;
    for (int i = 0; i < 3; ++i) {
        const QRect &room = rooms[i];
        const QSize size = window.boundedTo(room.size());
        const long long area = (long long) size.width() * size.height();
        if (size.width() < least.width() || size.height() < least.height() || area <= bestArea)
            continue;
        bestArea = area;
        const int x = i == 1 ? room.right() + 1 - size.width()
                             : hold(i == 2 ? mainFrame.left() : room.left(),
                                    size.width(),
                                    room.left(),
                                    room.right());
        const int y = i == 2 ? room.top()
                             : hold(mainFrame.top(), size.height(), room.top(), room.bottom());
        best = QRect(QPoint(x, y), size);
    }
    return bestArea > 0 ? best : full;
}

void placeBeside(QWidget *window, const QWidget *mainWindow)
{
    std::vector<QRect> commands;
    const auto buttons = mainWindow->findChildren<QAbstractButton *>();
    for (const QAbstractButton *command : buttons) {
        if (command->isVisible())
            commands.emplace_back(command->mapToGlobal(QPoint(0, 0)), command->size());
    }
    const QScreen *screen = mainWindow->screen();
    const QRect frame = mainWindow->frameGeometry();
    const QRect room = screen ? screen->availableGeometry() : frame;
    // The window is not yet shown, so its frame is not known: the window
    // manager gives it about the main window's.
    const QSize border = frame.size() - mainWindow->geometry().size();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const QRect place = besideRect(room,
                                   frame,
                                   window->size() + border,
                                   least.isValid() ? least + border : window->size() + border,
                                   commands);
    window->resize(place.size() - border);
    window->move(place.topLeft());
}

} // namespace kormix::ui
