// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Where the most-probable window opens, worked out for screens of every size:
// beside the main window, else below it, else off its commands.
#include "ui/common/twips.h"
#include "ui/main/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kormix::ui {
namespace {

// The main window's frame at the desktop's origin as a window manager draws
// it: a 30-pixel title bar and one-pixel borders around the menu bar (20)
// and the client area (626 x 356). The most-probable window's frame likewise
// around its client area of 165 x 356.
const QRect kMainFrame(0, 0, 628, 408);
const QPoint kClient(1, 50);
const QSize kBestFrame(167, 388);

// The commands, where the main window's layout puts them.
std::vector<QRect> commandRects(QPoint frame = {})
{
    const double twips[][4] = {
            {240, 120, 1695, 375},  // Setup System
            {2160, 120, 975, 375},  // Clear
            {3360, 120, 1695, 375}, // Start Collisions
            {5280, 120, 1455, 375}, // Most Probable
            {6960, 120, 1695, 375}, // All Distributions
            {240, 600, 1695, 375},  // Revise Data
            {4440, 4080, 3135, 255} // Show Fluctuations
    };
    std::vector<QRect> rects;
    for (const auto &t : twips)
        rects.push_back(twipsRect(t[0], t[1], t[2], t[3]).translated(frame + kClient));
    return rects;
}

struct Case
{
    const char *what;
    QRect screen;
    QPoint main; // the main window frame's top-left corner
    QPoint expected;
};

TEST(BesidePosition, RightElseLeftElseBelowElseOffTheCommands)
{
    const Case cases[] = {
            {"a wide screen: to the right", {0, 0, 1600, 1200}, {0, 0}, {636, 0}},
            {"no room on the right: to the left", {0, 0, 1600, 1200}, {900, 40}, {725, 40}},
            {"room on the right but for part of the gap: against the screen's edge",
             {0, 0, 800, 800},
             {0, 0},
             {633, 0}},
            {"room below but for part of the gap", {0, 0, 640, 800}, {0, 0}, {0, 412}},
            {"1280 x 1024 at scale factor 2, narrow but tall enough: below",
             {0, 0, 640, 900},
             {0, 0},
             {0, 416}},
            {"below, held on the screen", {0, 0, 700, 900}, {-50, 0}, {0, 416}},
            // Left of "Show Fluctuations" and below "Revise Data": it covers
            // values, but no command.
            {"1280 x 1024 at scale factor 2: off the commands", {0, 0, 640, 512}, {0, 0}, {122, 123}},
            {"the same on a second screen", {1280, 0, 640, 512}, {1280, 0}, {1402, 123}},
            {"a screen lower than the window: against the right edge, level with the top",
             {0, 0, 300, 300},
             {0, 0},
             {133, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect main = kMainFrame.translated(c.main);
        const std::vector<QRect> commands = commandRects(c.main);
        const QPoint at = besidePosition(c.screen, main, kBestFrame, commands);
        EXPECT_EQ(at, c.expected) << at.x() << ", " << at.y();
    }
}

// Commands (with the gap around them) that a window at the rectangle covers.
int covered(const QRect &window, const std::vector<QRect> &commands, int gap = 8)
{
    int n = 0;
    for (const QRect &c : commands)
        n += c.adjusted(-gap, -gap, gap, gap).intersects(window);
    return n;
}

TEST(BesidePosition, OverTheMainWindowItCoversAsFewCommandsAsAnyPlaceOnTheScreen)
{
    // A small screen, the main window wherever it fits on it; every place of
    // the other window on the screen is tried.
    const QRect screen(0, 0, 640, 512);
    for (int x : {0, 6, 12}) {
        for (int y : {0, 26, 52, 78, 104}) {
            SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
            const QRect main = kMainFrame.translated(x, y);
            const std::vector<QRect> commands = commandRects(main.topLeft());
            const QRect best(besidePosition(screen, main, kBestFrame, commands), kBestFrame);
            EXPECT_TRUE(screen.contains(best));
            int fewest = int(commands.size());
            for (int left = 0; left + kBestFrame.width() <= screen.width(); ++left) {
                for (int top = 0; top + kBestFrame.height() <= screen.height(); ++top)
                    fewest = std::min(fewest, covered(QRect({left, top}, kBestFrame), commands));
            }
            EXPECT_EQ(covered(best, commands), fewest);
        }
    }
}

// A window that may be made smaller (the equilibrium window: 777 x 786 at
// its full size, 420 x 300 at its least) is, rather than cover a command.
TEST(BesideRect, AWindowThatCanShrinkFitsTheRoomBesideRatherThanCoverACommand)
{
    const QSize full(777, 786), least(420, 300);
    const struct
    {
        const char *what;
        QRect screen;
        QPoint main;
        QRect expected;
    } cases[] = {
            {"room for all of it on the right", {0, 0, 1600, 1200}, {0, 0}, {{636, 0}, full}},
            {"1280 x 1024, the main window in the middle: too narrow beside, below it, lower",
             {0, 0, 1280, 1024},
             {326, 300},
             {{326, 716}, QSize(777, 308)}},
            {"1280 x 1024, the main window at the left: the right, whole height",
             {0, 0, 1280, 1024},
             {0, 100},
             {{636, 100}, QSize(644, 786)}},
            {"1024 x 768, the main window at the top left: below, lower",
             {0, 0, 1024, 768},
             {0, 0},
             {{0, 416}, QSize(777, 352)}},
            {"1024 x 768, the main window lower: the right, narrower",
             {0, 0, 1024, 768},
             {-190, 200},
             {{446, 0}, QSize(578, 768)}},
            {"no room anywhere for its least size: whole, off the commands",
             {0, 0, 640, 512},
             {0, 0},
             {besidePosition({0, 0, 640, 512}, kMainFrame, full, commandRects()), full}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect main = kMainFrame.translated(c.main);
        const std::vector<QRect> commands = commandRects(c.main);
        const QRect at = besideRect(c.screen, main, full, least, commands);
        EXPECT_EQ(at, c.expected) << at.x() << ", " << at.y() << " " << at.width() << " x "
                                  << at.height();
        if (!at.intersects(main)) {
            EXPECT_EQ(covered(at, commands), 0);
        }
    }
    // A window of one size only (the most-probable window) goes where
    // besidePosition puts it.
    const QRect small(0, 0, 640, 512);
    EXPECT_EQ(besideRect(small, kMainFrame, kBestFrame, kBestFrame, commandRects()),
              QRect(besidePosition(small, kMainFrame, kBestFrame, commandRects()), kBestFrame));
}

} // namespace
} // namespace kormix::ui
