// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace kormix::ui {

Desktop Desktop::system()
{
    Desktop desktop;
    desktop.openFile = [](const QString &path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    desktop.askSavePath = [](const QString &caption, const QString &name, const QString &filter) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, name, filter);
    };
    return desktop;
}

} // namespace kormix::ui
