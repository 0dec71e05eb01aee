// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium window on the screens it meets: 1280 x 1024 and 1024 x 768,
// each also at scale factor 2 (640 x 512 and 512 x 384 logical pixels; the
// suite runs on screens.json), in English and German, with the smallest
// system that has a tie, a million molecules and two billion, when it opens,
// after a run and after steps: it stays on its screen and nothing in it is
// cut. Only the window's public controls and object names are used.
#include "tests/ui/common/driver.h"

#include "core/equilibrium/model.h"
#include "core/simulation.h"
#include "ui/common/translation.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/frmmain.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>
#include <variant>

namespace kormix::ui {
namespace {

using test::Atoms;
using test::Molecules;

struct System
{
    const char *what;
    std::variant<Atoms, Molecules> counts;
    // Statistics only, unless a temperature is named.
    EquilibriumModel model{};
};

const System kSystems[] = {
        // 1 H2 + 2 HD + 3 D2 is as likely as 0 H2 + 4 HD + 2 D2: the longest
        // mode text.
        {"4 H + 8 D atoms", Atoms{.h = "4", .d = "8"}},
        {"500000 H2 + 500000 D2", Molecules{.h2 = "500000", .hd = "0", .d2 = "500000"}},
        {"1000000000 H2 + 1000000000 D2",
         Molecules{.h2 = "1000000000", .hd = "0", .d2 = "1000000000"}},
        // Cold enough that the most probable composition is not the one with
        // the most microstates: the window says so in one more line.
        {"1 H2 + 1 D2 at 20 K",
         Molecules{.h2 = "1", .hd = "0", .d2 = "1"},
         *EquilibriumModel::hydrogenAt(20)},
};

QString rectText(const QRect &r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The window lies within the room its screen leaves for windows.
void expectOnScreen(const QWidget *w, const QScreen *screen)
{
    EXPECT_EQ(w->screen(), screen);
    const QRect room = screen->availableGeometry();
    EXPECT_TRUE(room.contains(w->frameGeometry()))
            << rectText(w->frameGeometry()).toStdString() << " on " << rectText(room).toStdString();
}

// Every text shows whole: a label as wide as its text or tall enough for its
// wrapped lines, a button as large as its caption asks, chart texts uncut.
void expectNothingCut(const QWidget *w)
{
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(w) || label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        } else {
            EXPECT_GE(label->contentsRect().width(),
                      label->fontMetrics().horizontalAdvance(label->text()));
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

class EquilibriumFitTest : public ::testing::TestWithParam<std::tuple<const char *, bool>>
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
            ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        }
    }
    void TearDown() override { removeTranslations(*qApp); }

    QScreen *screen = nullptr;
};

TEST_P(EquilibriumFitTest, StaysOnItsScreenWithNothingCut)
{
    const bool german = std::get<1>(GetParam());
    for (const System &system : kSystems) {
        SCOPED_TRACE(system.what);
        ui::RunModel model(german ? ',' : '.');
        model.fixSeed(20240601);
        model.setModel(system.model);
        test::QuietDesktop quiet;
        FrmMain main{model, quiet.desktop()};
        model.setServiceInterval(0);
        main.setScreen(screen);
        main.move(screen->availableGeometry().topLeft());
        main.show();
        test::ModalScript script;
        std::visit([&](const auto &counts) { test::setupSystem(main, script, counts); },
                   system.counts);

        main.viewMenu().menu_Equilibrium->trigger();
        FrmEquilibrium *w = main.equilibriumForm();
        ASSERT_NE(w, nullptr);
        QCoreApplication::processEvents();
        {
            SCOPED_TRACE("opened");
            expectOnScreen(w, screen);
            expectNothingCut(w);
        }
        test::click(main.CmdCollide, {test::stopAt(model, main, 300)});
        QCoreApplication::processEvents();
        {
            SCOPED_TRACE("after a run");
            expectOnScreen(w, screen);
            expectNothingCut(w);
        }
        main.runMenu().menu_Step->trigger();
        main.runMenu().menu_Step->trigger();
        QCoreApplication::processEvents();
        {
            SCOPED_TRACE("after two steps");
            expectOnScreen(w, screen);
            expectNothingCut(w);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens,
                         EquilibriumFitTest,
                         ::testing::Combine(::testing::Values("1280x1024",
                                                              "1024x768",
                                                              "1280x1024 at scale 2",
                                                              "1024x768 at scale 2"),
                                            ::testing::Bool()),
                         [](const auto &param) {
                             std::string name = std::get<0>(param.param);
                             for (char &c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name + (std::get<1>(param.param) ? "_German" : "_English");
                         });

} // namespace
} // namespace kormix::ui
