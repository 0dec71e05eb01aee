#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Installs a built tree into a scratch folder and checks what a desktop finds there.
# Usage: check_install.sh BUILD_DIR SCRATCH_DIR APP_ID
set -euo pipefail
build=$1 scratch=$2 id=$3
rm -rf "$scratch"
cmake --install "$build" --prefix "$scratch/usr" >/dev/null
share=$scratch/usr/share
status=0
need() {
    if [ ! -e "$1" ]; then
        echo "missing: ${1#"$scratch"}"
        status=1
    fi
}
need "$scratch/usr/bin/kormix"
need "$share/applications/$id.desktop"
need "$share/icons/hicolor/scalable/apps/$id.svg"
need "$share/metainfo/$id.metainfo.xml"
need "$share/doc/kormix/LICENSE"
need "$share/doc/kormix/guide.md"
[ "$status" -eq 0 ] || exit 1
[ -x "$scratch/usr/bin/kormix" ] || { echo "kormix is not executable"; exit 1; }
exec_line=$(grep '^Exec=' "$share/applications/$id.desktop")
[ -x "$scratch/usr/bin/${exec_line#Exec=}" ] || { echo "$exec_line names no installed program"; exit 1; }
grep -qx "Icon=$id" "$share/applications/$id.desktop" || { echo "the entry's Icon is not $id"; exit 1; }
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate-tree --no-net "$scratch"
echo "installed tree is complete"
