// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window's Run menu: Step and Step 100 from the ready or stopped
// state, the speed of the collision loop, the temperature (the model the
// collisions go to, with its dialog), and a seed of one's own for the
// systems to come (with its dialog).
#pragma once

#include <QObject>

#include <cstdint>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace kormix::ui {

class FrmMain;
class RunModel;

class RunMenu : public QObject
{
    Q_OBJECT

public:
    // Adds the menu to the main window's menu bar, after those already there.
    RunMenu(RunModel &model, FrmMain &main);

    QMenu *menu_run = nullptr; // "&Run"
    QAction *menu_Step = nullptr;
    QAction *menu_Step100 = nullptr;
    QMenu *menu_speed = nullptr;
    QActionGroup *speedGroup = nullptr; // one action per speed, its rate as data (0: full)
    QAction *menu_Temperature = nullptr;
    QAction *menu_SetSeed = nullptr;
    QAction *menu_ClearSeed = nullptr;

private slots:
    void menu_Step_Click();
    void menu_Step100_Click();
    void menu_Temperature_Click();
    void menu_SetSeed_Click();
    void menu_ClearSeed_Click();
    void speedChosen(QAction *action);

private:
    void buildSpeedMenu();
    // Steps and the seed's commands follow the run state.
    void updateRunMenu();
    // Runs this many collisions from the ready or stopped state, as a start
    // or a restart would, then stops.
    void runSteps(std::int64_t collisions);

    RunModel &model_;
    FrmMain &main_;
};

} // namespace kormix::ui
