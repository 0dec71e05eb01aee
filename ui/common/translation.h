// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The program's texts in the user's language. The English texts are the
// program's own; a translation for the user's language, where the program
// has one, is built into the program and installed before any window is made.
#pragma once

#include <QString>

#include <string_view>

class QCoreApplication;
class QLocale;

namespace kormix::ui {

// Installs the program's translation for the locale's language (German is the
// one there is), and Qt's own for its standard dialogs and menus where the
// system has it. English and every language without a translation install
// nothing. Returns whether the program's translation was installed.
bool installTranslations(QCoreApplication &app, const QLocale &locale);

// Removes every translator installTranslations installed.
void removeTranslations(QCoreApplication &app);

// A text the core writes into a label, as the user reads it: a word (a status,
// "infinite", "?") in the user's language, a number exactly as written. Only
// the first character is looked at, so numbers cost nothing.
QString coreText(std::string_view text);

} // namespace kormix::ui
