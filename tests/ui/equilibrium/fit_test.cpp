// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The equilibrium window on the screens it meets: 1280 x 1024 and 1024 x 768,
// each also at scale factor 2 (640 x 512 and 512 x 384 logical pixels; the
// suite runs on screens.json), in English and German, with the smallest
// system that has a tie, a million molecules and two billion, when it opens,
// after a run and after steps: it stays on its screen and nothing in it is
// cut. Only the window's public controls and object names are used.
#include "tests/ui/common/driver.h"
#include "tests/ui/common/fit.h"

#include "core/equilibrium/model.h"
#include "core/simulation.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/frmmain.h"

#include <QAction>

#include <gtest/gtest.h>

#include <variant>

namespace kormix::ui {
namespace {

using test::Atoms;
using test::expectNothingCut;
using test::expectOnScreen;
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

class EquilibriumFitTest : public test::ScreenFitTest
{};

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

INSTANTIATE_TEST_SUITE_P(Screens, EquilibriumFitTest, test::kScreens, [](const auto &param) {
    return test::screenTestName(param.param);
});

} // namespace
} // namespace kormix::ui
