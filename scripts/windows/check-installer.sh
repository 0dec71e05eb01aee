#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Checks the installer as a user's machine would take it, under Wine in a Wine prefix of its
# own: it installs silently (/S) into Program Files with a Start-menu entry, the installed
# program starts from there with nothing else on its path, and the silent uninstaller
# removes it all again.
# Usage: scripts/windows/check-installer.sh INSTALLER.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1")
export KORMIX_WINEPREFIX=$here/../../build/wine-installer
rm -rf "$KORMIX_WINEPREFIX"
export WINEPATH= # an installed program finds its DLLs in its own folder
run() { "$here/wine-run.sh" "$@"; }
drive=$KORMIX_WINEPREFIX/drive_c
folder="$drive/Program Files/Kormix"
link="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Kormix/Kormix.lnk"
fail() { echo "installer check: $*" >&2; exit 1; }

run "$setup" /S
[ -f "$folder/kormix.exe" ] || fail "nothing installed in Program Files\\Kormix"
[ -f "$link" ] || fail "no Start-menu entry"
version=$(cd "$folder" && run kormix.exe --version | tr -d '\r')
[[ $version == "kormix "* ]] || fail "the installed kormix.exe does not start: $version"

run 'C:\Program Files\Kormix\Uninstall.exe' /S
# The uninstaller goes on from a copy of itself in the temporary folder.
for _ in $(seq 30); do
    [ -e "$folder" ] || [ -e "$link" ] || break
    sleep 1
done
[ ! -e "$folder" ] || fail "the uninstaller left $folder"
[ ! -e "$link" ] || fail "the uninstaller left the Start-menu entry"
WINEPREFIX=$KORMIX_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
echo "installer check: installed, started ($version) and uninstalled"
