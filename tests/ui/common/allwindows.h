// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Every window of the program open at once on one simulation: the main window
// with a system set up and the most-probable window beside it, the setup
// dialog, the detailed display and the revise-data window.
#pragma once

#include "tests/ui/common/driver.h"

#include "core/simulation.h"
#include "ui/best/frmbest.h"
#include "ui/display/frmdisplay.h"
#include "ui/main/frmmain.h"
#include "ui/model/runmodel.h"
#include "ui/revise/frmrevise.h"
#include "ui/setup/frmsetup.h"

#include <QCoreApplication>

#include <memory>
#include <vector>

namespace kormix::test {

struct AllWindows
{
    AllWindows()
    {
        frm = std::make_unique<ui::FrmMain>(model, quiet.desktop());
        frm->show();
        script.then(fillSetup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"}));
        frm->CmdSetup->click();
        frm->CmdShowBest->click();
        display = std::make_unique<ui::FrmDisplay>(sim, desktop);
        display->show();
        revise = std::make_unique<ui::FrmRevise>(std::array{sim.nKind[0],
                                                            sim.nKind[1],
                                                            sim.nKind[2]},
                                                 sim.nMolecules,
                                                 sim.decimalPoint,
                                                 reviseSide);
        revise->show();
        frm->setupForm()->show();
        QCoreApplication::processEvents();
    }
    ~AllWindows() { frm->setupForm()->hide(); }

    std::vector<QWidget *> windows() const
    {
        return {frm.get(), frm->bestForm(), frm->setupForm(), display.get(), revise.get()};
    }

    // The window whose object name is given.
    QWidget *windowNamed(const QString &name) const
    {
        for (QWidget *w : windows()) {
            if (w->objectName() == name)
                return w;
        }
        ADD_FAILURE() << "no window " << name.toStdString();
        return frm.get();
    }

    // The control of that name inside that window.
    template<typename T = QWidget>
    T *control(const QString &window, const QString &name) const
    {
        T *control = windowNamed(window)->findChild<T *>(name);
        EXPECT_NE(control, nullptr) << window.toStdString() << " " << name.toStdString();
        return control;
    }

    ui::RunModel model;
    const Simulation &sim = model.sim();
    QuietDesktop quiet;
    ui::Desktop desktop = quiet.desktop();
    QString reviseSide;
    ModalScript script;
    std::unique_ptr<ui::FrmMain> frm;
    std::unique_ptr<ui::FrmDisplay> display;
    std::unique_ptr<ui::FrmRevise> revise;
};

} // namespace kormix::test
