// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Kormix: the isotope exchange H2 + D2 = 2 HD seen through statistics.
#include "app/batch.h"
#include "ui/common/translation.h"
#include "ui/main/frmmain.h"
#include "ui/model/runmodel.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#ifdef _WIN32
#include <cstdio>
#include <windows.h>
#endif

namespace {

// On Windows Kormix is a window program, which has no console of its own: the
// batch mode writes to the console it was started from, unless its output is
// sent somewhere else (a file, a pipe).
void writeToTheStartingConsole()
{
#ifdef _WIN32
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN
        && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

} // namespace

int main(int argc, char **argv)
{
    // The batch mode (and --help, --version) needs no display: it is decided
    // before anything of the windows exists.
    if (kormix::wantsBatch(argc, argv)) {
        writeToTheStartingConsole();
        return kormix::runBatch(argc, argv);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Kormix");
    // The desktop's icon, drawn from its SVG at every size and scale factor asked for; the
    // desktop file name lets Wayland compositors find the same icon for the windows.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.kormix.Kormix.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kormix.Kormix"));
    // The windows speak the user's language where the program has a
    // translation for it (German), English otherwise.
    kormix::ui::installTranslations(app, QLocale::system());

    // Numbers are written with the user's decimal separator.
    const QString point = QLocale::system().decimalPoint();
    const char decimalPoint = point.size() == 1 && point.at(0).unicode() < 128
                                      ? char(point.at(0).unicode())
                                      : '.';
    kormix::ui::RunModel model(decimalPoint);
    kormix::ui::FrmMain frmMain(model);
    frmMain.show();
    return app.exec();
}
