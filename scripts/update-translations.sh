#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Brings the translations in translations/ up to date with the sources. Every text of the
# windows that goes through tr() or QCoreApplication::translate(), or is listed with
# QT_TRANSLATE_NOOP, is added to each kormix_<language>.ts as "unfinished"; texts that are no
# longer in the sources are dropped; the translations already made are kept. Then translate the
# new texts (in Qt Linguist, `/usr/lib/qt6/bin/linguist translations/kormix_de.ts`, or in the
# XML itself: fill in <translation> and remove type="unfinished"). The build turns the .ts
# files into the .qm files built into the program, and the translation tests fail as long as
# a text has no finished translation.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

bins=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
lupdate="$bins/lupdate"
if [ ! -x "$lupdate" ]; then
    echo "No lupdate in $bins: install Debian's qt6-l10n-tools" >&2
    exit 1
fi

# No line numbers in the .ts files: they would change with every edit of a source.
"$lupdate" -locations none -no-obsolete -extensions cpp,h -I . ui app -ts translations/kormix_*.ts
