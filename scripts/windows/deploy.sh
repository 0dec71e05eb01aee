#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Makes the folder that holds kormix.exe a complete Windows program: what Qt's windeployqt
# would copy, for a cross build (windeployqt runs on Windows only). `cmake --install` of the
# "windows" preset calls it, and so the installer and the portable .zip carry its result.
#
# Usage: scripts/windows/deploy.sh FOLDER [FOLDER/kormix.exe]
# (the program's path is taken as windeployqt takes it, and must be the folder's kormix.exe)
#
# What is copied, and why:
#   Qt's plugins, into their folders beside kormix.exe:
#     platforms/qwindows.dll        the Windows platform: without it no window opens
#     styles/qwindowsvistastyle.dll the look of Windows' own controls
#     imageformats/qsvg.dll         SVG pictures (the guide's)
#     imageformats/qico.dll         .ico pictures
#     iconengines/qsvgicon.dll      the window icon, drawn from its SVG at every size
#   every DLL that kormix.exe and those plugins import, found with objdump and followed
#     recursively, from Qt's bin folder and the mingw runtime (libstdc++, libgcc_s,
#     libwinpthread); Windows' own DLLs (KERNEL32, USER32, ...) are not in those folders
#     and are not copied
#   translations/qtbase_de.qm       Qt's own German texts (standard buttons, context menus),
#                                   from Debian's qt6-translations-l10n
#   qt.conf                         tells Qt where the plugins and translations are
# The copies are stripped of their symbols (a third of the size).
set -euo pipefail
source "$(dirname "$0")/env.sh"

out=$1
objdump=$kormix_mingw-objdump
strip=$kormix_mingw-strip
runtime=$(dirname "$("$kormix_mingw-g++-posix" -print-file-name=libstdc++-6.dll)")
search=("$kormix_qt_prefix/bin" "$runtime" "/usr/$kormix_mingw/lib")
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qsvg.dll
         imageformats/qico.dll iconengines/qsvgicon.dll)

[ -f "$out/kormix.exe" ] || { echo "deploy: no kormix.exe in $out" >&2; exit 1; }

copy() { # $1 the file, $2 the folder inside $out
    mkdir -p "$out/$2"
    cp -f "$1" "$out/$2/"
    "$strip" --strip-unneeded "$out/$2/$(basename "$1")"
}

for plugin in "${plugins[@]}"; do
    copy "$kormix_qt_prefix/plugins/$plugin" "$(dirname "$plugin")"
done

declare -A seen
imports() { # the DLLs that the PE file $1 imports, and theirs, copied beside kormix.exe
    local dll dir
    for dll in $("$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
        [ -z "${seen[${dll,,}]:-}" ] || continue
        seen[${dll,,}]=1
        for dir in "${search[@]}"; do
            if [ -f "$dir/$dll" ]; then
                copy "$dir/$dll" .
                imports "$dir/$dll"
                break
            fi
        done
    done
}
imports "$out/kormix.exe"
for plugin in "${plugins[@]}"; do
    imports "$kormix_qt_prefix/plugins/$plugin"
done

qm=/usr/share/qt6/translations/qtbase_de.qm
[ -f "$qm" ] || { echo "deploy: $qm is missing (qt6-translations-l10n)" >&2; exit 1; }
mkdir -p "$out/translations"
cp -f "$qm" "$out/translations/"
cp -f "$kormix_root/packaging/windows/qt.conf" "$out/"
