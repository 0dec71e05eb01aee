// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window's View menu and the windows of our own it opens beside the
// run: the equilibrium, the molecules and their arrangements. They are
// modeless and may stay open while collisions run: they follow the run at
// most ten times a second, and at once when it changes as a whole; the
// molecules window follows each collision while each can be watched.
#pragma once

#include "ui/common/desktop.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kormix::ui {

class FrmArrangements;
class FrmEquilibrium;
class FrmMain;
class FrmMolecules;
class RunModel;

class ViewMenu : public QObject
{
    Q_OBJECT

public:
    // Adds the menu to the main window's menu bar, after those already there.
    ViewMenu(RunModel &model, FrmMain &main, const Desktop &desktop);

    QMenu *menu_view = nullptr;           // "&View"
    QAction *menu_Equilibrium = nullptr;  // "&Equilibrium"
    QAction *menu_Molecules = nullptr;    // "&Molecules"
    QAction *menu_Arrangements = nullptr; // "&Arrangements"

    // The windows while they exist (each is kept when closed).
    FrmEquilibrium *equilibriumForm() const;
    FrmMolecules *moleculesForm() const;
    FrmArrangements *arrangementsForm() const;

private slots:
    void menu_Equilibrium_Click();
    void menu_Molecules_Click();
    void menu_Arrangements_Click();

private:
    // A window of the menu, how it is brought up to the run and when it last
    // was.
    struct Follower
    {
        QPointer<QWidget> window;
        std::function<void()> refresh;
        QElapsedTimer clock;
        // It shows each collision while the loop keeps them.
        bool eachCollision = false;
    };
    enum Window { Equilibrium, Molecules, Arrangements };

    // Shows the window, made on `run` and placed beside the main window the
    // first time.
    template<typename Form, typename Run>
    void openForm(Window which, Run &run);
    // Brings the open windows up to the run: at most ten times a second
    // unless `now`.
    void follow(bool now);

    RunModel &model_;
    FrmMain &main_;
    const Desktop &desktop_;
    std::array<Follower, 3> followers_;
};

} // namespace kormix::ui
