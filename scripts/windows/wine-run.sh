#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Runs a Windows program of the "windows" preset under Wine: ctest and gtest_discover_tests
# call it as the cross-compiling emulator (CMAKE_CROSSCOMPILING_EMULATOR), with the program
# and its arguments. The Qt and mingw DLLs are found through WINEPATH, so nothing is copied
# beside the tests.
#
# Wine keeps one server per prefix, and its first program starts background services. Both
# are started here first with their input and output on /dev/null: a service that inherited
# the first test's output pipe would keep ctest waiting for its end forever. The server stays
# a minute after the last program ends, so that the tests of one run share it.
set -euo pipefail
source "$(dirname "$0")/env.sh"

export WINEPREFIX=${KORMIX_WINEPREFIX:-$kormix_root/build/wine}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# Z: is Wine's drive for the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

runtime=$(dirname "$("$kormix_mingw-g++-posix" -print-file-name=libstdc++-6.dll)")
# A WINEPATH that is set, even empty, is kept: a deployed program must start without one.
export WINEPATH="${WINEPATH-$(windows_path "$kormix_qt_prefix/bin");$(windows_path "$runtime");$(windows_path "/usr/$kormix_mingw/lib")}"

# Wine hands a program none of the Unix environment's QT_* variables (QT_QPA_PLATFORM for
# the offscreen tests, QT_SCALE_FACTOR, ...); it hands WINEQT_* over without the prefix.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
# QtTest and qDebug write to the Windows debugger otherwise, and nothing would be seen.
export WINEQT_FORCE_STDERR_LOGGING=1
# The offscreen platform reads fonts from a folder: the face the windows were drawn for.
export WINEQT_QPA_FONTDIR=${WINEQT_QPA_FONTDIR:-$(windows_path /usr/share/fonts/truetype/liberation)}

mkdir -p "$(dirname "$WINEPREFIX")"
{
    flock 9
    # Signal 0 asks whether the prefix's server runs, and ends nothing.
    if ! "$wineserver" -k0 2>/dev/null; then
        # Nor may they hold the lock (descriptor 9) while they live.
        mkdir -p "$WINEPREFIX"
        "$wineserver" -p60 </dev/null >/dev/null 2>&1 9>&-
        "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
    fi
} 9>"$WINEPREFIX.lock"

exec "$wine" "$@"
