// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Our own windows on the screens they meet: 1280 x 1024 and 1024 x 768, each
// also at scale factor 2 (640 x 512 and 512 x 384 logical pixels), in
// English and German. A suite that uses this runs on the offscreen platform
// configured by tests/ui/equilibrium/screens.json; only the windows' public
// controls and object names are looked at.
#pragma once

#include "ui/common/translation.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>

namespace kormix::test {

inline QString rectText(const QRect &r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The window lies within the room its screen leaves for windows.
inline void expectOnScreen(const QWidget *w, const QScreen *screen)
{
    EXPECT_EQ(w->screen(), screen);
    const QRect room = screen->availableGeometry();
    EXPECT_TRUE(room.contains(w->frameGeometry()))
            << rectText(w->frameGeometry()).toStdString() << " on " << rectText(room).toStdString();
}

// Every text shows whole: a label as wide as its text or tall enough for its
// wrapped lines, a button as large as its caption asks, chart texts uncut.
inline void expectNothingCut(const QWidget *w)
{
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(w) || label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        } else {
            // A label with a buddy shows its mnemonic underlined, not its '&'.
            const QString shown = label->buddy() ? QString(label->text()).remove('&')
                                                 : label->text();
            EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(shown));
        }
    }
    for (const QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(w) || button->text().isEmpty())
            continue;
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_GE(button->width(), button->sizeHint().width());
    }
    for (const QChartView *view : w->findChildren<QChartView *>()) {
        const QRectF plot = view->chart()->plotArea();
        for (const QAbstractAxis *axis : view->chart()->axes()) {
            SCOPED_TRACE(axis->titleText().toStdString());
            EXPECT_FALSE(axis->labelsTruncated());
            const double length = axis->orientation() == Qt::Horizontal ? plot.width()
                                                                        : plot.height();
            EXPECT_LE(QFontMetrics(axis->titleFont()).horizontalAdvance(axis->titleText()), length);
        }
    }
}

class ScreenFitTest : public ::testing::TestWithParam<std::tuple<const char *, bool>>
{
protected:
    void SetUp() override
    {
        const auto [name, german] = GetParam();
        for (QScreen *s : QGuiApplication::screens()) {
            if (s->name() == name)
                screen = s;
        }
        ASSERT_NE(screen, nullptr) << "run with QT_QPA_PLATFORM=offscreen:configfile=screens.json";
        if (german) {
            ASSERT_TRUE(ui::installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        }
    }
    void TearDown() override { ui::removeTranslations(*qApp); }

    QScreen *screen = nullptr;
};

// The screens by name, each in English and in German, as a test's name.
inline std::string screenTestName(const std::tuple<const char *, bool> &param)
{
    std::string name = std::get<0>(param);
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name + (std::get<1>(param) ? "_German" : "_English");
}

inline const auto kScreens = ::testing::Combine(::testing::Values("1280x1024",
                                                                  "1024x768",
                                                                  "1280x1024 at scale 2",
                                                                  "1024x768 at scale 2"),
                                                ::testing::Bool());

} // namespace kormix::test
