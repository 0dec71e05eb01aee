// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Every window under a dark desktop palette: the areas drawn on white keep
// dark text, and check boxes and option buttons keep an indicator that stands
// out from what they stand on.
#include "tests/ui/common/allwindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace kormix::test {
namespace {

// A dark desktop theme: light text on dark fields and windows.
QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(60, 60, 60));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Light, QColor(90, 90, 90));
    p.setColor(QPalette::Midlight, QColor(75, 75, 75));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, QColor(10, 10, 10));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// How far apart two colours are to the eye, 0 to 255.
int distanceOf(QColor a, QColor b)
{
    return std::abs(qGray(a.rgb()) - qGray(b.rgb()));
}

class DarkPaletteTest : public ::testing::Test
{
protected:
    DarkPaletteTest()
        : saved(QApplication::palette())
    {
        QApplication::setPalette(darkPalette());
        windows = std::make_unique<AllWindows>();
    }
    ~DarkPaletteTest() override
    {
        windows.reset();
        QApplication::setPalette(saved);
    }

    QPalette saved;
    std::unique_ptr<AllWindows> windows;
};

struct Area
{
    const char *window, *name;
};

TEST_F(DarkPaletteTest, AreasDrawnOnWhiteWriteInBlack)
{
    const Area areas[] = {
            {"frmDisplay", "FraDistro"},
            {"frmDisplay", "Standby"},
            {"frmDisplay", "FraLevels"},
            {"frmBest", "FraLevels"},
            {"FrmRevise", "FraLevels"},
            {"FrmSetup", "Picture1"},
            {"FrmSetup", "Picture4"},
    };
    for (const Area &a : areas) {
        SCOPED_TRACE(std::string(a.window) + " " + a.name);
        QWidget *area = windows->control(a.window, a.name);
        ASSERT_NE(area, nullptr);
        EXPECT_TRUE(area->autoFillBackground());
        EXPECT_EQ(area->palette().color(area->backgroundRole()), QColor(Qt::white));
        // The area's own painting (a frame's caption) and everything written
        // on it: labels, and the indicators and texts of buttons.
        QList<QWidget *> writers = area->findChildren<QWidget *>();
        writers.prepend(area);
        for (QWidget *w : writers) {
            const QPalette &pal = w->palette();
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                EXPECT_GE(distanceOf(pal.color(role), Qt::white), 160)
                        << w->objectName().toStdString() << " role " << int(role);
            }
            EXPECT_EQ(pal.color(QPalette::Base), QColor(Qt::white))
                    << w->objectName().toStdString();
        }
    }
}

// Pixels of the image inside the rectangle that stand out from the colour by
// at least the distance given.
int pixelsStandingOut(const QImage &image, QRect r, QColor background, int distance = 100)
{
    int n = 0;
    r = r.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (distanceOf(image.pixelColor(x, y), background) >= distance)
                ++n;
        }
    }
    return n;
}

TEST_F(DarkPaletteTest, ChartTitleAndCaptionShowDarkOnTheWhiteChart)
{
    auto *frame = windows->control<QGroupBox>("frmDisplay", "FraDistro");
    auto *title = windows->control<QLabel>("frmDisplay", "title");
    ASSERT_TRUE(frame && title);
    const QImage image = frame->grab().toImage();
    const QFontMetrics metrics(frame->font());
    const QRect caption(0, 0, metrics.horizontalAdvance(frame->title()) + 12, metrics.height());
    EXPECT_GT(pixelsStandingOut(image, title->geometry(), Qt::white), 50) << "title";
    EXPECT_GT(pixelsStandingOut(image, caption, Qt::white), 30) << "caption";
}

TEST_F(DarkPaletteTest, FrameLinesShowOnTheDarkWindow)
{
    for (const char *name : {"Frame4", "Frame1"}) {
        SCOPED_TRACE(name);
        auto *frame = windows->control<QGroupBox>("frmDisplay", name);
        ASSERT_NE(frame, nullptr);
        const QColor background = frame->palette().color(frame->backgroundRole());
        const QImage image = frame->grab().toImage();
        // The frame's left edge, below its caption.
        const QRect edge(0, image.height() / 2, 1, image.height() / 2 - 1);
        EXPECT_EQ(pixelsStandingOut(image, edge, background, 50), edge.height());
    }
}

struct Indicator
{
    const char *window, *name;
};

TEST_F(DarkPaletteTest, UntickedIndicatorsStandOutFromTheirBackground)
{
    const Indicator buttons[] = {
            {"frmMain", "Check1"},
            {"frmDisplay", "OptActual"},
            {"FrmRevise", "optOne_1"},
    };
    for (const Indicator &b : buttons) {
        SCOPED_TRACE(std::string(b.window) + " " + b.name);
        auto *button = windows->control<QAbstractButton>(b.window, b.name);
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(button->isChecked());
        QWidget *parent = button->parentWidget();
        const QColor background = parent->palette().color(parent->backgroundRole());

        QStyleOptionButton option;
        option.initFrom(button);
        const bool box = qobject_cast<QCheckBox *>(button) != nullptr;
        const QRect indicator = button->style()->subElementRect(box ? QStyle::SE_CheckBoxIndicator
                                                                    : QStyle::SE_RadioButtonIndicator,
                                                                &option,
                                                                button);
        const QImage image = button->grab().toImage();
        // An outline all round at the least: a faint one is lost on a dark screen.
        EXPECT_GT(pixelsStandingOut(image, indicator, background, 50), 2 * indicator.width());
        // Its text is readable too.
        EXPECT_GE(distanceOf(button->palette().color(button->foregroundRole()), background), 100);
    }
}

} // namespace
} // namespace kormix::test
