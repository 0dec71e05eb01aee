// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/help/about.h"

#include "core/version.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtGlobal>

namespace kormix::ui {

QString programVersion()
{
    return QString::fromLatin1(kVersion);
}

QString aboutText()
{
    // The text is rich text: a translation keeps its tags.
    return QCoreApplication::translate(
                   "kormix::ui::About",
                   "<h3>Kormix %1</h3>"
                   "<p>A teaching simulator of the isotope exchange H2 + D2 = 2 HD: "
                   "which distribution of a small closed system of molecules is the "
                   "most probable, and how the reaction quotient Q gets there.</p>"
                   "<p>Version %1<br>"
                   "Licence: GPL-3.0-or-later (GNU General Public License, version 3 "
                   "or any later version)<br>"
                   "Qt %2</p>")
            .arg(programVersion(), QString::fromLatin1(qVersion()));
}

void showAbout(QWidget *parent)
{
    QMessageBox::about(parent,
                       QCoreApplication::translate("kormix::ui::About", "About Kormix"),
                       aboutText());
}

} // namespace kormix::ui
