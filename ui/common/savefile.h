// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// How our own windows save what they show: a file written whole through the
// core's writer (core/wholefile.h), the user told in a message box when it
// could not be written; a picture as PNG, at a place the user chooses.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace kormix::ui {

// Asks where to save: the dialog's caption, the suggested file name and the
// filter; an empty answer means the user cancelled (Desktop::askSavePath).
using AskSavePath
        = std::function<QString(const QString &caption, const QString &name, const QString &filter)>;

// A file dialog over `parent`.
AskSavePath fileDialogOver(QWidget *parent);

class SaveFile
{
    Q_DECLARE_TR_FUNCTIONS(kormix::ui::SaveFile)

public:
    // A message titled "Kormix" with one OK button, its text plain (a path
    // is never markup).
    static void showMessage(QWidget *parent, const QString &text);
    // Writes the file whole; false, and the user told why, when it could not
    // be written.
    static bool write(QWidget *parent, const QString &path, const std::string &content);
    // "Save Picture...": asks where, suggesting `name`, and writes a PNG of
    // `picture` there (the whole widget, also what a scroll area hides).
    static void savePicture(QWidget *parent,
                            QWidget *picture,
                            const QString &name,
                            const AskSavePath &ask);
};

} // namespace kormix::ui
