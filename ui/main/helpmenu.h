// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window's Help menu, always the last of its menu bar: the guide
// (F1), in a window of its own beside the main window, and About.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace kormix::ui {

class FrmGuide;
class FrmMain;

class HelpMenu : public QObject
{
    Q_OBJECT

public:
    explicit HelpMenu(FrmMain &main);

    QMenu *menu_help = nullptr;    // "&Help"
    QAction *menu_Guide = nullptr; // "Kormix &Guide" (F1)
    QAction *menu_About = nullptr; // "&About Kormix"

private slots:
    void menu_Guide_Click();
    void menu_About_Click();

private:
    FrmMain &main_;
    QPointer<FrmGuide> frmGuide_;
};

} // namespace kormix::ui
