// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// "About Kormix": what the program is, its version, its licence and the Qt it
// runs on.
#pragma once

#include <QString>

class QWidget;

namespace kormix::ui {

// The program's version, as the build declares it ("1.2").
QString programVersion();
// The text of the About box.
QString aboutText();
// Shows the About box modally over parent.
void showAbout(QWidget *parent);

} // namespace kormix::ui
