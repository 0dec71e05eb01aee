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
    window->move(besidePosition(room, frame, window->size() + border, commands));
}

} // namespace kormix::ui
