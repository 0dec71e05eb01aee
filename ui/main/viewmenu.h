// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window's View menu and the windows of our own it opens beside the
// run. They are modeless and may stay open while collisions run: they follow
// the run at most ten times a second, and at once when it changes as a whole.
#pragma once

#include "ui/common/desktop.h"
#include "ui/equilibrium/frmequilibrium.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace kormix::ui {

class FrmMain;
class RunModel;

class ViewMenu : public QObject
{
    Q_OBJECT

public:
    // Adds the menu to the main window's menu bar, after those already there.
    ViewMenu(RunModel &model, FrmMain &main, const Desktop &desktop);

    QMenu *menu_view = nullptr;          // "&View"
    QAction *menu_Equilibrium = nullptr; // "&Equilibrium"

    // The equilibrium window while it exists (it is kept when closed).
    FrmEquilibrium *equilibriumForm() const { return frmEquilibrium_; }

private slots:
    void menu_Equilibrium_Click();

private:
    // Brings the equilibrium window, when it is open, up to the run: at most
    // ten times a second unless `now`.
    void refreshEquilibrium(bool now);

    RunModel &model_;
    FrmMain &main_;
    const Desktop &desktop_;
    QPointer<FrmEquilibrium> frmEquilibrium_;
    QElapsedTimer equilibriumClock_;
};

} // namespace kormix::ui
