// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The molecules and arrangements windows on the screens they meet, in
// English and German, with the largest systems each shows: 400 molecules
// drawn one by one, a million drawn as 400, two billion; six molecules laid
// out (924 arrangements) and a system too large, when they open and after
// steps: they stay on their screen and nothing in them is cut.
#include "tests/ui/common/driver.h"
#include "tests/ui/common/fit.h"

#include "ui/main/frmmain.h"
#include "ui/molecules/frmarrangements.h"
#include "ui/molecules/frmmolecules.h"

#include <QAction>

#include <gtest/gtest.h>

namespace kormix::ui {
namespace {

using test::Molecules;

class MoleculesFitTest : public test::ScreenFitTest
{};

TEST_P(MoleculesFitTest, BothWindowsStayOnTheirScreenWithNothingCut)
{
    const bool german = std::get<1>(GetParam());
    const Molecules systems[] = {
            {.h2 = "3", .hd = "0", .d2 = "3"},
            {.h2 = "200", .hd = "0", .d2 = "200"},
            {.h2 = "500000", .hd = "0", .d2 = "500000"},
            {.h2 = "1000000000", .hd = "0", .d2 = "1000000000"},
    };
    for (const Molecules &system : systems) {
        SCOPED_TRACE(system.h2.toStdString());
        ui::RunModel model(german ? ',' : '.');
        model.fixSeed(20240601);
        model.setServiceInterval(0);
        test::QuietDesktop quiet;
        FrmMain main{model, quiet.desktop()};
        main.setScreen(screen);
        main.move(screen->availableGeometry().topLeft());
        main.show();
        test::ModalScript script;
        test::setupSystem(main, script, system);
        main.viewMenu().menu_Molecules->trigger();
        main.viewMenu().menu_Arrangements->trigger();
        const QWidget *windows[] = {main.viewMenu().moleculesForm(),
                                    main.viewMenu().arrangementsForm()};
        for (const char *when : {"opened", "after two steps"}) {
            SCOPED_TRACE(when);
            QCoreApplication::processEvents();
            for (const QWidget *w : windows) {
                SCOPED_TRACE(w->objectName().toStdString());
                test::expectOnScreen(w, screen);
                test::expectNothingCut(w);
            }
            main.runMenu().menu_Step->trigger();
            main.runMenu().menu_Step->trigger();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, MoleculesFitTest, test::kScreens, [](const auto &param) {
    return test::screenTestName(param.param);
});

} // namespace
} // namespace kormix::ui
