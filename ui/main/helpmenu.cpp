// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/helpmenu.h"

#include "ui/common/widgets.h"
#include "ui/help/about.h"
#include "ui/help/frmguide.h"
#include "ui/main/frmmain.h"
#include "ui/main/placement.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace kormix::ui {

HelpMenu::HelpMenu(FrmMain &main)
    : QObject(&main)
    , main_(main)
{
    menu_help = addNamedMenu(main.menuBar(), tr("&Help"), "menu_help");
    menu_Guide = addNamedAction(menu_help, tr("Kormix &Guide"), "menu_Guide");
    menu_Guide->setShortcut(QKeySequence(Qt::Key_F1));
    menu_About = addNamedAction(menu_help, tr("&About Kormix"), "menu_About");
    connect(menu_Guide, &QAction::triggered, this, &HelpMenu::menu_Guide_Click);
    connect(menu_About, &QAction::triggered, this, &HelpMenu::menu_About_Click);
}

void HelpMenu::menu_Guide_Click()
{
    if (main_.isExiting())
        return;
    if (!frmGuide_) {
        frmGuide_ = new FrmGuide(&main_);
        placeBeside(frmGuide_, &main_);
    }
    frmGuide_->show();
    frmGuide_->raise();
    frmGuide_->activateWindow();
}

void HelpMenu::menu_About_Click()
{
    if (!main_.isExiting())
        showAbout(&main_);
}

} // namespace kormix::ui
