#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Installs the Windows build into a scratch folder and checks that the folder is a whole
# program: its files, the icon in the .exe at every size, and that kormix.exe starts there
# under Wine with nothing else on its path (every DLL it needs is beside it).
# Usage: check_folder.sh BUILD_DIR SCRATCH_DIR WINE_RUN
set -euo pipefail
build=$1 scratch=$2 wine_run=$3
rm -rf "$scratch"
cmake --install "$build" --prefix "$scratch" >/dev/null
status=0
for f in kormix.exe LICENSE.txt guide.md qt.conf translations/qtbase_de.qm Qt6Core.dll \
    Qt6Gui.dll Qt6Widgets.dll Qt6Charts.dll Qt6Svg.dll libstdc++-6.dll libgcc_s_seh-1.dll \
    libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    imageformats/qsvg.dll imageformats/qico.dll iconengines/qsvgicon.dll; do
    [ -f "$scratch/$f" ] || { echo "missing: $f"; status=1; }
done
# Test programs and their libraries stay out.
for f in Qt6Test.dll; do
    [ ! -e "$scratch/$f" ] || { echo "needless: $f"; status=1; }
done

icons=$(mktemp -d)
trap 'rm -rf "$icons"' EXIT
wrestool --extract --type=group_icon --output="$icons" "$scratch/kormix.exe"
sizes=$(icotool --list "$icons"/*.ico | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)
[ "$sizes" = "16 20 24 32 40 48 64 96 128 256" ] || { echo "icon sizes: $sizes"; status=1; }

version=$(cd "$scratch" && WINEPATH= "$wine_run" kormix.exe --version | tr -d '\r')
[ "$version" = "kormix $(sed -n 's/^project(Kormix VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")" ] || { echo "kormix.exe --version: $version"; status=1; }
exit $status
