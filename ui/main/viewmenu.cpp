// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/viewmenu.h"

#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/frmmain.h"
#include "ui/main/placement.h"
#include "ui/model/runmodel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace kormix::ui {

ViewMenu::ViewMenu(RunModel &model, FrmMain &main, const Desktop &desktop)
    : QObject(&main)
    , model_(model)
    , main_(main)
    , desktop_(desktop)
{
    menu_view = main.menuBar()->addMenu(tr("&View"));
    menu_view->setObjectName("menu_view");
    menu_view->setFont(QApplication::font("QMenu"));
    menu_Equilibrium = menu_view->addAction(tr("&Equilibrium"));
    menu_Equilibrium->setObjectName("menu_Equilibrium");
    connect(menu_Equilibrium, &QAction::triggered, this, &ViewMenu::menu_Equilibrium_Click);

    connect(&model_, &RunModel::serviced, this, [this] { refreshEquilibrium(false); });
    connect(&model_, &RunModel::runChanged, this, [this] { refreshEquilibrium(true); });
    connect(&model_, &RunModel::modelChanged, this, [this] { refreshEquilibrium(true); });
}

void ViewMenu::menu_Equilibrium_Click()
{
    if (model_.isShutDown())
        return;
    if (!frmEquilibrium_) {
        frmEquilibrium_ = new FrmEquilibrium(model_.sim(), &main_);
        if (desktop_.askSavePath)
            frmEquilibrium_->askSavePath = desktop_.askSavePath;
        // Its size hint is the whole of it, bounded by the screen it opens on.
        frmEquilibrium_->resize(frmEquilibrium_->sizeHint());
        placeBeside(frmEquilibrium_, &main_);
    }
    // Showing it refreshes it.
    frmEquilibrium_->show();
    frmEquilibrium_->raise();
    frmEquilibrium_->activateWindow();
    equilibriumClock_.start();
}

void ViewMenu::refreshEquilibrium(bool now)
{
    if (!frmEquilibrium_ || !frmEquilibrium_->isVisible())
        return;
    if (!now && equilibriumClock_.isValid() && equilibriumClock_.elapsed() < 100)
        return;
    frmEquilibrium_->refresh();
    equilibriumClock_.start();
}

} // namespace kormix::ui
