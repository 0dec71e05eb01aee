// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/viewmenu.h"

#include "ui/common/widgets.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/frmmain.h"
#include "ui/main/placement.h"
#include "ui/model/runmodel.h"
#include "ui/molecules/frmarrangements.h"
#include "ui/molecules/frmmolecules.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kormix::ui {

ViewMenu::ViewMenu(RunModel &model, FrmMain &main, const Desktop &desktop)
    : QObject(&main)
    , model_(model)
    , main_(main)
    , desktop_(desktop)
{
    menu_view = addNamedMenu(main.menuBar(), tr("&View"), "menu_view");
    menu_Equilibrium = addNamedAction(menu_view, tr("&Equilibrium"), "menu_Equilibrium");
    menu_Molecules = addNamedAction(menu_view, tr("&Molecules"), "menu_Molecules");
    menu_Arrangements = addNamedAction(menu_view, tr("&Arrangements"), "menu_Arrangements");
    connect(menu_Equilibrium, &QAction::triggered, this, &ViewMenu::menu_Equilibrium_Click);
    connect(menu_Molecules, &QAction::triggered, this, &ViewMenu::menu_Molecules_Click);
    connect(menu_Arrangements, &QAction::triggered, this, &ViewMenu::menu_Arrangements_Click);

    connect(&model_, &RunModel::serviced, this, [this] { follow(false); });
    connect(&model_, &RunModel::runChanged, this, [this] { follow(true); });
    connect(&model_, &RunModel::modelChanged, this, [this] { follow(true); });
}

FrmEquilibrium *ViewMenu::equilibriumForm() const
{
    return qobject_cast<FrmEquilibrium *>(followers_[Equilibrium].window.data());
}

FrmMolecules *ViewMenu::moleculesForm() const
{
    return qobject_cast<FrmMolecules *>(followers_[Molecules].window.data());
}

FrmArrangements *ViewMenu::arrangementsForm() const
{
    return qobject_cast<FrmArrangements *>(followers_[Arrangements].window.data());
}

void ViewMenu::menu_Equilibrium_Click()
{
    openForm<FrmEquilibrium>(Equilibrium, model_.sim());
}

void ViewMenu::menu_Molecules_Click()
{
    openForm<FrmMolecules>(Molecules, model_);
}

void ViewMenu::menu_Arrangements_Click()
{
    openForm<FrmArrangements>(Arrangements, model_.sim());
}

template<typename Form, typename Run>
void ViewMenu::openForm(Window which, Run &run)
{
    Follower &follower = followers_[which];
    if (model_.isShutDown())
        return;
    if (!follower.window) {
        auto *form = new Form(run, &main_);
        if (desktop_.askSavePath)
            form->askSavePath = desktop_.askSavePath;
        follower.window = form;
        follower.refresh = [form] { form->refresh(); };
        follower.eachCollision = which == Molecules;
        // Its size hint is the whole of it, bounded by the screen it opens on.
        form->resize(form->sizeHint());
        placeBeside(form, &main_);
    }
    // Showing it refreshes it.
    follower.window->show();
    follower.window->raise();
    follower.window->activateWindow();
    follower.clock.start();
}

void ViewMenu::follow(bool now)
{
    // While the loop keeps each collision, the windows that show each one
    // follow every event service; the pace of the run keeps those few.
    const bool watched = model_.watchesEachCollision();
    for (Follower &f : followers_) {
        if (!f.window || !f.window->isVisible())
            continue;
        if (!now && !(watched && f.eachCollision) && f.clock.isValid() && f.clock.elapsed() < 100)
            continue;
        f.refresh();
        f.clock.start();
    }
}

} // namespace kormix::ui
