// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the windows ask of the desktop around the program: to open a file with
// the program associated with its type, where the distributions file goes,
// and where the user wants a file saved. The program hands one Desktop to the
// windows that need it; tests hand their own, so that no external program
// starts and no file dialog waits for an answer.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>

namespace kormix::ui {

struct Desktop
{
    // Opens the file with the desktop's program for its type; whether one
    // starts is the desktop's affair.
    std::function<void(const QString &path)> openFile;
    // Where "Excel" writes; empty means the program's fixed place
    // (kormix::distributionsFilePath()).
    std::filesystem::path exportPath;
    // Asks where to save: the dialog's caption, the suggested file name and
    // the filter. An empty answer means the user cancelled.
    std::function<QString(const QString &caption, const QString &name, const QString &filter)>
            askSavePath;

    // The real desktop: QDesktopServices and a file dialog.
    static Desktop system();
};

} // namespace kormix::ui
